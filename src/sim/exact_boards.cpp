#include "sim/exact_boards.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <utility>

#include "sim/card.h"
#include "sim/fast_evaluator.h"

namespace zuv::sim {

namespace {

std::uint64_t SwapSuits(std::uint64_t bits, int a, int b) {
  const std::uint64_t laneA = bits >> (16 * a) & 0xFFFF;
  const std::uint64_t laneB = bits >> (16 * b) & 0xFFFF;
  bits &= ~(0xFFFFull << (16 * a) | 0xFFFFull << (16 * b));
  return bits | laneA << (16 * b) | laneB << (16 * a);
}

// A seat's combinations as (CardBit, weight), sorted.
using SortedCombos = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

bool SwapKeepsDeals(const ExactDeals& deals, const std::vector<SortedCombos>& sortedCombos, int a, int b) {
  std::uint64_t boardBits = 0;
  for (int card : deals.fixedBoard) boardBits |= FastEvaluator::CardBit(card);
  if (SwapSuits(boardBits, a, b) != boardBits || SwapSuits(deals.deadBits, a, b) != deals.deadBits) return false;
  // Each combination's image must be in the seat's range with the same weight.
  for (const auto& combos : sortedCombos) {
    for (const auto& [bits, weight] : combos) {
      const auto image = std::lower_bound(combos.begin(), combos.end(), std::pair{SwapSuits(bits, a, b), std::uint64_t{0}});
      if (image == combos.end() || image->first != SwapSuits(bits, a, b) || image->second != weight) return false;
    }
  }
  return true;
}

constexpr std::array<std::int64_t, 5> kFactorial{1, 1, 2, 6, 24};

}  // namespace

ExactBoards::ExactBoards(const ExactDeals& deals, std::size_t fewestItemCompletions) : missing_(deals.missingBoard) {
  std::vector<SortedCombos> sortedCombos;
  for (const auto& combos : deals.combos) {
    auto& sorted = sortedCombos.emplace_back();
    for (const HoleCombo& combo : combos) sorted.emplace_back(combo.bits, combo.weight);
    std::sort(sorted.begin(), sorted.end());
  }
  // Swaps of two suits compose, so "interchangeable" is an equivalence: its
  // classes are the blocks, and every permutation within blocks keeps the deals.
  for (int s = 0; s < 4; ++s) {
    block_[s] = s;
    previousInBlock_[s] = -1;
    for (int t = s - 1; t >= 0; --t) {
      if (SwapKeepsDeals(deals, sortedCombos, t, s)) {
        block_[s] = block_[t];
        previousInBlock_[s] = t;
        break;
      }
    }
  }

  std::array<int, 4> blockSize{};
  std::int64_t orderings = 1;  // product of the blocks' size factorials
  for (int s = 0; s < 4; ++s) ++blockSize[block_[s]];
  for (int size : blockSize) orderings *= kFactorial[size];
  for (std::size_t repeats = 1; repeats < weightOfRepeats_.size(); ++repeats) {
    weightOfRepeats_[repeats] = orderings % static_cast<std::int64_t>(repeats) == 0 ? orderings / static_cast<std::int64_t>(repeats) : 0;
  }

  const FastEvaluator& evaluator = FastEvaluator::Get();
  std::array<std::uint16_t, 4> available{};
  for (int card : deals.boardCards) available[CardSuit(card) - 1] |= 1u << (CardValue(card) - 2);
  std::vector<std::uint64_t> keyOf(1u << 13);  // of a suit's value mask, from the mask less its lowest value
  for (int suit = 0; suit < 4; ++suit) {
    for (unsigned values = 1; values < (1u << 13); ++values) {
      keyOf[values] = keyOf[values & (values - 1)] + evaluator.CardKey(MakeCard(std::countr_zero(values) + 2, suit + 1));
    }
    for (unsigned values = 0; values < (1u << 13); ++values) {
      const int count = std::popcount(values);
      if ((values & ~available[suit]) != 0 || count > missing_) continue;
      masks_[suit][count].push_back({static_cast<std::uint16_t>(values), keyOf[values]});
    }
  }

  const std::uint64_t biasAndBoard = [&] {
    std::uint64_t key = FastEvaluator::kKeyBias;
    for (int card : deals.fixedBoard) key += evaluator.CardKey(card);
    return key;
  }();
  // At most about this many completions per part: a stop drops the items a
  // worker did since its last hand-over, and the order is random by item.
  constexpr std::size_t kPartCompletions = 2048;
  std::vector<std::size_t> partCompletions;  // an upper bound (the blocks' order is not counted)
  for (int n0 = 0; n0 <= missing_; ++n0) {
    for (const Mask& m0 : masks_[0][n0]) {
      for (int n1 = 0; n0 + n1 <= missing_; ++n1) {
        for (const Mask& m1 : masks_[1][n1]) {
          if (previousInBlock_[1] == 0 && m1.values > m0.values) break;
          const Part part{m0.values, m1.values, biasAndBoard + m0.key + m1.key, n0 + n1};
          const int left = missing_ - part.used;
          std::size_t completions = 0;
          for (int n2 = 0; n2 <= left; ++n2) completions += masks_[2][n2].size() * masks_[3][left - n2].size();
          if (completions <= kPartCompletions) {
            parts_.push_back(part);
            partCompletions.push_back(completions);
            continue;
          }
          for (int n2 = 0; n2 <= left; ++n2) {
            const std::size_t perThird = std::max<std::size_t>(masks_[3][left - n2].size(), 1);
            const std::size_t step = std::max<std::size_t>(kPartCompletions / perThird, 1);
            for (std::size_t begin = 0; begin < masks_[2][n2].size(); begin += step) {
              Part piece = part;
              piece.n2 = n2;
              piece.m2Begin = static_cast<std::uint32_t>(begin);
              piece.m2End = static_cast<std::uint32_t>(std::min(begin + step, masks_[2][n2].size()));
              parts_.push_back(piece);
              partCompletions.push_back((piece.m2End - piece.m2Begin) * perThird);
            }
          }
        }
      }
    }
  }
  // Small parts share an item, so that a worker's cost per item (taking it,
  // handing its figures over) is spread over enough boards; yet about a
  // thousand items or more, so that work spreads over the threads and a
  // stopped run has a sample of many items. An item takes every itemCount_-th
  // part: boards from all over the table, so that the items of a stopped run
  // are as good a sample as as many boards drawn at random.
  constexpr std::size_t kMinItems = 1024;
  const std::size_t total = std::accumulate(partCompletions.begin(), partCompletions.end(), std::size_t{0});
  const std::size_t itemCompletions =
      std::clamp<std::size_t>(std::max(total / kMinItems, fewestItemCompletions), 1, kPartCompletions);
  itemCount_ = std::clamp<std::size_t>((total + itemCompletions - 1) / itemCompletions, 1, parts_.size());
}

std::int64_t ExactBoards::CompletionCount() const {
  std::int64_t count = 0;
  for (std::size_t i = 0; i < itemCount_; ++i) {
    VisitItem(i, [&](const BoardCompletion& completion) { count += completion.weight; });
  }
  return count;
}

}  // namespace zuv::sim
