#pragma once
// What the user laid out on the table before a run.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/hand_range.h"

namespace zuv::sim {

struct Scenario {
  // Seat i + 1 takes part in the hands.
  std::array<bool, 10> active{};
  // {0, 0}: the seat's hole cards are dealt at random each hand; otherwise
  // its two fixed cards (1..52). Inactive seats must hold {0, 0}.
  std::array<std::array<int, 2>, 10> fixed{};
  // Fixed board: empty, the flop (3 cards) or flop and turn (4 cards).
  std::vector<int> board;
  // Hand ranges: for a seat dealt at random (fixed {0, 0}), the two-card
  // combinations it may hold, each two different cards (ParseRange writes
  // {lower, higher}; either order is accepted), distinct. Empty:
  // any two free cards, as before ranges existed. Inactive seats and seats
  // with fixed cards must have an empty range.
  std::array<std::vector<std::array<int, 2>>, 10> range{};
  // The weights of a seat's range, in the order of `range`, each in
  // 1..kFullWeight: a deal's chance is in proportion to the product of its
  // seats' weights. Empty: every combination weighs kFullWeight, as in a
  // range written without weights.
  std::array<std::vector<Weight>, 10> weight{};
  // Cards known to be out of play: never dealt, never fixed anywhere.
  std::vector<int> dead;

  int ActiveCount() const;

  // The weight of combination `range[seat][k]` (seat 0..9).
  Weight WeightOf(int seat, std::size_t k) const { return weight[seat].empty() ? kFullWeight : weight[seat][k]; }

  // Gives seat 0..9 a parsed range and its weights.
  void SetRange(int seat, const ParsedRange& parsed);
};

// The first problem of the scenario as one line of text, or nullopt if it can
// be run: fewer than two active seats, a board of other than 0, 3 or 4 cards,
// a card outside 1..52, a seat with only one fixed card, cards on an inactive
// seat, a card used twice (dead cards included), a range on an inactive seat or
// beside fixed cards, weights not matching the range or outside
// 1..kFullWeight, a range with a bad or repeated combination or none that
// the known cards leave possible, fewer free cards than a hand deals, or
// ranges that no joint deal satisfies. A seat is named `seatWord` and its
// number ("seat 3"; the window calls its seats players).
std::optional<std::string> CheckScenario(const Scenario& scenario, std::string_view seatWord = "seat");

}  // namespace zuv::sim
