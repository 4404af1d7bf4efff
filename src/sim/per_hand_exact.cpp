#include "sim/per_hand_exact.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "sim/card.h"

namespace zuv::sim {

ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options) {
  ExactOptions withPerHand = options;
  withPerHand.perHand = true;
  return Enumerate(scenario, withPerHand);
}

void SpreadOverSuitSymmetry(PerHandStats& perHand, const std::array<int, 4>& suitBlocks) {
  // The permutations of the suits 0..3 that keep each suit in its block.
  std::vector<std::array<int, 4>> group;
  std::array<int, 4> to{0, 1, 2, 3};
  do {
    bool keeps = true;
    for (int s = 0; s < 4; ++s) keeps = keeps && suitBlocks[to[s]] == suitBlocks[s];
    if (keeps) group.push_back(to);
  } while (std::next_permutation(to.begin(), to.end()));
  if (group.size() == 1) return;
  auto image = [](const std::array<int, 4>& g, int card) {
    return MakeCard(CardValue(card), g[CardSuit(card) - 1] + 1);
  };
  const auto order = static_cast<std::int64_t>(group.size());
  for (std::size_t slot = 0; slot < perHand.seats.size(); ++slot) {
    for (std::vector<std::int64_t>* figures : {&perHand.held, &perHand.won}) {
      const auto begin = figures->begin() + static_cast<std::ptrdiff_t>(perHand.Index(static_cast<int>(slot), 0));
      const std::vector<std::int64_t> counted(begin, begin + kAllCombos);
      for (int c = 0; c < kAllCombos; ++c) {
        const Combo combo = ComboOfIndex(c);
        std::int64_t sum = 0;
        for (const auto& g : group) sum += counted[ComboIndex(image(g, combo[0]), image(g, combo[1]))];
        begin[c] = sum / order;
      }
    }
  }
}

}  // namespace zuv::sim
