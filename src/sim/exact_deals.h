#pragma once
// What the exact enumeration needs to know of a scenario: each active seat's
// possible hole cards and the cards the board may be completed from.

#include <cstdint>
#include <vector>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

// One possible pair of hole cards of a seat.
struct HoleCombo {
  int card1 = 0, card2 = 0;  // card1 < card2
  std::uint64_t bits = 0;    // FastEvaluator::CardBit of both cards
  std::uint64_t key = 0;     // FastEvaluator::CardKey of both cards, summed
  int startClass = 0;        // 1..169
  // The seat's weight of the combination, divided by the greatest common
  // divisor of the seat's weights: 1 for every combination of a seat whose
  // weights are all alike, so that only tables with weights that differ pay for them.
  std::uint64_t weight = 1;
};

struct ExactDeals {
  std::vector<int> seats;                  // active seat indexes 0..9, ascending
  std::vector<std::vector<HoleCombo>> combos;  // per active seat: its possible hole cards
  std::vector<bool> dealt;                 // per active seat: dealt from a range or at random, not fixed
  std::vector<int> fixedBoard;             // the scenario's board cards
  std::vector<int> boardCards;             // cards the board may take: not fixed anywhere, not dead
  std::uint64_t deadBits = 0;              // CardBit of the dead cards
  std::uint64_t fixedHoleBits = 0;         // CardBit of the seats' fixed cards
  int missingBoard = 5;                    // board cards each deal adds
  bool weighted = false;                   // some seat's combinations weigh differently
  // Units of a pot in the statistics of these deals (RunStats::unit):
  // RunStats::kUnit, and with weights the least common multiple of 1..N seats.
  std::int64_t unit = RunStats::kUnit;

  int SeatCount() const { return static_cast<int>(seats.size()); }
};

// Throws std::invalid_argument with CheckScenario's text for a bad scenario.
// A ranged seat keeps the combinations that share no card with the fixed
// cards, the board or the dead cards; a seat without range or fixed cards may
// hold any two of the free cards.
ExactDeals PrepareExactDeals(const Scenario& scenario);

// The seats whose per-hand figures a run keeps: those dealt from a range or
// at random, as seat numbers.
std::vector<int> DealtSeats(const ExactDeals& deals);

// The number of deals, saturated at UINT64_MAX; also UINT64_MAX when the seats
// with ranges leave so many ways that counting them would take more than a
// few hundredths of a second (such tables have far too many deals to enumerate).
std::uint64_t CountExactDeals(const ExactDeals& deals);

// The deals' weights summed (each deal weighs the product of its seats'
// HoleCombo::weight), saturated at UINT64_MAX; UINT64_MAX too where
// CountExactDeals gives up. The number of deals when no seat is weighted.
std::uint64_t WeighExactDeals(const ExactDeals& deals);

// The number of deals estimated from random assignments of the seats, within
// a few percent, in a few milliseconds: for tables too big to count.
double EstimateExactDeals(const ExactDeals& deals);

}  // namespace zuv::sim
