#include "sim/hand_range.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sim/card.h"
#include "sim/random.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

std::vector<Combo> Combos(std::string_view text) {
  const auto parsed = ParseRange(text);
  EXPECT_EQ(parsed.problem, "") << text;
  return parsed.combos;
}

std::string Problem(std::string_view text) {
  const auto parsed = ParseRange(text);
  EXPECT_TRUE(parsed.combos.empty()) << text;
  return parsed.problem;
}

TEST(ParseRange, CountsOfEveryForm) {
  const std::vector<std::pair<std::string_view, std::size_t>> counts = {
      {"QQ", 6},       {"TT+", 30},      {"22-55", 24},   {"AK", 16},      {"AKs", 4},
      {"AKo", 12},     {"ATs+", 16},     {"K9+", 64},     {"A2s-A5s", 16}, {"K9o-KJo", 36},
      {"AhKh", 1},     {"random", 1326}, {"AA+", 6},      {"AKs+", 4},     {"QQ, AKs", 10},
      {"aks,qq", 10},  {"RANDOM", 1326}, {" tt ", 6},     {"AA, AsAh", 6}, {"22+", 78},
      {"T9s-65s", 20}, {"65s-T9s", 20},  {"T8s-64s", 20}, {"KQo-JTo", 36}, {"QJ-87", 80},
      {"AKs-JTs", 16}, {"QQ+,KK:0", 12}, {"AA:0.5", 6},   {"AA:0,AA", 6}};
  for (const auto& [text, n] : counts) EXPECT_EQ(Combos(text).size(), n) << text;
}

TEST(ParseRange, ShortFormsEqualTheirLongForms) {
  EXPECT_EQ(Combos("TT+"), Combos("TT,JJ,QQ,KK,AA"));
  EXPECT_EQ(Combos("22-55"), Combos("44, 55, 22, 33"));
  EXPECT_EQ(Combos("55-22"), Combos("22-55"));
  EXPECT_EQ(Combos("ATs+"), Combos("ATs, AJs, AQs, AKs"));
  EXPECT_EQ(Combos("K9+"), Combos("K9, KT, KJ, KQ"));
  EXPECT_EQ(Combos("A2s-A5s"), Combos("A2s,A3s,A4s,A5s"));
  EXPECT_EQ(Combos("A5s-A2s"), Combos("A2s,A3s,A4s,A5s"));
  EXPECT_EQ(Combos("KJo-K9o"), Combos("K9o,KTo,KJo"));
  EXPECT_EQ(Combos("K9o-KJo"), Combos("K9o,KTo,KJo"));
  EXPECT_EQ(Combos("AK"), Combos("AKs,AKo"));
  EXPECT_EQ(Combos("KA"), Combos("ak"));
  EXPECT_EQ(Combos("ahkh"), Combos("KhAh"));
  EXPECT_EQ(Combos("T9s"), Combos("9Ts"));
  EXPECT_EQ(Combos("T9s-65s"), Combos("65s,76s,87s,98s,T9s"));
  EXPECT_EQ(Combos("64s-T8s"), Combos("T8s,97s,86s,75s,64s"));
  EXPECT_EQ(Combos("KQo-JTo"), Combos("KQo,QJo,JTo"));
  EXPECT_EQ(Combos("QJ-87"), Combos("QJ,JT,T9,98,87"));
}

// Each combination's weight in a parsed range, 0 when it is out.
std::map<Combo, Weight> WeightsOf(std::string_view text) {
  const auto parsed = ParseRange(text);
  EXPECT_EQ(parsed.problem, "") << text;
  std::map<Combo, Weight> weights;
  for (std::size_t k = 0; k < parsed.combos.size(); ++k) {
    weights[parsed.combos[k]] = parsed.weights.empty() ? kFullWeight : parsed.weights[k];
  }
  return weights;
}

