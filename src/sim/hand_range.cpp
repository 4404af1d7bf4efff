#include "sim/hand_range.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "sim/card.h"
#include "sim/quoted_text.h"

namespace zuv::sim {

namespace {

constexpr std::string_view kRankLetters = "23456789tjqka";
constexpr std::string_view kSuitLetters = "shdc";

enum class Kind { kAny, kSuited, kOffsuit };

// A grid cell, or with `plus` a run of cells: the higher value, the lower value
// (equal for a pair) and suited/offsuit/both.
struct CellItem {
  int high = 0;
  int low = 0;
  Kind kind = Kind::kAny;
  bool plus = false;
};

std::optional<int> RankValue(char c) {
  const auto i = kRankLetters.find(c);
  if (i == std::string_view::npos) return std::nullopt;
  return static_cast<int>(i) + 2;
}

std::optional<int> SuitNumber(char c) {
  const auto i = kSuitLetters.find(c);
  if (i == std::string_view::npos) return std::nullopt;
  return static_cast<int>(i) + 1;
}

std::string Lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return s;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Text pasted from elsewhere may hold one item per line: lines that are not
// blank are joined by commas, where the lines themselves have none.
std::string JoinLines(std::string_view text) {
  std::string joined;
  for (std::size_t start = 0; start <= text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    const auto line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (!joined.empty() && joined.back() != ',' && line.front() != ',') joined += ',';
    joined += line;
  }
  return joined;
}

Combo MakeCombo(int a, int b) { return a < b ? Combo{a, b} : Combo{b, a}; }

// "AK", "AKs", "AKo", "QQ", each optionally followed by "+" (lower case).
std::optional<CellItem> ParseCell(std::string_view s) {
  CellItem item;
  if (!s.empty() && s.back() == '+') {
    item.plus = true;
    s.remove_suffix(1);
  }
  if (s.size() < 2 || s.size() > 3) return std::nullopt;
  const auto a = RankValue(s[0]);
  const auto b = RankValue(s[1]);
  if (!a || !b) return std::nullopt;
  item.high = std::max(*a, *b);
  item.low = std::min(*a, *b);
  if (s.size() == 3) {
    if (item.high == item.low) return std::nullopt;  // a pair is neither suited nor offsuit
    if (s[2] == 's') {
      item.kind = Kind::kSuited;
    } else if (s[2] == 'o') {
      item.kind = Kind::kOffsuit;
    } else {
      return std::nullopt;
    }
  }
  return item;
}

void AddCell(int high, int low, Kind kind, std::vector<Combo>& out) {
  for (int s1 = 1; s1 <= 4; ++s1) {
    for (int s2 = 1; s2 <= 4; ++s2) {
      if (high == low ? s2 <= s1 : (kind == Kind::kSuited && s1 != s2) || (kind == Kind::kOffsuit && s1 == s2)) {
        continue;
      }
      out.push_back(MakeCombo(MakeCard(high, s1), MakeCard(low, s2)));
    }
  }
}

// Cells of the same kind with lower values `from`..`to` under `high`; for
// pairs (high == 0) the pairs `from`..`to`.
void AddRun(int high, int from, int to, Kind kind, std::vector<Combo>& out) {
  for (int low = from; low <= to; ++low) AddCell(high == 0 ? low : high, low, kind, out);
}

// One comma-separated item without its weight, trimmed, as typed; problem
// text or nullopt.
std::optional<std::string> ParseItem(std::string_view item, std::vector<Combo>& out) {
  const std::string quoted = QuotedText(item);
  const std::string notAHand = quoted + " is not a hand, a range item such as AKs or a run of cards";
  const std::string s = Lower(item);
  if (s == "random") {
    for (int a = 1; a <= kDeckSize; ++a)
      for (int b = a + 1; b <= kDeckSize; ++b) out.push_back({a, b});
    return std::nullopt;
  }
  if (s.size() == 4 && SuitNumber(s[1]) && SuitNumber(s[3])) {
    const auto v1 = RankValue(s[0]);
    const auto v2 = RankValue(s[2]);
    if (!v1 || !v2) return notAHand;
    const int c1 = MakeCard(*v1, *SuitNumber(s[1]));
    const int c2 = MakeCard(*v2, *SuitNumber(s[3]));
    if (c1 == c2) return quoted + " holds the same card twice";
    out.push_back(MakeCombo(c1, c2));
    return std::nullopt;
  }
  if (const auto dash = s.find('-'); dash != std::string::npos) {
    const auto first = ParseCell(std::string_view(s).substr(0, dash));
    const auto last = ParseCell(std::string_view(s).substr(dash + 1));
    if (!first || !last || first->plus || last->plus) return notAHand;
    const bool pairs = first->high == first->low && last->high == last->low;
    if (pairs) {
      AddRun(0, std::min(first->low, last->low), std::max(first->low, last->low), Kind::kAny, out);
      return std::nullopt;
    }
    const int gap = first->high - first->low;
    if (first->kind != last->kind || gap == 0 || last->high == last->low ||
        (first->high != last->high && last->high - last->low != gap)) {
      return quoted +
             " is not a run: both ends need the same kind and the same higher card, as in A2s-A5s, or the same "
             "gap, as in T9s-65s";
    }
    if (first->high == last->high) {
      AddRun(first->high, std::min(first->low, last->low), std::max(first->low, last->low), first->kind, out);
      return std::nullopt;
    }
    // Connectors and gappers: both cards step down together.
    for (int high = std::min(first->high, last->high); high <= std::max(first->high, last->high); ++high) {
      AddCell(high, high - gap, first->kind, out);
    }
    return std::nullopt;
  }
  const auto cell = ParseCell(s);
  if (!cell) return notAHand;
  if (cell->high == cell->low) {
    AddRun(0, cell->low, cell->plus ? 14 : cell->low, Kind::kAny, out);
  } else {
    AddRun(cell->high, cell->low, cell->plus ? cell->high - 1 : cell->low, cell->kind, out);
  }
  return std::nullopt;
}

// "1", "0", "0.75", ".5", "1.000": a decimal from 0 to 1 in billionths,
// rounded after nine places; nullopt otherwise.
std::optional<Weight> ParseWeight(std::string_view s) {
  const auto point = s.find('.');
  const std::string_view whole = s.substr(0, point);
  const std::string_view places = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  auto digits = [](std::string_view d) { return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; }); };
  if ((whole.empty() && places.empty()) || !digits(whole) || !digits(places)) return std::nullopt;
  const auto firstNonZero = whole.find_first_not_of('0');
  if (firstNonZero != std::string_view::npos && whole.substr(firstNonZero) != "1") return std::nullopt;
  std::uint64_t value = firstNonZero == std::string_view::npos ? 0 : kFullWeight;
  std::uint64_t unit = kFullWeight;
  for (std::size_t i = 0; i < places.size() && i < 10; ++i) {
    const int digit = places[i] - '0';
    if (i == 9) {
      value += digit >= 5 ? 1 : 0;
    } else {
      unit /= 10;
      value += unit * static_cast<std::uint64_t>(digit);
    }
  }
  if (value > kFullWeight) return std::nullopt;
  return static_cast<Weight>(value);
}

