#include "sim/exact_unit_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/run_stats.h"

namespace zuv::sim {

void ExactUnitSample::Add(std::int64_t deals, const std::array<std::int64_t, 10>& won) {
  const auto n = static_cast<long double>(deals);
  ++units_;
  n_ += n;
  nn_ += n * n;
  for (std::size_t p = 0; p < won.size(); ++p) {
    const auto y = static_cast<long double>(won[p]);
    y_[p] += y;
    yy_[p] += y * y;
    yn_[p] += y * n;
  }
}

void ExactUnitSample::Add(const ExactUnitSample& other) {
  units_ += other.units_;
  n_ += other.n_;
  nn_ += other.nn_;
  for (std::size_t p = 0; p < y_.size(); ++p) {
    y_[p] += other.y_[p];
    yy_[p] += other.yy_[p];
    yn_[p] += other.yn_[p];
  }
}

double ExactUnitSample::StandardError(int seat, std::int64_t allUnits) const {
  if (units_ >= allUnits) return 0.0;
  if (units_ < 2 || n_ <= 0) return std::numeric_limits<double>::quiet_NaN();
  // The ratio estimate r = sum y / sum n over m units drawn without
  // replacement from M: Var(r) = (1 - m/M) s^2 / (m nbar^2), where s^2 is the
  // spread of y - r n between the units.
  const auto m = static_cast<long double>(units_);
  const long double r = y_[seat] / n_;
  const long double spread = std::max<long double>(0, yy_[seat] - 2 * r * yn_[seat] + r * r * nn_) / (m - 1);
  const long double meanDeals = n_ / m;
  const long double variance = (1 - m / static_cast<long double>(allUnits)) * spread / (m * meanDeals * meanDeals);
  return static_cast<double>(std::sqrt(variance) / RunStats::kUnit);
}

}  // namespace zuv::sim
