#include "target_reach.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sim/exact.h"
#include "sim/run_parallel.h"

namespace zuv::zuvsim {

namespace {

std::string Number(const char* format, double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, x);
  return buffer;
}

// A count as zuvsim prints counts, or as 2.5e+599 when it has no place in 64
// bits: the count comes as its logarithm, since it can pass any double.
std::string HandCount(double log10Hands) {
  if (log10Hands < 18) return sim::GroupedCount(static_cast<std::uint64_t>(std::ceil(std::pow(10.0, log10Hands))));
  const double exponent = std::floor(log10Hands);
  return Number("%.1f", std::pow(10.0, log10Hands - exponent)) + "e+" + Number("%.0f", exponent);
}

// Below this a standard error says little: after one hand it is 0 and any
// target would read as met.
constexpr std::int64_t kLeastTargetHands = 1000;

}  // namespace

std::optional<std::string> UnreachableTarget(const Options& options) {
  if (!options.targetSe) return std::nullopt;
  const double target = *options.targetSe;
  if (options.hands < kLeastTargetHands) {
    return "--target-se needs at least " + sim::GroupedCount(kLeastTargetHands) +
           " hands to measure a standard error; --hands allows " +
           sim::GroupedCount(static_cast<std::uint64_t>(std::max<std::int64_t>(options.hands, 0)));
  }
  const sim::RunStats first = sim::RunParallel(options.scenario, options.seed,
                                               std::min(options.hands, sim::kTargetCheckHands), options.threads);
  double worst = 0;
  for (int seat = 1; seat <= static_cast<int>(options.scenario.active.size()); ++seat) {
    if (options.scenario.active[seat - 1]) worst = std::max(worst, first.WinRateStandardError(seat));
  }
  // The standard error falls with the square root of the hands played.
  const double log10Needed = std::log10(static_cast<double>(first.hands)) + 2 * (std::log10(worst) - std::log10(target));
  if (worst <= target || log10Needed <= std::log10(static_cast<double>(options.hands))) return std::nullopt;
  return "--target-se " + Number("%g", target) + " needs about " + HandCount(log10Needed) +
         " hands for this table, more than the " + sim::GroupedCount(static_cast<std::uint64_t>(options.hands)) +
         " that --hands allows";
}

}  // namespace zuv::zuvsim
