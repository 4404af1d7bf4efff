#include "sim/exact_unit_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/run_stats.h"

namespace zuv::sim {

void ExactUnitSample::Add(std::int64_t deals, const std::array<std::int64_t, 10>& won) {
  const auto n = static_cast<double>(deals);
  ++units_;
  n_ += n;
  nn_ += n * n;
  for (std::size_t p = 0; p < won.size(); ++p) {
    if (won[p] == 0) continue;  // adds nothing to any sum
    const auto y = static_cast<double>(won[p]);
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

double RatioStandardError(std::int64_t units, std::int64_t allUnits, double n, double nn, double y, double yy,
                          double yn) {
  if (units >= allUnits) return 0.0;
  if (units < 2 || n <= 0) return std::numeric_limits<double>::quiet_NaN();
  // The ratio estimate r = sum y / sum n over m units drawn without
  // replacement from M: Var(r) = (1 - m/M) s^2 / (m nbar^2), where s^2 is the
  // spread of y - r n between the units.
  const auto m = static_cast<double>(units);
  const double r = y / n;
  const double spread = std::max(0.0, yy - 2 * r * yn + r * r * nn) / (m - 1);
  const double meanDeals = n / m;
  const double variance = (1 - m / static_cast<double>(allUnits)) * spread / (m * meanDeals * meanDeals);
  return std::sqrt(variance);
}

double ExactUnitSample::StandardError(int seat, std::int64_t allUnits, std::int64_t potUnit) const {
  return RatioStandardError(units_, allUnits, n_, nn_, y_[seat], yy_[seat], yn_[seat]) / static_cast<double>(potUnit);
}

}  // namespace zuv::sim
