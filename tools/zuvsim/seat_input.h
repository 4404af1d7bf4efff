#pragma once
// What a SEAT argument holds: two fixed cards, any two cards ("random"), or a
// hand range such as "QQ+,AKs".

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "sim/hand_range.h"
#include "sim/scenario.h"

namespace zuv::zuvsim {

struct SeatInput {
  std::array<int, 2> fixed{};     // two cards, or {0, 0} when dealt
  std::vector<sim::Combo> range;  // the combinations it may be dealt; empty: any two cards
  std::vector<sim::Weight> weights;  // their weights, in the order of `range`; empty: all full
};

// Reads SEAT argument `text` of seat `seat` (1..10), or says why not in one
// line starting "seat N: ". A range of one combination is the same as those
// two cards fixed, and a range of every combination without weights the same
// as "random".
std::variant<SeatInput, std::string> ParseSeat(const std::string& text, int seat);

// How many combinations seat `seat` (1..10) may hold once the cards known
// elsewhere (other seats' fixed cards, the board, the dead cards) are taken out.
std::int64_t PossibleCombos(const sim::Scenario& scenario, int seat);

// The sum of those combinations' weights ("weighted combos"): PossibleCombos
// for a range without weights.
double PossibleWeight(const sim::Scenario& scenario, int seat);

}  // namespace zuv::zuvsim
