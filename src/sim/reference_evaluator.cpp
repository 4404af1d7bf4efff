#include "sim/reference_evaluator.h"

#include <algorithm>

#include "sim/card.h"

namespace zuv::sim {

namespace {

// The 21 five-element subsets of positions 0..6, in lexicographic order.
std::vector<std::array<int, 5>> MakeHandIndex() {
  std::vector<std::array<int, 5>> index;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 4; ++j)
      for (int k = j + 1; k < 5; ++k)
        for (int l = k + 1; l < 6; ++l)
          for (int m = l + 1; m < 7; ++m) index.push_back({i, j, k, l, m});
  return index;
}

struct Subset {
  std::array<int, 5> sorted;  // values ascending
  std::array<int, 4> diff;    // sorted[i + 1] - sorted[i]
  bool flush = false;
  bool highStraight = false;  // five consecutive values, ace high
  bool lowStraight = false;   // A-2-3-4-5
  int sum = 0;

  int NonZeroDiffs() const {
    return static_cast<int>(std::count_if(diff.begin(), diff.end(), [](int d) { return d > 0; }));
  }
  bool Straight() const { return highStraight || lowStraight; }
};

Subset Classify(const std::array<int, 7>& cards, const std::array<int, 5>& positions) {
  Subset s;
  std::array<int, 5> suits{};
  for (int r = 0; r < 5; ++r) {
    s.sorted[r] = CardValue(cards[positions[r]]);
    suits[r] = CardSuit(cards[positions[r]]);
    s.sum += s.sorted[r];
  }
  s.flush = std::all_of(suits.begin(), suits.end(), [&](int x) { return x == suits[0]; });
  std::sort(s.sorted.begin(), s.sorted.end());
  for (int i = 0; i < 4; ++i) s.diff[i] = s.sorted[i + 1] - s.sorted[i];
  s.highStraight = std::all_of(s.diff.begin(), s.diff.end(), [](int d) { return d == 1; });
  const std::array<int, 5> low{s.sorted[4] - 13, s.sorted[0], s.sorted[1], s.sorted[2], s.sorted[3]};
  s.lowStraight = true;
  for (int i = 0; i < 4; ++i) s.lowStraight = s.lowStraight && low[i + 1] - low[i] == 1;
  return s;
}

// Index of the candidate with the greatest score; the first one on equal scores.
template <typename IsCandidate, typename Score>
int Best(const std::vector<Subset>& subsets, IsCandidate isCandidate, Score score) {
  int best = -1;
  for (int k = 0; k < static_cast<int>(subsets.size()); ++k) {
    if (!isCandidate(subsets[k])) continue;
    if (best < 0 || score(subsets[k]) > score(subsets[best])) best = k;
  }
  return best;
}

int Sum(const Subset& s) { return s.sum; }

}  // namespace

