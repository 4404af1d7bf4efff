#include "sim/evaluate_hands.h"

#include "sim/evaluator.h"

namespace zuv::sim {

void EvaluateHands(const std::array<bool, 10>& active,
                   const std::array<std::array<int, 2>, 10>& hole,
                   const std::array<int, 5>& board, std::array<int, 10>& hand,
                   std::array<std::vector<int>, 10>& highcard, std::vector<int>& winner) {
  std::array<HandKey, 10> keys{};
  HandKey best = 0;
  for (int p = 0; p < 10; ++p) {
    if (!active[p]) continue;
    keys[p] = EvaluateSeven({hole[p][0], hole[p][1], board[0], board[1], board[2], board[3], board[4]});
    hand[p] = HandClass(keys[p]);
    highcard[p] = HighCard(keys[p]);
    if (keys[p] > best) best = keys[p];
  }
  // Keys order hands exactly, so the winners are all seats holding the top key.
  winner.clear();
  for (int p = 0; p < 10; ++p) {
    if (active[p] && keys[p] == best) winner.push_back(p + 1);
  }
}

}  // namespace zuv::sim