constexpr char kValueUpper[] = "23456789TJQKA";

std::string CellText(int high, int low, Kind kind) {
  std::string text{kValueUpper[high - 2], kValueUpper[low - 2]};
  if (kind == Kind::kSuited) text += 's';
  if (kind == Kind::kOffsuit) text += 'o';
  return text;
}

// A cell's part in the text of one weight: out of the range, in it and still
// to be written, or in it and already written by another item (which an item
// may then cover again or not, whichever is shorter).
enum class Cover : std::uint8_t { kOut, kMust, kMay };
// Cells of one row of the grid, indexed by the lower value.
using Line = std::array<Cover, 15>;

// Texts of the runs that write every kMust cell of `line`, highest run first:
// pairs when high == 0, otherwise lower cards under `high`. One run per
// stretch of cells in the range, from its lowest to its highest kMust cell,
// or "+" when the stretch reaches the top.
void RunTexts(int high, const Line& line, Kind kind, std::vector<std::string>& out) {
  const int top = high == 0 ? 14 : high - 1;
  for (int v = top; v >= 2;) {
    if (line[v] == Cover::kOut) {
      --v;
      continue;
    }
    int from = v;
    while (from > 2 && line[from - 1] != Cover::kOut) --from;
    int highest = v;
    while (highest >= from && line[highest] != Cover::kMust) --highest;
    int lowest = from;
    while (lowest <= highest && line[lowest] != Cover::kMust) ++lowest;
    auto cell = [&](int low) { return CellText(high == 0 ? low : high, low, kind); };
    if (lowest == highest) {
      out.push_back(cell(lowest));
    } else if (lowest < highest && v == top) {
      out.push_back(cell(lowest) + "+");
    } else if (lowest < highest) {
      out.push_back(cell(lowest) + "-" + cell(highest));
    }
    v = from - 1;
  }
}

