#include "sim/start_hands.h"

namespace zuv::sim {

std::vector<int> FindStartHands(const std::vector<std::array<int, 2>>& holeCards) {
  std::vector<int> classes;
  classes.reserve(holeCards.size());
  for (const auto& cards : holeCards) classes.push_back(StartHandClass(cards[0], cards[1]));
  return classes;
}

std::vector<int> FindStartHands(const std::vector<int>& winners,
                                const std::array<std::array<int, 2>, 10>& hole) {
  std::vector<int> classes;
  classes.reserve(winners.size());
  for (int seat : winners) classes.push_back(StartHandClass(hole[seat - 1][0], hole[seat - 1][1]));
  return classes;
}

}  // namespace zuv::sim
