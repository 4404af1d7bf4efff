#include "sim/hand_range.h"

#include <gtest/gtest.h>

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
      {"aks,qq", 10},  {"RANDOM", 1326}, {" tt ", 6},     {"AA, AsAh", 6}, {"22+", 78}};
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
                           "A2s-A5s", "AA, KK, QQ", "TT+, 22-55, AKs, KQo"}) {
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
    std::sort(subset.begin(), subset.end());
    const std::string text = FormatRange(subset);
    if (subset.empty()) continue;
    EXPECT_EQ(Combos(text), subset) << text;
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
