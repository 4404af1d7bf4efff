#include "sim/exact.h"

#include <stdexcept>

#include "sim/exact_deals.h"
#include "sim/exact_reference.h"

namespace zuv::sim {

std::string GroupedCount(std::uint64_t count) {
  std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::uint64_t CountDeals(const Scenario& scenario) { return CountExactDeals(PrepareExactDeals(scenario)); }

std::optional<std::string> ExactProblem(const Scenario& scenario) {
  if (auto problem = CheckScenario(scenario)) return problem;
  const std::uint64_t deals = CountDeals(scenario);
  if (deals == 0) return "No deal fits the seats' cards and ranges, the board and the dead cards";
  if (deals > kExactDealLimit) {
    const std::string count =
        deals == UINT64_MAX ? "more than " + GroupedCount(deals) : GroupedCount(deals);
    return "Too many deals to enumerate exactly (" + count + ", the limit is " + GroupedCount(kExactDealLimit) +
           "): run a sample instead";
  }
  return std::nullopt;
}

ExactResult Enumerate(const Scenario& scenario, const ExactOptions& options) {
  if (auto problem = ExactProblem(scenario)) throw std::invalid_argument(*problem);
  ExactResult result;
  result.stats = EnumerateDealByDeal(PrepareExactDeals(scenario));
  result.deals = result.stats.hands;
  result.complete = true;
  if (options.dealsDone) options.dealsDone->fetch_add(result.deals);
  if (options.progress) options.progress(result.stats);
  return result;
}

}  // namespace zuv::sim
