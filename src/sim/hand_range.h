#pragma once
// Hand ranges in the notation players write: "QQ", "TT+", "22-55", "AK",
// "AKs", "AKo", "ATs+", "K9+", "A2s-A5s", "K9o-KJo", runs of connectors and
// gappers "T9s-65s", "KQo-JTo", "QJ-87", "AhKh", "random", items joined by
// commas, each optionally weighted ("AKs:0.5", "QQ+:0.8"). A range is a set
// of two-card combinations, each with a weight.
//
// The 13 x 13 starting-hand grid: row and column 0 are the ace, 12 the two;
// pairs on the diagonal, suited hands above it, offsuit hands below it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuv::sim {

// Two cards 1..52 of one hand, {lower card number, higher card number}.
using Combo = std::array<int, 2>;

inline constexpr int kAllCombos = 1326;

// How often a seat holds a combination relative to one it always holds, in
// billionths: kFullWeight is 1, 500'000'000 is 0.5. Every decimal of up to
// nine places is exact, so weighted exact odds stay exact fractions.
using Weight = std::uint32_t;
inline constexpr Weight kFullWeight = 1'000'000'000;

// The longest range text read. Real ranges are far shorter: every one of the
// 1,326 combinations written alone with a six-place weight ("AhKh:0.123456,")
// takes under 20,000 characters. The bound keeps hostile texts cheap.
inline constexpr std::size_t kMaxRangeText = 32'000;

struct ParsedRange {
  // Sorted and distinct, each with weight above 0; empty when `problem` is set.
  std::vector<Combo> combos;
  // The weight of each combination, in the order of `combos`; empty when
  // every weight is kFullWeight, as in a range written without weights.
  std::vector<Weight> weights;
  // One line naming the failing part, e.g. "'AKx' is not a hand, ..."; empty
  // when the text parsed. Callers put "seat N: " in front.
  std::string problem;
};

// Letters in either case, "T" for ten, spaces, tabs and line breaks around
// items allowed, a line break between items counting as a comma. A weight
// is a decimal from 0 to 1 after a colon ("AA:0.5", "AA:1", "AA:.25");
// further places than nine are rounded to the nearest billionth. A
// combination named more than once takes the weight of its last mention
// ("QQ+,KK:0.5" holds KK at one half), and weight 0 takes it out. An empty
// text or item, a text longer than kMaxRangeText, or a range left without
// any combination is refused.
ParsedRange ParseRange(std::string_view text);

// The shortest usual text of a set of combinations (any order, either card
// first, distinct):
// "random" for all of them, runs of pairs as "TT+" or "22-55", runs of one
// higher card as "ATs+" or "K9o-KJo", or "K9+" where suited and offsuit
// agree, runs of three or more connectors or gappers as "T9s-65s" where that
// is shorter, and combinations outside a whole grid cell as "AhKh". Parsing the
// text gives the same set back. Empty set: empty text.
// With `weights` (in the order of `combos`, empty: all full), each weight's
// combinations are written that way, full weight first, every item of a
// lighter weight followed by it: "QQ+, AKs:0.5".
std::string FormatRange(const std::vector<Combo>& combos, const std::vector<Weight>& weights = {});

// One combination as FormatRange writes it: the higher value first ("AhKh"),
// a pair in suit order ("QhQd").
std::string ComboText(const Combo& combo);

// A weight as the shortest decimal: "1", "0.75", "0.000000001".
std::string FormatWeight(Weight weight);

// The place 0..1325 of a combination (either card first) among all of them
// in sorted order; ComboAt is its inverse.
int ComboIndex(const Combo& combo);
Combo ComboAt(int index);

// Grid cell name: "AKs" (row 0, column 1), "AKo" (row 1, column 0), "77".
std::string RangeCellName(int row, int column);

// The combinations of a grid cell (6 for a pair, 4 suited, 12 offsuit), sorted.
std::vector<Combo> RangeCellCombos(int row, int column);

// The grid cell {row, column} a combination belongs to.
std::array<int, 2> RangeCellOf(const Combo& combo);

}  // namespace zuv::sim