TEST(ParseRange, WeightsAreExactAndTheLastMentionWins) {
  const auto kk = Combos("KK");
  const auto qqPlus = WeightsOf("QQ+ , KK:0.5");
  EXPECT_EQ(qqPlus.size(), 18u);
  for (const auto& [combo, weight] : qqPlus) {
    EXPECT_EQ(weight, std::count(kk.begin(), kk.end(), combo) ? kFullWeight / 2 : kFullWeight);
  }
  const std::vector<std::pair<std::string_view, Weight>> single = {
      {"AA:0.75", 750'000'000}, {"AA:.25", 250'000'000},    {"AA:1.000", kFullWeight},
      {"AA: 0.3", 300'000'000}, {"AA:0.000000001", 1},      {"AA:0.1234567894", 123'456'789},
      {"AA:0.1234567895", 123'456'790}, {"KK,AA:0.2,AA:0.9", 900'000'000}};
  for (const auto& [text, weight] : single) {
    for (const auto& c : Combos("AA")) EXPECT_EQ(WeightsOf(text)[c], weight) << text;
  }
  // Weights of 1 are no weights: such a range is the plain one.
  EXPECT_TRUE(ParseRange("AA:1,KK:1.0").weights.empty());
  EXPECT_EQ(ParseRange("AA:0.5,KK").weights.size(), 12u);
}

TEST(ParseRange, ReadsASolverExport) {
  const auto weights =
      WeightsOf("AA:1,KK:1,QQ:1,JJ:0.85,TT:0.6,AKs:1,AKo:0.755,AQs:0.5,AhJh:0.25,T9s-65s:0.3,KQs:0.5,KsQs:0");
  EXPECT_EQ(weights.size(), 74u);
  EXPECT_EQ(weights.at(Combo{Cards("Js")[0], Cards("Jh")[0]}), 850'000'000u);
  EXPECT_EQ(weights.count(Combo{Cards("Ks")[0], Cards("Qs")[0]}), 0u);
  // As pasted from elsewhere: line breaks and tabs between items, a line each.
  EXPECT_EQ(WeightsOf("AA:1,\r\n\tAKs: 0.75\n\nKQs:0.5\n"), WeightsOf("AA,AKs:0.75,KQs:0.5"));
}

TEST(ParseRange, RefusesWeightsAndTextsItCannotRead) {
  for (const char* bad : {"AA:1.5", "AA:", "AA:x", "AA:0.5:0.5", "AA:-0.5", "AA:2", "AA:50%", "AA:1.01"}) {
    EXPECT_NE(Problem(bad).find("is not a decimal from 0 to 1"), std::string::npos) << bad;
  }
  EXPECT_NE(Problem("AA:0").find("holds no hand"), std::string::npos);
  for (const char* bad : {"[50]AA,KK[/50]", "[AA,KK]", "AA,[KK]"}) {
    EXPECT_EQ(Problem(bad), std::string("the range '") + bad +
                                "' holds brackets, which ranges do not use: write items joined by commas, and "
                                "weights as AKs:0.5 rather than [50]AKs[/50]");
  }
  for (const char* bad : {"T9s-64s", "T9s-65o", "AKs-QQ", "T9-65s"}) {
    EXPECT_NE(Problem(bad).find("is not a run"), std::string::npos) << bad;
  }
}

TEST(ParseRange, LongOrStrangeTextsGiveShortOneLineMessages) {
  std::string junk(kMaxRangeText + 1, 'x');
  EXPECT_EQ(Problem(junk), "the range text '" + std::string(40, 'x') + "…' is longer than 32000 characters, more than any range needs");
  std::string repeated;
  while (repeated.size() + 7 <= kMaxRangeText) repeated += "random,";
  EXPECT_EQ(Combos(repeated + "AA").size(), 1326u);
  EXPECT_EQ(Problem("AA,\x1b" "c\x07\rKK"), "'\\x1b" "c\\x07\\rKK' is not a hand, a range item such as AKs or a run of cards");
  // Line breaks are white space between items, never part of one.
  EXPECT_EQ(Problem(std::string(100, '\n') + ",AA"), "the range ',AA' has an empty item between commas");
}

