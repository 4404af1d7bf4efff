#pragma once
// Hand ranges in the notation players write: "QQ", "TT+", "22-55", "AK",
// "AKs", "AKo", "ATs+", "K9+", "A2s-A5s", "K9o-KJo", "AhKh", "random", items
// joined by commas. A range is a set of two-card combinations.
//
// The 13 x 13 starting-hand grid: row and column 0 are the ace, 12 the two;
// pairs on the diagonal, suited hands above it, offsuit hands below it.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zuv::sim {

// Two cards 1..52 of one hand, {lower card number, higher card number}.
using Combo = std::array<int, 2>;

inline constexpr int kAllCombos = 1326;

struct ParsedRange {
  // Sorted and distinct; empty when `problem` is set.
  std::vector<Combo> combos;
  // One line naming the failing part, e.g. "'AKx' is not a hand, ..."; empty
  // when the text parsed. Callers put "seat N: " in front.
  std::string problem;
};

// Letters in either case, "T" for ten, spaces around items allowed. An empty
// text or an empty item is refused.
ParsedRange ParseRange(std::string_view text);

// The shortest usual text of a set of combinations (any order, either card
// first, distinct):
// "random" for all of them, runs of pairs as "TT+" or "22-55", runs of one
// higher card as "ATs+" or "K9o-KJo", or "K9+" where suited and offsuit
// agree, and combinations outside a whole grid cell as "AhKh". Parsing the
// text gives the same set back. Empty set: empty text.
std::string FormatRange(const std::vector<Combo>& combos);

// Grid cell name: "AKs" (row 0, column 1), "AKo" (row 1, column 0), "77".
std::string RangeCellName(int row, int column);

// The combinations of a grid cell (6 for a pair, 4 suited, 12 offsuit), sorted.
std::vector<Combo> RangeCellCombos(int row, int column);

// The grid cell {row, column} a combination belongs to.
std::array<int, 2> RangeCellOf(const Combo& combo);

}  // namespace zuv::sim
