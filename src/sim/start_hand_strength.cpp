#include "sim/start_hand_strength.h"

#include "sim/hand_range.h"

namespace zuv::sim {

std::vector<std::array<int, 2>> StrongestCells(double percent) {
  // A hair over the share, so that 0.5 % takes AA's 6 of the 6.63 combinations.
  const double most = percent / 100.0 * kAllCombos + 1e-9;
  std::vector<std::array<int, 2>> cells;
  double taken = 0;
  for (const StartHandStrength& hand : kStartHandStrengths) {
    taken += static_cast<double>(RangeCellCombos(hand.row, hand.column).size());
    if (taken > most) break;
    cells.push_back({hand.row, hand.column});
  }
  return cells;
}

}  // namespace zuv::sim
