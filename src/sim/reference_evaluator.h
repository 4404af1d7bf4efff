#pragma once
// The plain evaluator: classifies all 21 five-card subsets of seven cards and
// applies the precedence rules and the "greatest sum of values" choice among
// candidate subsets literally. Slow on purpose; it is the yardstick that the
// fast evaluator is tested and benchmarked against.

#include <array>
#include <vector>

namespace zuv::sim {

struct ReferenceHand {
  int handClass = 0;           // 1..9
  std::vector<int> highcard;   // tie-break values of that class
};

// Seven cards in the order hole card 1, hole card 2, board cards 1..5.
ReferenceHand ReferenceEvaluateSeven(const std::array<int, 7>& cards);

// Whole deal, players compared one after another in ascending seat order
// against the best hand so far; same contract as EvaluateHands.
void ReferenceEvaluateHands(const std::array<bool, 10>& active,
                            const std::array<std::array<int, 2>, 10>& hole,
                            const std::array<int, 5>& board, std::array<int, 10>& hand,
                            std::array<std::vector<int>, 10>& highcard, std::vector<int>& winner);

}  // namespace zuv::sim