// Length of the items in a text, each with its separator and `extra` more
// characters (its weight).
std::size_t TextLength(const std::vector<std::string>& items, std::size_t extra) {
  std::size_t n = 0;
  for (const auto& item : items) n += item.size() + 2 + extra;
  return n;
}

std::optional<CellItem> GridCell(int row, int column) {
  if (row < 0 || row > 12 || column < 0 || column > 12) return std::nullopt;
  CellItem cell;
  cell.high = 14 - std::min(row, column);
  cell.low = 14 - std::max(row, column);
  cell.kind = row == column ? Kind::kAny : row < column ? Kind::kSuited : Kind::kOffsuit;
  return cell;
}

}  // namespace

ParsedRange ParseRange(std::string_view text) {
  ParsedRange result;
  if (text.size() > kMaxRangeText) {
    result.problem = "the range text " + QuotedText(text) + " is longer than " + std::to_string(kMaxRangeText) +
                     " characters, more than any range needs";
    return result;
  }
  const std::string joined = JoinLines(text);
  text = joined;
  if (text.empty()) {
    result.problem = "the range is empty";
    return result;
  }
  if (text.find_first_of("[]") != std::string_view::npos) {
    result.problem = "the range " + QuotedText(text) +
                     " holds brackets, which ranges do not use: write items joined by commas, and weights as "
                     "AKs:0.5 rather than [50]AKs[/50]";
    return result;
  }
  // A combination is in or out, with its weight: repeats cost nothing.
  std::array<Weight, kAllCombos> weights{};
  std::vector<Combo> combos;
  for (std::size_t start = 0;;) {
    const auto comma = text.find(',', start);
    const auto item = Trim(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (item.empty()) {
      result.problem = "the range " + QuotedText(text) + " has an empty item between commas";
      return result;
    }
    const auto colon = item.find(':');
    Weight weight = kFullWeight;
    if (colon != std::string_view::npos) {
      const auto parsed = ParseWeight(Trim(item.substr(colon + 1)));
      if (!parsed) {
        result.problem = QuotedText(item) + " has a weight that is not a decimal from 0 to 1, such as 0.5";
        return result;
      }
      weight = *parsed;
    }
    combos.clear();
    if (auto problem = ParseItem(Trim(item.substr(0, colon)), combos)) {
      result.problem = *problem;
      return result;
    }
    for (const auto& c : combos) weights[static_cast<std::size_t>(ComboIndex(c))] = weight;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  bool weighted = false;
  for (int i = 0; i < kAllCombos; ++i) {
    if (weights[i] == 0) continue;
    result.combos.push_back(ComboAt(i));
    result.weights.push_back(weights[i]);
    weighted = weighted || weights[i] != kFullWeight;
  }
  if (!weighted) result.weights.clear();
  if (result.combos.empty()) result.problem = "the range " + QuotedText(text) + " holds no hand: every weight is 0";
  return result;
}

namespace {

// The whole grid cells of one weight's combinations: pairs by value, suited
// and offsuit cells by higher and lower value.
struct WholeCells {
  Line pairs{};
  std::array<Line, 15> suited{};
  std::array<Line, 15> offsuit{};
};

// A run of connectors or gappers ("T9s-65s"): the cells (high, high - gap)
// for every high from `bottom` to `top`.
struct Diagonal {
  int gap = 0;
  int top = 0;
  int bottom = 0;
  Kind kind = Kind::kAny;
};

// Connectors are written as a run from three cells on: "AKs-KQs" saves one
// character over "AKs, KQs" and reads like a slip.
constexpr int kShortestDiagonal = 3;

std::vector<Diagonal> DiagonalRuns(const WholeCells& cells) {
  std::vector<Diagonal> runs;
  for (const Kind kind : {Kind::kAny, Kind::kSuited, Kind::kOffsuit}) {
    auto whole = [&](int high, int gap) {
      const bool suited = cells.suited[high][high - gap] == Cover::kMust;
      const bool offsuit = cells.offsuit[high][high - gap] == Cover::kMust;
      return kind == Kind::kAny ? suited && offsuit : kind == Kind::kSuited ? suited : offsuit;
    };
    for (int gap = 1; gap <= 12; ++gap) {
      for (int high = 14; high - gap >= 2; --high) {
        if (!whole(high, gap)) continue;
        const int top = high;
        while (high - 1 - gap >= 2 && whole(high - 1, gap)) --high;
        if (top - high + 1 >= kShortestDiagonal) runs.push_back({gap, top, high, kind});
      }
    }
  }
  return runs;
}

// One row's items: either "K9+" where both kinds agree plus the rest by kind,
// or every kind on its own ("K2s+, K9o+"), whichever writes shorter.
std::vector<std::string> RowTexts(int high, const Line& suited, const Line& offsuit, std::size_t extra) {
  Line both{}, suitedOnly{}, offsuitOnly{};
  for (int low = 2; low < high; ++low) {
    const bool inBoth = suited[low] != Cover::kOut && offsuit[low] != Cover::kOut;
    const bool must = suited[low] == Cover::kMust || offsuit[low] == Cover::kMust;
    both[low] = !inBoth ? Cover::kOut : must ? Cover::kMust : Cover::kMay;
    suitedOnly[low] = inBoth ? Cover::kOut : suited[low];
    offsuitOnly[low] = inBoth ? Cover::kOut : offsuit[low];
  }
  std::vector<std::string> joint, apart;
  RunTexts(high, both, Kind::kAny, joint);
  RunTexts(high, suitedOnly, Kind::kSuited, joint);
  RunTexts(high, offsuitOnly, Kind::kOffsuit, joint);
  RunTexts(high, suited, Kind::kSuited, apart);
  RunTexts(high, offsuit, Kind::kOffsuit, apart);
  return TextLength(apart, extra) <= TextLength(joint, extra) ? apart : joint;
}

// The items of the whole cells with the given runs of connectors: pairs, then
// row by row from the aces, each run after the row of its top cell.
std::vector<std::string> CellItems(const WholeCells& cells, const std::vector<Diagonal>& diagonals, std::size_t extra) {
  WholeCells rows = cells;
  for (const Diagonal& d : diagonals) {
    for (int high = d.bottom; high <= d.top; ++high) {
      if (d.kind != Kind::kOffsuit) rows.suited[high][high - d.gap] = Cover::kMay;
      if (d.kind != Kind::kSuited) rows.offsuit[high][high - d.gap] = Cover::kMay;
    }
  }
  std::vector<std::string> items;
  RunTexts(0, cells.pairs, Kind::kAny, items);
  for (int high = 14; high >= 3; --high) {
    const auto row = RowTexts(high, rows.suited[high], rows.offsuit[high], extra);
    items.insert(items.end(), row.begin(), row.end());
    for (const Diagonal& d : diagonals) {
      if (d.top == high) {
        items.push_back(CellText(d.top, d.top - d.gap, d.kind) + "-" + CellText(d.bottom, d.bottom - d.gap, d.kind));
      }
    }
  }
  return items;
}

// Runs of connectors are taken one at a time, the one that shortens the text
// most first, while one still does.
std::vector<std::string> ShortestCellItems(const WholeCells& cells, std::size_t extra) {
  std::vector<Diagonal> candidates = DiagonalRuns(cells);
  std::vector<Diagonal> chosen;
  std::vector<std::string> best = CellItems(cells, chosen, extra);
  for (;;) {
    std::size_t bestLength = TextLength(best, extra);
    std::optional<std::size_t> pick;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      chosen.push_back(candidates[i]);
      auto items = CellItems(cells, chosen, extra);
      chosen.pop_back();
      if (TextLength(items, extra) < bestLength) {
        bestLength = TextLength(items, extra);
        pick = i;
        best = std::move(items);
      }
    }
    if (!pick) return best;
    chosen.push_back(candidates[*pick]);
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(*pick));
    // Runs with the same top cell in one order, whichever was taken first.
    std::sort(chosen.begin(), chosen.end(), [](const Diagonal& a, const Diagonal& b) {
      return std::tuple(-a.top, a.gap, a.kind) < std::tuple(-b.top, b.gap, b.kind);
    });
  }
}

// The items of FormatRange for combinations of one weight, each to be
// followed by `extra` characters of its weight.
std::vector<std::string> FormatItems(const std::vector<Combo>& combos, std::size_t extra) {
  if (combos.empty()) return {};
  if (combos.size() == kAllCombos) return {"random"};
  std::array<bool, 53 * 53> has{};
  for (const auto& c : combos) has[std::min(c[0], c[1]) * 53 + std::max(c[0], c[1])] = true;
  std::array<bool, 53 * 53> covered{};
  // Whether the cell is whole; its combinations are then written by a cell item.
  auto whole = [&](int high, int low, Kind kind) {
    std::vector<Combo> cell;
    AddCell(high, low, kind, cell);
    if (!std::all_of(cell.begin(), cell.end(), [&](const Combo& c) { return has[c[0] * 53 + c[1]]; })) {
      return Cover::kOut;
    }
    for (const auto& c : cell) covered[c[0] * 53 + c[1]] = true;
    return Cover::kMust;
  };
  WholeCells cells;
  for (int high = 2; high <= 14; ++high) {
    cells.pairs[high] = whole(high, high, Kind::kAny);
    for (int low = 2; low < high; ++low) {
      cells.suited[high][low] = whole(high, low, Kind::kSuited);
      cells.offsuit[high][low] = whole(high, low, Kind::kOffsuit);
    }
  }
  std::vector<std::string> items = ShortestCellItems(cells, extra);

  std::vector<Combo> rest;
  for (const auto& c : combos) {
    if (!covered[std::min(c[0], c[1]) * 53 + std::max(c[0], c[1])]) rest.push_back(MakeCombo(c[0], c[1]));
  }
  std::sort(rest.begin(), rest.end(), [](const Combo& a, const Combo& b) {
    return std::pair(RangeCellOf(a), a) < std::pair(RangeCellOf(b), b);
  });
  for (const auto& c : rest) items.push_back(ComboText(c));
  return items;
}

}  // namespace

