#pragma once
// The board completions of an exact enumeration, each class of suit-symmetric
// completions visited once with its size as weight.
//
// Swapping two suits that the scenario treats alike (the same fixed cards,
// board and dead cards, and every seat's set of possible hole cards mapped
// onto itself, each combination onto one of the same weight) maps deals onto
// deals with the same winners, hand classes, starting-hand classes and weight. Such swaps generate a group that permutes the suits
// within blocks; a completion is a tuple of four 13-bit value masks, one per
// suit, and within a block only non-increasing tuples are visited, weighted by
// the number of distinct reorderings of their masks.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/exact_deals.h"

namespace zuv::sim {

// One board completion.
struct BoardCompletion {
  std::uint64_t bits = 0;    // CardBit of the added cards
  std::uint64_t key = 0;     // CardKey of the added cards, summed
  std::int64_t weight = 0;   // number of symmetric completions it stands for
};

class ExactBoards {
 public:
  explicit ExactBoards(const ExactDeals& deals);

  // Suit block 0..3 of each suit 0..3 (s, h, d, c): suits of one block are interchangeable.
  const std::array<int, 4>& SuitBlocks() const { return block_; }

  // The completions are split into work items by their first two suits'
  // masks, and items of many completions further by the third suit's;
  // VisitItem calls visit(const BoardCompletion&) for each completion of the item.
  std::size_t ItemCount() const { return items_.size(); }
  template <typename Visit>
  void VisitItem(std::size_t item, Visit&& visit) const;

  // Sum of the weights of every item: all completions of the board.
  std::int64_t CompletionCount() const;

 private:
  struct Mask {
    std::uint16_t values;  // 13-bit value mask
    std::uint64_t key;     // CardKey sum of those cards
  };
  struct Item {
    std::uint16_t mask0, mask1;
    std::uint64_t key;
    int used;  // cards taken by suits 0 and 1
    // The third suit's masks: all (n2 < 0), or those of n2 cards from
    // masks_[2][n2] indexes m2Begin..m2End - 1.
    int n2 = -1;
    std::uint32_t m2Begin = 0, m2End = 0;
  };
  std::int64_t Weight(const std::array<std::uint16_t, 4>& masks) const;

  int missing_ = 0;
  std::array<int, 4> block_{};
  std::array<int, 4> previousInBlock_{};  // the lower suit of the same block, or -1
  std::int64_t orderings_ = 1;            // product of the blocks' size factorials
  // Per suit: its masks by card count 0..missing, ascending.
  std::array<std::array<std::vector<Mask>, 6>, 4> masks_;
  std::vector<Item> items_;
};

template <typename Visit>
void ExactBoards::VisitItem(std::size_t index, Visit&& visit) const {
  const Item& item = items_[index];
  std::array<std::uint16_t, 4> masks{item.mask0, item.mask1, 0, 0};
  const int left = missing_ - item.used;
  auto bound = [&](int suit) -> unsigned {
    return previousInBlock_[suit] < 0 ? 0xFFFFu : masks[previousInBlock_[suit]];
  };
  const bool whole = item.n2 < 0;
  for (int n2 = whole ? 0 : item.n2; n2 <= (whole ? left : item.n2); ++n2) {
    const unsigned bound2 = bound(2);
    const auto& thirds = masks_[2][n2];
    const auto end = whole ? thirds.end() : thirds.begin() + item.m2End;
    for (auto m2 = whole ? thirds.begin() : thirds.begin() + item.m2Begin; m2 != end; ++m2) {
      if (m2->values > bound2) break;
      masks[2] = m2->values;
      const unsigned bound3 = bound(3);
      for (const Mask& m3 : masks_[3][left - n2]) {
        if (m3.values > bound3) break;
        masks[3] = m3.values;
        BoardCompletion completion;
        completion.bits = std::uint64_t{item.mask0} | std::uint64_t{item.mask1} << 16 |
                          std::uint64_t{m2->values} << 32 | std::uint64_t{m3.values} << 48;
        completion.key = item.key + m2->key + m3.key;
        completion.weight = Weight(masks);
        visit(completion);
      }
    }
  }
}

}  // namespace zuv::sim
