#pragma once
// Exact odds by the seats' joint combinations: each way of giving every seat
// one of its combinations is a table of fixed hands, whose boards
// CountFixedSeatOutcomes counts by values. Ways that a swap of suits maps
// onto each other (the swap keeping the fixed board and the dead cards) have
// the same outcomes, hand classes and starting-hand classes, so each class of
// them is counted once, with the weights and the number of its ways.
//
// This pays when the ways are few against the deals: two fixed hands, two
// ranges of a few dozen combinations, a hand against any two cards, a few
// narrow ranges. Tables with many ways and few boards each (ranges on the
// turn) go board by board instead.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/exact_deals.h"
#include "sim/fixed_seat_outcomes.h"
#include "sim/per_hand_stats.h"
#include "sim/run_stats.h"

namespace zuv::sim {

class ExactCombinations {
 public:
  // The processor time counting by combinations is expected to take, or
  // nullopt when going board by board is expected to be quicker (or the ways
  // are too many to list); `deals` counts the table's deals (CountExactDeals).
  static std::optional<double> ExpectedSeconds(const ExactDeals& table, std::uint64_t deals);
  // The classes of the table's ways, or nullopt as above.
  static std::optional<ExactCombinations> Of(const ExactDeals& table, std::uint64_t deals);

  std::size_t ClassCount() const { return classes_.size(); }

  // Adds the statistics of every deal of class `index` to `stats` (hands: the
  // deals' weights summed; WinRecord and WinStat are left to FillWinSums),
  // the units each seat index 0..9 won to `seatUnits`, and returns the
  // number of its deals. `work` is working space.
  std::int64_t Score(std::size_t index, RunStats& stats, std::array<std::int64_t, 10>& seatUnits,
                     FixedSeatWork& work) const;

  // Per-hand figures of the class Score counted last into `work`: calls
  // visit(entry, held, won) for every way of the class and every seat dealt
  // from a range or at random, with entry its PerHandStats index (the dealt
  // seats' slots in table order), held the way's deals by weight and won the
  // units the seat won in them. Each way is a table of fixed hands, so its
  // figures fall on its own combinations; the ways of a class share the
  // outcomes and differ only in their cards and weights.
  template <typename Visit>
  void VisitPerHand(std::size_t index, const FixedSeatWork& work, Visit&& visit) const;
  // The entries VisitPerHand visits for class `index`: visit(entry, way, seat index p of the table).
  template <typename Visit>
  void VisitPerHandEntries(std::size_t index, Visit&& visit) const;

 private:
  struct Class {
    std::array<std::uint16_t, 10> combo{};  // a way of the class: per seat, an index into table.combos
    std::uint64_t weight = 0;              // the products of its ways' weights, summed
    std::int64_t ways = 0;
    std::size_t firstWay = 0;              // its ways: ways_[firstWay, firstWay + ways)
  };
  // One way of the table; `code` (the smallest of its images' codes under the
  // suit swaps) sorts the ways of a class together.
  struct Way {
    unsigned __int128 code;
    std::uint64_t weight;
    std::array<std::uint16_t, 10> combo;
  };
  explicit ExactCombinations(const ExactDeals& table) : table_(&table) {}

  // Units won by each seat index p of the table per unit of weight in the
  // outcomes of `work`, and the boards they count.
  std::array<std::int64_t, 10> UnitsPerWeight(const FixedSeatWork& work, std::int64_t& boards) const;

  const ExactDeals* table_;
  std::vector<Class> classes_;
  std::vector<Way> ways_;
};

template <typename Visit>
void ExactCombinations::VisitPerHandEntries(std::size_t index, Visit&& visit) const {
  const ExactDeals& table = *table_;
  const Class& c = classes_[index];
  for (std::size_t w = c.firstWay; w < c.firstWay + static_cast<std::size_t>(c.ways); ++w) {
    const Way& way = ways_[w];
    std::size_t slot = 0;
    for (int p = 0; p < table.SeatCount(); ++p) {
      if (!table.dealt[p]) continue;
      const HoleCombo& combo = table.combos[p][way.combo[p]];
      visit(slot++ * kAllCombos + static_cast<std::size_t>(ComboIndex(combo.card1, combo.card2)), way, p);
    }
  }
}

template <typename Visit>
void ExactCombinations::VisitPerHand(std::size_t index, const FixedSeatWork& work, Visit&& visit) const {
  std::int64_t boards = 0;
  const std::array<std::int64_t, 10> units = UnitsPerWeight(work, boards);
  VisitPerHandEntries(index, [&](std::size_t entry, const Way& way, int p) {
    const auto weight = static_cast<std::int64_t>(way.weight);
    visit(entry, boards * weight, units[p] * weight);
  });
}

}  // namespace zuv::sim
