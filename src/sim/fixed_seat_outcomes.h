#pragma once
// The deals of a table where every seat holds one pair of cards, counted by
// outcome without dealing the boards one by one.
//
// A board on which no seat can make a flush gives each seat the hand of its
// values alone, so the boards are first counted by their values (a few
// thousand multisets instead of up to 1.7 million boards), each multiset
// standing for every choice of suits among the free cards. Then, suit by
// suit, the boards with enough cards of the suit for some seat's flush are
// gone through by the exact cards of that suit and the values of the others:
// their true outcome replaces the one their values gave. Two suits never both
// have three board cards, so no board is put right twice.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/exact_deals.h"
#include "sim/hand_key.h"

namespace zuv::sim {

// Working space of CountFixedSeatOutcomes, kept by a caller that makes many calls.
struct FixedSeatWork {
  // The result: see CountFixedSeatOutcomes.
  std::vector<std::int64_t> outcomes;
  // The board's value multisets, each seat's hand of values alone on each,
  // the outcome of those hands, and a multiset's index by the evaluator's
  // slot of the first seat's values with it.
  struct ValueSet {
    std::uint32_t key;   // the value part of the cards' key sum
    std::int64_t ways;   // boards of these values among the free cards
  };
  std::vector<ValueSet> sets;
  std::vector<HandKey> hands;
  std::vector<std::uint32_t> outcomeOfSet;
  std::vector<std::uint16_t> setOfSlot;
};

// One hand per seat of `table` (the table's own combinations or any others):
// hands[p] for seat index p of table.seats. Sets work.outcomes[winners << 4 |
// hand class of the best hand] (winners: one bit per seat, in the order of
// table.seats; the vector is resized to 16 << seats) to the number of boards
// with that outcome and returns the number of boards.
using SeatHands = std::array<const HoleCombo*, 10>;
std::int64_t CountFixedSeatOutcomes(const ExactDeals& table, const SeatHands& hands, FixedSeatWork& work);

}  // namespace zuv::sim
