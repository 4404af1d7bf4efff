#include "sim/range_on_board.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "sim/card.h"
#include "sim/rank_rules.h"

namespace zuv::sim {

namespace {

std::uint32_t ValueBit(int card) { return 1u << (CardValue(card) - 2); }

// Values whose card would complete a straight for `mask` but not for `boardMask`.
int StraightOuts(std::uint32_t mask, std::uint32_t boardMask) {
  int outs = 0;
  for (int v = 0; v < 13; ++v) {
    const std::uint32_t bit = 1u << v;
    if (!(mask & bit) && StraightTop(mask | bit) && !StraightTop(boardMask | bit)) ++outs;
  }
  return outs;
}

}  // namespace

ComboOnBoard EvaluateOnBoard(const Combo& combo, std::span<const int> board) {
  std::array<int, 13> counts{};
  std::array<std::uint32_t, 4> suitMask{};
  std::array<int, 4> holeInSuit{};
  std::uint32_t boardMask = 0;
  for (int card : board) {
    ++counts[CardValue(card) - 2];
    suitMask[CardSuit(card) - 1] |= ValueBit(card);
    boardMask |= ValueBit(card);
  }
  for (int card : combo) {
    ++counts[CardValue(card) - 2];
    suitMask[CardSuit(card) - 1] |= ValueBit(card);
    ++holeInSuit[CardSuit(card) - 1];
  }

  ComboOnBoard result;
  // Five or six cards cannot hold a flush beside a full house or quads.
  result.handClass = HandClass(BestHandOfCounts(counts));
  for (std::uint32_t mask : suitMask) {
    if (std::popcount(mask) >= 5) result.handClass = HandClass(BestHandOfSuit(mask));
  }
  if (result.handClass >= kFlush) return result;
  for (int s = 0; s < 4; ++s) result.flushDraw = result.flushDraw || (std::popcount(suitMask[s]) == 4 && holeInSuit[s] > 0);
  if (result.handClass >= kStraight) return result;
  const int outs = StraightOuts(boardMask | ValueBit(combo[0]) | ValueBit(combo[1]), boardMask);
  result.straightDraw = outs >= 2 ? StraightDraw::kOpenEnded : outs == 1 ? StraightDraw::kGutshot : StraightDraw::kNone;
  return result;
}

RangeOnBoard EvaluateRangeOnBoard(std::span<const Combo> combos, std::span<const double> weights,
                                  std::span<const int> board, std::span<const int> known) {
  std::array<bool, 53> taken{};
  for (int card : board) taken[card] = true;
  for (int card : known) taken[card] = true;
  RangeOnBoard result;
  for (std::size_t i = 0; i < combos.size(); ++i) {
    const Combo& combo = combos[i];
    if (taken[combo[0]] || taken[combo[1]]) continue;
    const double weight = weights.empty() ? 1.0 : weights[i];
    const ComboOnBoard hand = EvaluateOnBoard(combo, board);
    ++result.combos;
    result.weight += weight;
    result.made[hand.handClass - 1] += weight;
    if (hand.flushDraw) result.draws[0] += weight;
    if (hand.straightDraw == StraightDraw::kOpenEnded) result.draws[1] += weight;
    if (hand.straightDraw == StraightDraw::kGutshot) result.draws[2] += weight;
  }
  if (result.weight > 0) {
    for (double& share : result.made) share /= result.weight;
    for (double& share : result.draws) share /= result.weight;
  }
  return result;
}

std::optional<RangeOnBoard> SeatOnBoard(const Scenario& scenario, int seat) {
  if (scenario.board.size() < 3 || !scenario.active[seat]) return std::nullopt;
  std::vector<int> known = scenario.dead;
  for (int other = 0; other < 10; ++other) {
    if (other != seat && scenario.active[other] && scenario.fixed[other][0] != 0) {
      known.insert(known.end(), scenario.fixed[other].begin(), scenario.fixed[other].end());
    }
  }
  std::vector<Combo> combos;
  std::vector<double> weights;
  if (scenario.fixed[seat][0] != 0) {
    combos.push_back(scenario.fixed[seat]);
  } else if (!scenario.range[seat].empty()) {
    combos = scenario.range[seat];
    for (std::size_t k = 0; k < combos.size(); ++k) weights.push_back(static_cast<double>(scenario.WeightOf(seat, k)) / kFullWeight);
  } else {
    for (int c = 0; c < kAllCombos; ++c) combos.push_back(ComboAt(c));
  }
  return EvaluateRangeOnBoard(combos, weights, scenario.board, known);
}

}  // namespace zuv::sim