std::string ComboText(const Combo& combo) {
  const int low = std::min(combo[0], combo[1]), high = std::max(combo[0], combo[1]);
  // Equal values keep the lower card number, the earlier suit, first.
  return CardValue(low) >= CardValue(high) ? CardSymbol(low) + CardSymbol(high) : CardSymbol(high) + CardSymbol(low);
}

std::string FormatRange(const std::vector<Combo>& combos, const std::vector<Weight>& weights) {
  std::map<Weight, std::vector<Combo>, std::greater<>> byWeight;
  for (std::size_t i = 0; i < combos.size(); ++i) byWeight[weights.empty() ? kFullWeight : weights[i]].push_back(combos[i]);
  std::string text;
  for (const auto& [weight, group] : byWeight) {
    const std::string suffix = weight == kFullWeight ? std::string() : std::string(":").append(FormatWeight(weight));
    for (const auto& item : FormatItems(group, suffix.size())) text.append(text.empty() ? "" : ", ").append(item).append(suffix);
  }
  return text;
}

std::string FormatWeight(Weight weight) {
  if (weight >= kFullWeight) return "1";
  std::string places = std::to_string(kFullWeight + weight).substr(1);
  places.erase(places.find_last_not_of('0') + 1);
  return "0." + (places.empty() ? "0" : places);
}