ReferenceHand ReferenceEvaluateSeven(const std::array<int, 7>& cards) {
  static const std::vector<std::array<int, 5>> handIndex = MakeHandIndex();
  std::vector<Subset> subsets;
  subsets.reserve(handIndex.size());
  for (const auto& positions : handIndex) subsets.push_back(Classify(cards, positions));
  auto any = [&](auto predicate) { return std::any_of(subsets.begin(), subsets.end(), predicate); };

  // Sorted value at position 1..5 of a subset.
  auto at = [](const Subset& s, int position) { return s.sorted[position - 1]; };

  auto straightFlush = [](const Subset& s) { return s.flush && s.Straight(); };
  if (any(straightFlush)) {
    auto top = [](const Subset& s) { return s.highStraight ? s.sorted[4] : 5; };
    const Subset& b = subsets[Best(subsets, straightFlush, top)];
    return {9, {top(b)}};
  }

  auto twoValues = [](const Subset& s) { return s.NonZeroDiffs() == 1; };
  if (any(twoValues)) {
    auto quads = [](const Subset& s) {
      return (s.diff[0] == 0 && s.diff[1] == 0 && s.diff[2] == 0) ||
             (s.diff[1] == 0 && s.diff[2] == 0 && s.diff[3] == 0);
    };
    if (any(quads)) {
      const Subset& b = subsets[Best(subsets, quads, Sum)];
      if (b.diff[0] != 0) return {8, {at(b, 2), at(b, 1)}};
      return {8, {at(b, 4), at(b, 5)}};
    }
    const Subset& b = subsets[Best(subsets, twoValues, Sum)];
    if (b.diff[1] != 0) return {7, {at(b, 3), at(b, 2)}};
    return {7, {at(b, 3), at(b, 4)}};
  }

  auto flush = [](const Subset& s) { return s.flush; };
  if (any(flush)) {
    const Subset& b = subsets[Best(subsets, flush, Sum)];
    return {6, {at(b, 5), at(b, 4), at(b, 3), at(b, 2), at(b, 1)}};
  }

  auto straight = [](const Subset& s) { return s.Straight(); };
  if (any(straight)) {
    auto high = [](const Subset& s) { return s.highStraight; };
    if (any(high)) {
      const Subset& b = subsets[Best(subsets, high, Sum)];
      return {5, {at(b, 5)}};
    }
    return {5, {5}};
  }

  auto low3 = [](const Subset& s) { return s.diff[0] == 0 && s.diff[1] == 0; };
  auto medium3 = [](const Subset& s) { return s.diff[1] == 0 && s.diff[2] == 0; };
  auto high3 = [](const Subset& s) { return s.diff[2] == 0 && s.diff[3] == 0; };
  auto trips = [&](const Subset& s) { return low3(s) || medium3(s) || high3(s); };
  if (any(trips)) {
    const Subset& b = subsets[Best(subsets, trips, Sum)];
    if (low3(b)) return {4, {at(b, 1), at(b, 5), at(b, 4)}};
    if (medium3(b)) return {4, {at(b, 2), at(b, 5), at(b, 1)}};
    return {4, {at(b, 3), at(b, 2), at(b, 1)}};
  }

  auto threeValues = [](const Subset& s) { return s.NonZeroDiffs() == 2; };
  if (any(threeValues)) {
    const Subset& b = subsets[Best(subsets, threeValues, Sum)];
    if (b.diff[0] != 0) return {3, {at(b, 5), at(b, 3), at(b, 1)}};
    if (b.diff[3] != 0) return {3, {at(b, 3), at(b, 1), at(b, 5)}};
    return {3, {at(b, 5), at(b, 1), at(b, 3)}};
  }

  auto fourValues = [](const Subset& s) { return s.NonZeroDiffs() == 3; };
  if (any(fourValues)) {
    const Subset& b = subsets[Best(subsets, fourValues, Sum)];
    int pindex = 1;
    while (b.diff[pindex - 1] != 0) ++pindex;
    std::vector<int> highcard{at(b, pindex)};
    for (int position = 5; position >= 1; --position) {
      if (position != pindex && position != pindex + 1) highcard.push_back(at(b, position));
    }
    return {2, highcard};
  }

  const Subset& b = subsets[Best(subsets, [](const Subset&) { return true; }, Sum)];
  return {1, {at(b, 5), at(b, 4), at(b, 3), at(b, 2), at(b, 1)}};
}

void ReferenceEvaluateHands(const std::array<bool, 10>& active,
                            const std::array<std::array<int, 2>, 10>& hole,
                            const std::array<int, 5>& board, std::array<int, 10>& hand,
                            std::array<std::vector<int>, 10>& highcard, std::vector<int>& winner) {
  winner.clear();
  int tableBestHand = 0;
  std::vector<int> tableHighcard;
  for (int p = 0; p < 10; ++p) {
    if (!active[p]) continue;
    const std::array<int, 7> cards{hole[p][0], hole[p][1], board[0], board[1],
                                   board[2], board[3], board[4]};
    ReferenceHand result = ReferenceEvaluateSeven(cards);
    hand[p] = result.handClass;
    highcard[p] = result.highcard;
    if (result.handClass > tableBestHand) {
      winner = {p + 1};
      tableBestHand = result.handClass;
      tableHighcard = result.highcard;
    } else if (result.handClass == tableBestHand) {
      if (result.highcard == tableHighcard) {
        winner.push_back(p + 1);
      } else {
        for (std::size_t k = 0; k < result.highcard.size(); ++k) {
          if (result.highcard[k] > tableHighcard[k]) {
            winner = {p + 1};
            tableHighcard = result.highcard;
            break;
          }
          if (result.highcard[k] < tableHighcard[k]) break;
        }
      }
    }
  }
}

}  // namespace zuv::sim