TEST(ParseRange, CombinationsAreSortedDistinctAndOfTheRightCards) {
  const auto ak = Combos("AKs");
  for (const auto& c : ak) {
    EXPECT_LT(c[0], c[1]);
    EXPECT_EQ(CardSuit(c[0]), CardSuit(c[1]));
    EXPECT_EQ(CardValue(c[0]) + CardValue(c[1]), 27);
  }
  for (const auto& c : Combos("AKo")) EXPECT_NE(CardSuit(c[0]), CardSuit(c[1]));
  for (const auto& c : Combos("QQ")) EXPECT_EQ(CardValue(c[0]) * 100 + CardValue(c[1]), 1212);
  const auto all = Combos("random, AA");
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  EXPECT_EQ(std::set<Combo>(all.begin(), all.end()).size(), all.size());
  const auto c = Cards("KhAh");
  EXPECT_EQ(Combos("AhKh"), (std::vector<Combo>{{c[0], c[1]}}));
}

TEST(ParseRange, RefusesWithOneLineNamingThePart) {
  EXPECT_EQ(Problem("AKx"), "'AKx' is not a hand, a range item such as AKs or a run of cards");
  EXPECT_EQ(Problem("QQ, AKx"), "'AKx' is not a hand, a range item such as AKs or a run of cards");
  EXPECT_EQ(Problem(""), "the range is empty");
  EXPECT_EQ(Problem("   "), "the range is empty");
  EXPECT_NE(Problem("AA,,KK").find("empty item"), std::string::npos);
  EXPECT_NE(Problem("AA,").find("empty item"), std::string::npos);
  EXPECT_EQ(Problem("AhAh"), "'AhAh' holds the same card twice");
  EXPECT_NE(Problem("A2s-K5s").find("'A2s-K5s' is not a run"), std::string::npos);
  EXPECT_NE(Problem("A2s-A5o").find("is not a run"), std::string::npos);
  EXPECT_NE(Problem("22-A5s").find("is not a run"), std::string::npos);
  for (const char* bad : {"AAs", "AAo", "TT+-", "A", "AKQ", "1010", "AK s", "AhKx", "XhKh", "AhK", "AKs+5",
                          "AKs-", "-AKs", "QQ+-KK", "AA KK", "randomly"}) {
    EXPECT_NE(Problem(bad).find(std::string("'") + bad + "' is not"), std::string::npos) << bad;
  }
}

TEST(FormatRange, WritesTheUsualShortForms) {
  for (const char* text : {"TT+", "22-55", "ATs+", "K9o-KJo", "K9+", "AhKh", "random", "QQ", "AKo", "AK",
                           "A2s-A5s", "AA, KK, QQ", "TT+, 22-55, AKs, KQo", "T9s-65s", "KQo-JTo", "QJ-87",
                           "T8s-64s", "AKs, KQs", "QQ+, AKs, AQo-J9o, JTs-54s"}) {
    const auto combos = Combos(text);
    if (std::string_view(text) == "AA, KK, QQ") {
      EXPECT_EQ(FormatRange(combos), "QQ+");
    } else {
      EXPECT_EQ(FormatRange(combos), text);
    }
  }
  EXPECT_EQ(FormatRange(Combos("AKs, AKo")), "AK");
  EXPECT_EQ(FormatRange(Combos("K2s+, K9o+")), "K2s+, K9o+");
  EXPECT_EQ(FormatRange(Combos("K5s-K7s, K5o-K7o, K9s")), "K5-K7, K9s");
  EXPECT_EQ(FormatRange(Combos("AsAh, AhKh, 7c2d, AKo")), "AKo, AsAh, AhKh, 7c2d");
  EXPECT_EQ(FormatRange({}), "");
  const auto weighted = ParseRange("QQ+,AKs:0.5,JJ:0.25,AKo:0.5,AA:0.75,AA");
  EXPECT_EQ(FormatRange(weighted.combos, weighted.weights), "QQ+, AK:0.5, JJ:0.25");
  const auto runs = ParseRange("T9s-65s:0.5,98s,AKs-QJs:0.5");
  EXPECT_EQ(FormatRange(runs.combos, runs.weights), "98s, AKs-QJs:0.5, T9s:0.5, 87s-65s:0.5");
  EXPECT_EQ(FormatWeight(1), "0.000000001");
  EXPECT_EQ(FormatWeight(kFullWeight), "1");
}

