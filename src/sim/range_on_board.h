#pragma once
// What a seat's hands make on a fixed flop (or flop and turn): for each
// combination its hand class on the known cards and its draws, and over a
// range the weighted share of combinations making each class or holding each
// draw. Counted over the combinations themselves, no sampling.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "sim/hand_key.h"
#include "sim/hand_range.h"
#include "sim/scenario.h"

namespace zuv::sim {

enum class StraightDraw { kNone, kGutshot, kOpenEnded };

// One combination on the board.
struct ComboOnBoard {
  int handClass = 0;  // 1..9 on the hole cards and the board
  // Four cards of one suit, at least one of them a hole card; only below a flush.
  bool flushDraw = false;
  // Values that would complete a straight the board alone would not: one is a
  // gutshot (four outs), two an open-ended draw or a double gutshot (eight
  // outs). Only below a straight.
  StraightDraw straightDraw = StraightDraw::kNone;
};

// "Flush draw", "Open-ended", "Gutshot": the draws in the order of RangeOnBoard::draws.
inline constexpr std::array<std::string_view, 3> kDrawNames{"Flush draw", "Open-ended", "Gutshot"};

struct RangeOnBoard {
  // made[h - 1]: weighted share of the combinations whose hand is class h.
  std::array<double, kHandClasses> made{};
  // Weighted shares of the combinations holding each draw of kDrawNames
  // while below a flush; a hand may hold a flush draw and a straight draw.
  std::array<double, 3> draws{};
  // Combinations the known cards leave possible, and their summed weight.
  int combos = 0;
  double weight = 0.0;
};

// `board`: three or four distinct cards 1..52; the combination's cards differ from them.
ComboOnBoard EvaluateOnBoard(const Combo& combo, std::span<const int> board);

// Over the combinations that share no card with the board or `known` (other
// seats' fixed cards, dead cards). `weights`: one per combination, or empty
// for weight 1 each. A range with nothing left gives all shares 0.
RangeOnBoard EvaluateRangeOnBoard(std::span<const Combo> combos, std::span<const double> weights,
                                  std::span<const int> board, std::span<const int> known = {});

// What seat index 0..9 of `scenario` holds on its fixed board: its fixed
// cards, its range with its weights, or any two cards, less those the other
// seats' fixed cards and the dead cards take. nullopt without a fixed flop
// or for an inactive seat.
std::optional<RangeOnBoard> SeatOnBoard(const Scenario& scenario, int seat);

}  // namespace zuv::sim
