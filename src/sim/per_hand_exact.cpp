#include "sim/per_hand_exact.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "sim/per_hand_stats.h"

namespace zuv::sim {

namespace {

// The combinations seat index `seat` may hold: its range, or any two cards.
std::vector<Combo> SeatCombos(const Scenario& scenario, int seat) {
  if (!scenario.range[seat].empty()) return scenario.range[seat];
  std::vector<Combo> all;
  for (int a = 1; a <= 52; ++a)
    for (int b = a + 1; b <= 52; ++b) all.push_back({a, b});
  return all;
}

}  // namespace

ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options) {
  if (auto problem = ExactProblem(scenario)) throw std::invalid_argument(*problem);
  std::vector<int> dealt;
  for (int seat = 0; seat < 10; ++seat) {
    if (scenario.active[seat] && scenario.fixed[seat][0] == 0) dealt.push_back(seat);
  }
  ExactResult result;
  result.complete = true;
  result.stats = RunStats(scenario.ActiveCount());
  PerHandStats perHand(dealt);
  ExactOptions part = options;
  part.dealsTotal = nullptr;
  part.progress = nullptr;
  const auto deadline = std::chrono::steady_clock::now() + options.timeLimit;
  const std::uint64_t count = CountDeals(scenario);
  // The progress meter runs over every pass.
  if (options.dealsTotal) options.dealsTotal->store(static_cast<std::int64_t>(count * std::max<std::size_t>(dealt.size(), 1)));
  for (std::size_t slot = 0; slot < dealt.size() && result.complete; ++slot) {
    const int seat = dealt[slot];
    for (const Combo& combo : SeatCombos(scenario, seat)) {
      Scenario fixed = scenario;
      fixed.fixed[seat] = combo;
      fixed.range[seat].clear();
      if (CheckScenario(fixed)) continue;  // the cards are taken elsewhere, or no deal fits beside them
      if (options.timeLimit.count() > 0) {
        part.timeLimit = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (part.timeLimit.count() <= 0) {
          result.complete = false;
          break;
        }
      }
      const ExactResult piece = Enumerate(fixed, part);
      const std::size_t i = perHand.Index(static_cast<int>(slot), ComboIndex(combo[0], combo[1]));
      perHand.held[i] = piece.deals;
      perHand.won[i] = piece.stats.WinRecord[seat];
      // The first seat's parts are the whole table.
      if (slot == 0) result.stats.Add(piece.stats);
      if (!piece.complete) {
        result.complete = false;
        break;
      }
    }
  }
  if (dealt.empty()) return Enumerate(scenario, options);
  result.deals = result.stats.hands;
  result.totalDeals = static_cast<std::int64_t>(count);
  // Parts of a stopped run are whole combinations, not a random sample.
  if (!result.complete) result.winRateSe.fill(std::numeric_limits<double>::quiet_NaN());
  result.stats.perHand = std::move(perHand);
  return result;
}

}  // namespace zuv::sim