TEST(FormatRange, ParsingTheTextGivesTheSameCombinations) {
  const auto all = Combos("random");
  Random random(7);
  for (int round = 0; round < 300; ++round) {
    // Whole cells with some cards missing, so that runs, cells and single
    // combinations all occur.
    std::vector<Combo> subset;
    const std::uint32_t keepCell = random.Below(100);
    for (int row = 0; row < 13; ++row) {
      for (int column = 0; column < 13; ++column) {
        if (random.Below(100) >= keepCell) continue;
        const bool whole = random.Below(4) != 0;
        for (const auto& c : RangeCellCombos(row, column)) {
          if (whole || random.Below(2)) subset.push_back(c);
        }
      }
    }
    // A run of connectors or gappers, sometimes crossing the cells above.
    const int gap = 1 + static_cast<int>(random.Below(12));
    const int length = static_cast<int>(random.Below(static_cast<std::uint32_t>(14 - gap)));
    const std::uint32_t kinds = 1 + random.Below(3);  // suited, offsuit or both
    for (int row = 0; row < length; ++row) {
      for (std::uint32_t kind = 1; kind <= 2; ++kind) {
        if ((kinds & kind) == 0) continue;
        const auto cell = kind == 1 ? RangeCellCombos(row, row + gap) : RangeCellCombos(row + gap, row);
        subset.insert(subset.end(), cell.begin(), cell.end());
      }
    }
    subset.erase(std::unique((std::sort(subset.begin(), subset.end()), subset.begin()), subset.end()), subset.end());
    const std::string text = FormatRange(subset);
    if (subset.empty()) continue;
    EXPECT_EQ(Combos(text), subset) << text;
    // The same with weights, a few of them shared by many combinations.
    std::vector<Weight> weights;
    for (std::size_t k = 0; k < subset.size(); ++k) weights.push_back(kFullWeight / (1 + random.Below(4)) - random.Below(2));
    const std::string weighted = FormatRange(subset, weights);
    const auto parsed = ParseRange(weighted);
    EXPECT_EQ(parsed.combos, subset) << weighted;
    EXPECT_EQ(parsed.weights, weights) << weighted;
  }
}

TEST(RangeGrid, NamesCombinationsAndCellsAgree) {
  EXPECT_EQ(RangeCellName(0, 1), "AKs");
  EXPECT_EQ(RangeCellName(1, 0), "AKo");
  EXPECT_EQ(RangeCellName(7, 7), "77");
  EXPECT_EQ(RangeCellName(0, 12), "A2s");
  EXPECT_EQ(RangeCellName(12, 11), "32o");
  EXPECT_EQ(RangeCellName(13, 0), "");
  EXPECT_TRUE(RangeCellCombos(-1, 0).empty());
  std::set<Combo> seen;
  for (int row = 0; row < 13; ++row) {
    for (int column = 0; column < 13; ++column) {
      const auto combos = RangeCellCombos(row, column);
      EXPECT_EQ(combos.size(), row == column ? 6u : row < column ? 4u : 12u);
      EXPECT_EQ(combos, Combos(RangeCellName(row, column)));
      for (const auto& c : combos) {
        EXPECT_EQ(RangeCellOf(c), (std::array<int, 2>{row, column}));
        seen.insert(c);
      }
    }
  }
  EXPECT_EQ(seen.size(), 1326u);
}

}  // namespace
}  // namespace zuv::sim
