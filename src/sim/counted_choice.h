#pragma once
// A joint choice of one combination per range with no card twice, with a
// chance in proportion to the product of the chosen combinations' weights
// (all alike without weights), by counting over the cards the ranges share.
// Exact for any ranges, and fast where drawing every range at random would
// mostly collide (many seats wanting the same few cards).
//
// Ranges with the same combinations and weights form a group whose seats are
// interchangeable: the group takes a set of combinations and hands them to
// its seats in random order. Sets are counted card by card in increasing
// order: each card is left out, or is the lower card of a combination of a
// group that still has seats to serve. The count remembers the card reached,
// the higher cards already taken and the seats each group still needs: a few
// thousand states for ten seats on twenty cards. Wide ranges have far more
// states; they rarely collide and are dealt otherwise.
//
// Weights: counting uses each group's weights as multiples of their greatest
// common divisor (0.8 and 0.35 are 16 and 7 times 0.05) where those are no
// wider than 256 steps, and the choice is then exact at once. Otherwise it
// uses them rounded up to 1/256 of the group's heaviest, and a chosen set is
// kept with the chance of the true weights over the rounded ones, else chosen
// again: exact, and seldom repeated.

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/hand_range.h"
#include "sim/random.h"

namespace zuv::sim {

class CountedChoice {
 public:
  // `weights[r]` holds the weights of `ranges[r]`'s combinations, or is empty
  // when they are all alike. nullopt when counting needs more than
  // `maxStates` states or the counts pass 2^120.
  static std::optional<CountedChoice> Build(const std::vector<std::vector<Combo>>& ranges,
                                            const std::vector<std::vector<Weight>>& weights, std::size_t maxStates);

  // The number of joint choices, ignoring weights (it may pass 2^64).
  double Total() const { return total_; }

  // The sum over the joint choices of the product of their true weights, in
  // shares of a full weight: Total() without weights.
  double WeightedTotal() const { return weightedTotal_; }

  // About how many card steps a choice takes, its repeats included.
  double Cost() const { return cost_; }

  // Writes the index of the chosen combination of each range to `pick`;
  // returns the cards taken as a mask of bits 1 << card. Total() must be > 0.
  std::uint64_t Choose(Random& random, std::uint32_t* pick) const;

 private:
  using Count = unsigned __int128;

  // One way on from a state: leave its card out (group -1) or take the
  // combination `combo` of `group` with it; `ways` counts the completions.
  struct Option {
    Count ways = 0;
    std::int32_t next = -1;  // the state it leads to; -1: every seat is served
    std::int16_t group = -1;
    std::uint16_t combo = 0;
  };
  struct State {
    Count ways = 0;  // the sum of its options' ways
    std::uint32_t firstOption = 0;
    std::uint32_t options = 0;
  };
  struct Group {
    std::vector<std::uint32_t> members;   // ranges of the group
    std::vector<std::uint64_t> mask;      // per combination: its two cards
    std::vector<std::uint64_t> keep;      // per combination: kept when Below(keepOf) < keep
    std::vector<std::uint64_t> keepOf;    // empty when the group has no weights
  };

  CountedChoice() = default;

  std::vector<State> states_;
  std::vector<Option> options_;
  std::int32_t start_ = -1;
  std::vector<Group> groups_;
  double total_ = 0;
  double weightedTotal_ = 0;
  double cost_ = 0;
};

}  // namespace zuv::sim
