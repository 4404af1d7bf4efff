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
  // `fewestItemCompletions`: what an item should hold at least, for a
  // scorer whose hand-over of an item costs as much as hundreds of boards.
  explicit ExactBoards(const ExactDeals& deals, std::size_t fewestItemCompletions = 1);

  // Suit block 0..3 of each suit 0..3 (s, h, d, c): suits of one block are interchangeable.
  const std::array<int, 4>& SuitBlocks() const { return block_; }

  // The completions are split into parts by their first two suits' masks,
  // parts of many completions further by the third suit's, and parts spread
  // over the work items; VisitItem calls visit(const BoardCompletion&) for each completion of the item.
  std::size_t ItemCount() const { return itemCount_; }
  template <typename Visit>
  void VisitItem(std::size_t item, Visit&& visit) const;

  // Sum of the weights of every item: all completions of the board.
  std::int64_t CompletionCount() const;

 private:
  struct Mask {
    std::uint16_t values;  // 13-bit value mask
    std::uint64_t key;     // CardKey sum of those cards
  };
  // A piece of work: the completions with these first two suits' masks.
  struct Part {
    std::uint16_t mask0, mask1;
    std::uint64_t key;
    int used;  // cards taken by suits 0 and 1
    // The third suit's masks: all (n2 < 0), or those of n2 cards from
    // masks_[2][n2] indexes m2Begin..m2End - 1.
    int n2 = -1;
    std::uint32_t m2Begin = 0, m2End = 0;
  };
  std::int64_t Weight(const std::array<std::uint16_t, 4>& masks) const;
  template <typename Visit>
  void VisitPart(const Part& part, Visit& visit) const;

  int missing_ = 0;
  std::array<int, 4> block_{};
  std::array<int, 4> previousInBlock_{};  // the lower suit of the same block, or -1
  // The blocks' orderings (product of their sizes' factorials) over a product
  // of multiplicities' factorials, by that product (at most 4! = 24): no division per board.
  std::array<std::int64_t, 25> weightOfRepeats_{};
  // Per suit: its masks by card count 0..missing, ascending.
  std::array<std::array<std::vector<Mask>, 6>, 4> masks_;
  std::vector<Part> parts_;
  std::size_t itemCount_ = 0;  // item i: parts_[i], parts_[i + itemCount_], ...
};

// Inline: it runs once per board.
inline std::int64_t ExactBoards::Weight(const std::array<std::uint16_t, 4>& masks) const {
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
  return weightOfRepeats_[repeats];
}

template <typename Visit>
void ExactBoards::VisitItem(std::size_t index, Visit&& visit) const {
  for (std::size_t p = index; p < parts_.size(); p += itemCount_) VisitPart(parts_[p], visit);
}

template <typename Visit>
void ExactBoards::VisitPart(const Part& part, Visit& visit) const {
  std::array<std::uint16_t, 4> masks{part.mask0, part.mask1, 0, 0};
  const int left = missing_ - part.used;
  auto bound = [&](int suit) -> unsigned {
    return previousInBlock_[suit] < 0 ? 0xFFFFu : masks[previousInBlock_[suit]];
  };
  const bool whole = part.n2 < 0;
  for (int n2 = whole ? 0 : part.n2; n2 <= (whole ? left : part.n2); ++n2) {
    const unsigned bound2 = bound(2);
    const auto& thirds = masks_[2][n2];
    const auto end = whole ? thirds.end() : thirds.begin() + part.m2End;
    for (auto m2 = whole ? thirds.begin() : thirds.begin() + part.m2Begin; m2 != end; ++m2) {
      if (m2->values > bound2) break;
      masks[2] = m2->values;
      const unsigned bound3 = bound(3);
      for (const Mask& m3 : masks_[3][left - n2]) {
        if (m3.values > bound3) break;
        masks[3] = m3.values;
        BoardCompletion completion;
        completion.bits = std::uint64_t{part.mask0} | std::uint64_t{part.mask1} << 16 |
                          std::uint64_t{m2->values} << 32 | std::uint64_t{m3.values} << 48;
        completion.key = part.key + m2->key + m3.key;
        completion.weight = Weight(masks);
        visit(completion);
      }
    }
  }
}

}  // namespace zuv::sim
