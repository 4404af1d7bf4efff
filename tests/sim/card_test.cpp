#include "sim/card.h"

#include <gtest/gtest.h>

namespace zuv::sim {
namespace {

TEST(Card, ValuesSuitsAndSymbolsOfTheBlockEdges) {
  struct Case { int card, value, suit; const char* symbol; };
  for (const Case& c : {Case{1, 2, 1, "2s"}, Case{13, 14, 1, "As"}, Case{14, 2, 2, "2h"},
                        Case{39, 14, 3, "Ad"}, Case{40, 2, 4, "2c"}, Case{52, 14, 4, "Ac"}}) {
    EXPECT_EQ(CardValue(c.card), c.value) << c.card;
    EXPECT_EQ(CardSuit(c.card), c.suit) << c.card;
    EXPECT_EQ(CardSymbol(c.card), c.symbol) << c.card;
  }
}

TEST(Card, ParseIsTheInverseOfSymbolForAllCards) {
  for (int card = 1; card <= 52; ++card) {
    EXPECT_EQ(ParseCard(CardSymbol(card)), card);
    EXPECT_EQ(MakeCard(CardValue(card), CardSuit(card)), card);
  }
}

TEST(Card, ParseRejectsEverythingElse) {
  for (const char* bad : {"", "A", "Asx", "as", "AS", "1s", "Ax", "10s", "Ts ", " T"}) {
    EXPECT_FALSE(ParseCard(bad).has_value()) << bad;
  }
  EXPECT_EQ(CardSymbol(0), "??");
  EXPECT_EQ(CardSymbol(53), "??");
}

TEST(Card, ParseCardsReadsRunsOfSymbols) {
  EXPECT_EQ(ParseCards("2c4c5h"), (std::vector<int>{40, 42, 17}));
  EXPECT_EQ(ParseCards(""), std::vector<int>{});
  EXPECT_FALSE(ParseCards("2c4").has_value());
  EXPECT_FALSE(ParseCards("2c4x").has_value());
}

}  // namespace
}  // namespace zuv::sim
