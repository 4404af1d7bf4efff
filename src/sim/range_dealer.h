#pragma once
// Deals the hole cards of seats with hand ranges, with the other dealt seats
// and the missing board cards.
//
// The deal is that of a shuffled deck kept only when every seat's cards lie in
// its range, and then kept with the chance of the product of the seats'
// combination weights: a joint choice of one combination per ranged seat in
// which no card appears twice has a chance in proportion to that product
// (all equally likely without weights), and the other seats' cards and the
// board are uniform among the cards left. (Every joint choice leaves the same
// number of cards, so the rest never weights one choice over another.)
//
// How: the joint choices of the narrowest ranges are listed once, up to a size
// limit; a hand picks one of them uniformly, draws the remaining ranged seats
// independently and starts again from the pick if any card repeats. Keeping
// only collision-free draws of a uniform product is uniform on the valid
// choices, and listing the narrow, overlapping ranges makes repeats rare.
// Where repeats would still be the rule (many seats wanting the same few
// cards), CountedChoice chooses for every ranged seat instead.
// Weights: a listed joint choice or a drawn combination is drawn in
// proportion to its weight (the product of the listed seats' weights) by an
// alias table in integers, so only clashing cards send a hand back to its
// pick, however much the weights differ; seats whose possible combinations
// weigh the same are drawn as without weights, with the same random numbers.
// A listed seat whose weights differ a lot lists only its heavy combinations
// and one stand-in for all its light ones, weighing their sum: a joint choice
// holding the stand-in draws one of them by its weight when dealt, and
// starts again if its cards clash. Every joint choice then still has the
// chance of its product of weights, and the listed joint choices keep the
// heavy combinations, which collide most (five seats wanting AA above all
// else), apart without listing every combination of every seat.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/counted_choice.h"
#include "sim/hand_range.h"
#include "sim/random.h"
#include "sim/scenario.h"
#include "sim/weighted_pick.h"

namespace zuv::sim {

// Bit c for card c (1..52).
inline std::uint64_t CardMask(int card) { return std::uint64_t{1} << card; }

// The cards the scenario fixes: hole cards, board and dead cards.
std::uint64_t KnownCards(const Scenario& scenario);

// The combinations of `range` that avoid every card of `known`, in order.
std::vector<Combo> PossibleCombos(const std::vector<Combo>& range, std::uint64_t known);

// The weights of those combinations (`weights` in the order of `range`,
// empty: all full); empty when they are all the same.
std::vector<Weight> PossibleWeights(const std::vector<Combo>& range, const std::vector<Weight>& weights,
                                    std::uint64_t known);

enum class JointChoice { kExists, kNone, kTooHardToTell };

// Whether one combination per range can be chosen with no card twice.
JointChoice FindJointChoice(const std::vector<std::vector<Combo>>& ranges);

class RangeDealer {
 public:
  // nullopt when the scenario's ranges narrow no seat (every range empty or
  // holding every combination of the free cards): then plain dealing applies.
  // The scenario must have passed CheckScenario.
  // `tableLimit` caps the listed joint choices, `countedStates` the memory
  // of counted choosing (0: never); tests lower them to exercise each way.
  static constexpr std::size_t kTableLimit = std::size_t{1} << 16;
  static constexpr std::size_t kCountedStates = std::size_t{1} << 17;
  static std::optional<RangeDealer> For(const Scenario& scenario, std::size_t tableLimit = kTableLimit,
                                        std::size_t countedStates = kCountedStates);

  // Whether hands choose all ranged seats at once by counting, because
  // drawing them would mostly collide.
  bool Counts() const { return counted_.has_value(); }

  // Writes Count() cards in Simulation's dealing order: the first cards of
  // the active seats without fixed cards (ascending), then their second
  // cards, then the missing board cards.
  template <typename Card>
  void Deal(Random& random, Card* out) const;

  int Count() const { return count_; }

 private:
  RangeDealer() = default;
  void BuildTable(std::vector<std::vector<Combo>> ranges, std::vector<std::vector<Weight>> weights,
                  const std::vector<int>& slots, std::size_t tableLimit, std::size_t countedStates);

  // 2^16 mod n for n = 1..64: Random::Below16's bounds in the shuffle.
  static constexpr std::array<std::uint32_t, 65> kShuffleThreshold16 = [] {
    std::array<std::uint32_t, 65> t{};
    for (std::uint32_t n = 1; n <= 64; ++n) t[n] = 65536u % n;
    return t;
  }();

  // A ranged seat drawn on its own: its combinations as card masks and cards.
  struct DrawnSeat {
    std::vector<std::uint64_t> mask;
    std::vector<std::array<std::uint8_t, 2>> cards;
    std::optional<AliasTable> alias;  // by its weights; none: all the same
    std::uint32_t threshold = 0;      // 2^16 mod size, for Random::Below16
    int slot = 0;                     // output place of its first card
    std::uint32_t Pick(Random& random) const {
      return alias ? alias->Draw(random) : random.Below16(static_cast<std::uint32_t>(mask.size()), threshold);
    }
  };

