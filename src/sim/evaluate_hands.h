#pragma once
// Evaluation of one full deal: every active seat's hand and the winners.

#include <array>
#include <vector>

namespace zuv::sim {

// Seats are indexes 0..9 (seat numbers 1..10). For each active seat writes the
// hand class 1..9 to hand[i] and its tie-break vector to highcard[i]; inactive
// seats' entries are left untouched. winner = the seat numbers (1-based) with
// the best hand, ascending; more than one is a split pot.
void EvaluateHands(const std::array<bool, 10>& active,
                   const std::array<std::array<int, 2>, 10>& hole,
                   const std::array<int, 5>& board, std::array<int, 10>& hand,
                   std::array<std::vector<int>, 10>& highcard, std::vector<int>& winner);

}  // namespace zuv::sim
