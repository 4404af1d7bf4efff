#include "sim/exact_boards.h"

#include <algorithm>
#include <bit>
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

ExactBoards::ExactBoards(const ExactDeals& deals) : missing_(deals.missingBoard) {
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
  for (int s = 0; s < 4; ++s) ++blockSize[block_[s]];
  for (int size : blockSize) orderings_ *= kFactorial[size];

  const FastEvaluator& evaluator = FastEvaluator::Get();
  std::array<std::uint16_t, 4> available{};
  for (int card : deals.boardCards) available[CardSuit(card) - 1] |= 1u << (CardValue(card) - 2);
  for (int suit = 0; suit < 4; ++suit) {
    for (unsigned values = 0; values < (1u << 13); ++values) {
      const int count = std::popcount(values);
      if ((values & ~available[suit]) != 0 || count > missing_) continue;
      std::uint64_t key = 0;
      for (int v = 0; v < 13; ++v) {
        if (values >> v & 1) key += evaluator.CardKey(MakeCard(v + 2, suit + 1));
      }
      masks_[suit][count].push_back({static_cast<std::uint16_t>(values), key});
    }
  }

  const std::uint64_t biasAndBoard = [&] {
    std::uint64_t key = FastEvaluator::kKeyBias;
    for (int card : deals.fixedBoard) key += evaluator.CardKey(card);
    return key;
  }();
  // At most about this many completions per item: a stop drops the items a
  // worker did since its last hand-over, and the order is random by item.
  constexpr std::size_t kItemCompletions = 2048;
  for (int n0 = 0; n0 <= missing_; ++n0) {
    for (const Mask& m0 : masks_[0][n0]) {
      for (int n1 = 0; n0 + n1 <= missing_; ++n1) {
        for (const Mask& m1 : masks_[1][n1]) {
          if (previousInBlock_[1] == 0 && m1.values > m0.values) break;
          const Item item{m0.values, m1.values, biasAndBoard + m0.key + m1.key, n0 + n1};
          const int left = missing_ - item.used;
          std::size_t completions = 0;
          for (int n2 = 0; n2 <= left; ++n2) completions += masks_[2][n2].size() * masks_[3][left - n2].size();
          if (completions <= kItemCompletions) {
            items_.push_back(item);
            continue;
          }
          for (int n2 = 0; n2 <= left; ++n2) {
            const std::size_t perThird = std::max<std::size_t>(masks_[3][left - n2].size(), 1);
            const std::size_t step = std::max<std::size_t>(kItemCompletions / perThird, 1);
            for (std::size_t begin = 0; begin < masks_[2][n2].size(); begin += step) {
              Item part = item;
              part.n2 = n2;
              part.m2Begin = static_cast<std::uint32_t>(begin);
              part.m2End = static_cast<std::uint32_t>(std::min(begin + step, masks_[2][n2].size()));
              items_.push_back(part);
            }
          }
        }
      }
    }
  }
}

std::int64_t ExactBoards::Weight(const std::array<std::uint16_t, 4>& masks) const {
  // Masks of one block arrive non-increasing, so equal ones follow each other
  // in the block: run[s] counts them, and their product is the product of
  // the factorials of the multiplicities.
  std::array<int, 4> run{};
  std::int64_t repeats = 1;
  for (int s = 0; s < 4; ++s) {
    const int p = previousInBlock_[s];
    run[s] = p >= 0 && masks[s] == masks[p] ? run[p] + 1 : 1;
    repeats *= run[s];
  }
  return orderings_ / repeats;
}

std::int64_t ExactBoards::CompletionCount() const {
  std::int64_t count = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    VisitItem(i, [&](const BoardCompletion& completion) { count += completion.weight; });
  }
  return count;
}

}  // namespace zuv::sim