int ComboIndex(const Combo& combo) {
  const int a = std::min(combo[0], combo[1]) - 1;
  const int b = std::max(combo[0], combo[1]) - 1;
  return a * (2 * kDeckSize - 1 - a) / 2 + (b - a - 1);
}

Combo ComboAt(int index) {
  static const auto kCombos = [] {
    std::array<Combo, kAllCombos> all{};
    int i = 0;
    for (int a = 1; a <= kDeckSize; ++a)
      for (int b = a + 1; b <= kDeckSize; ++b) all[i++] = {a, b};
    return all;
  }();
  return kCombos[static_cast<std::size_t>(index)];
}

std::string RangeCellName(int row, int column) {
  const auto cell = GridCell(row, column);
  return cell ? CellText(cell->high, cell->low, cell->kind) : std::string();
}

std::vector<Combo> RangeCellCombos(int row, int column) {
  std::vector<Combo> combos;
  if (const auto cell = GridCell(row, column)) AddCell(cell->high, cell->low, cell->kind, combos);
  std::sort(combos.begin(), combos.end());
  return combos;
}

std::array<int, 2> RangeCellOf(const Combo& combo) {
  const int a = 14 - std::max(CardValue(combo[0]), CardValue(combo[1]));
  const int b = 14 - std::min(CardValue(combo[0]), CardValue(combo[1]));
  const bool suited = CardSuit(combo[0]) == CardSuit(combo[1]);
  // Suited above the diagonal (row < column), offsuit and pairs below or on it.
  return suited ? std::array<int, 2>{a, b} : std::array<int, 2>{b, a};
}

}  // namespace zuv::sim
