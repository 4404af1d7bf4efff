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

 private:
  struct Class {
    std::array<std::uint16_t, 10> combo{};  // a way of the class: per seat, an index into table.combos
    std::uint64_t weight = 0;              // the products of its ways' weights, summed
    std::int64_t ways = 0;
  };
  explicit ExactCombinations(const ExactDeals& table) : table_(&table) {}

  const ExactDeals* table_;
  std::vector<Class> classes_;
};

}  // namespace zuv::sim