  static DrawnSeat MakeDrawnSeat(const std::vector<Combo>& range, const std::vector<Weight>& weights, int slot);

  // Joint choices of the listed seats: mask and cards (2 per listed seat).
  std::vector<std::uint64_t> tableMask_;
  std::vector<std::uint8_t> tableCards_;
  std::vector<int> tableSlots_;  // output place of each listed seat's first card
  std::uint32_t tableThreshold_ = 0;
  // Draws a joint choice by the product of its listed seats' weights; none
  // when no listed seat has weights.
  std::optional<AliasTable> tableAlias_;
  // Per listed seat, its light combinations, whose stand-in is listed as
  // cards 0 and 0; a seat without one has none. Empty when no seat has one.
  std::vector<DrawnSeat> light_;
  std::vector<DrawnSeat> drawn_;
  // When set, it chooses for every drawn seat and the table is empty.
  std::optional<CountedChoice> counted_;
  // The other seats and the board come from these free cards.
  std::array<std::uint8_t, 64> free_{};
  std::uint32_t freeCount_ = 0;
  std::uint32_t freeThreshold_ = 0;
  std::vector<int> restSlots_;  // output place of each card dealt from free_
  int seatsDealt_ = 0;          // active seats without fixed cards
  int count_ = 0;
};

// Inline: the run loop keeps its generator in registers across the deal.
template <typename Card>
void RangeDealer::Deal(Random& random, Card* out) const {
  const auto tableSize = static_cast<std::uint32_t>(tableMask_.size());
  const std::size_t drawnSeats = drawn_.size();
  std::array<std::uint32_t, 10> pick{};
  std::array<std::uint32_t, 10> lightPick{};
  std::uint32_t entry;
  std::uint64_t used;
  if (counted_) {
    entry = 0;
    used = counted_->Choose(random, pick.data());
  }
  for (bool clash = !counted_; clash;) {
    entry = tableAlias_ ? tableAlias_->Draw(random) : random.Below16(tableSize, tableThreshold_);
    used = tableMask_[entry];
    clash = false;
    if (!light_.empty()) {
      const std::uint8_t* listed = tableCards_.data() + std::size_t{entry} * 2 * tableSlots_.size();
      for (std::size_t s = 0; s < light_.size() && !clash; ++s) {
        if (listed[2 * s] != 0) continue;
        lightPick[s] = light_[s].Pick(random);
        const std::uint64_t m = light_[s].mask[lightPick[s]];
        clash = (used & m) != 0;
        used |= m;
      }
    }
    for (std::size_t j = 0; j < drawnSeats && !clash; ++j) {
      const DrawnSeat& seat = drawn_[j];
      pick[j] = seat.Pick(random);
      const std::uint64_t m = seat.mask[pick[j]];
      clash = (used & m) != 0;
      used |= m;
    }
  }
  const std::uint8_t* listed = tableCards_.data() + std::size_t{entry} * 2 * tableSlots_.size();
  for (std::size_t s = 0; s < tableSlots_.size(); ++s) {
    const std::uint8_t* cards = listed[2 * s] != 0 ? listed + 2 * s : light_[s].cards[lightPick[s]].data();
    out[tableSlots_[s]] = cards[0];
    out[tableSlots_[s] + seatsDealt_] = cards[1];
  }
  for (std::size_t j = 0; j < drawnSeats; ++j) {
    out[drawn_[j].slot] = drawn_[j].cards[pick[j]][0];
    out[drawn_[j].slot + seatsDealt_] = drawn_[j].cards[pick[j]][1];
  }

  const std::size_t rest = restSlots_.size();
  if (rest <= 16) {
    // Few cards: pick among all free cards, again if already taken.
    for (std::size_t i = 0; i < rest; ++i) {
      std::uint8_t card;
      do {
        card = free_[random.Below16(freeCount_, freeThreshold_)];
      } while (used & CardMask(card));
      used |= CardMask(card);
      out[restSlots_[i]] = card;
    }
    return;
  }
  // Many cards: a partial shuffle of the cards still free.
  std::array<std::uint8_t, 64> deck;
  std::uint32_t left = 0;
  for (std::uint32_t i = 0; i < freeCount_; ++i) {
    deck[left] = free_[i];
    left += (used & CardMask(free_[i])) ? 0 : 1;
  }
  for (std::size_t i = 0; i < rest; ++i) {
    const auto range = static_cast<std::uint32_t>(left - i);
    const std::uint32_t j = static_cast<std::uint32_t>(i) + random.Below16(range, kShuffleThreshold16[range]);
    std::swap(deck[i], deck[j]);
    out[restSlots_[i]] = deck[i];
  }
}

}  // namespace zuv::sim
