#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <functional>

#include "sim/hand_range.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

Scenario TwoRandomSeats() {
  Scenario s;
  s.active[0] = s.active[1] = true;
  return s;
}

TEST(CheckScenario, AcceptsGoodTables) {
  EXPECT_EQ(CheckScenario(TwoRandomSeats()), std::nullopt);
  Scenario s = TwoRandomSeats();
  s.fixed[0] = {13, 26};
  s.board = Cards("2c4c5h7d");
  EXPECT_EQ(CheckScenario(s), std::nullopt);
  Scenario ten;
  ten.active.fill(true);
  EXPECT_EQ(CheckScenario(ten), std::nullopt);

  // Seat 1's first combination in card order leaves seat 2 nothing: it fits
  // only with AhKh against Qh2h.
  Scenario secondTry = TwoRandomSeats();
  secondTry.range[0] = ParseRange("AhKh,AhQh").combos;
  secondTry.range[1] = ParseRange("Qh2h,Ah3h").combos;
  EXPECT_EQ(CheckScenario(secondTry), std::nullopt);
  // Three seats and the two missing board cards take the last eight cards.
  Scenario tight = TwoRandomSeats();
  tight.active[2] = true;
  tight.board = Cards("2c3c4c");
  for (int card = 1; tight.dead.size() < 41; ++card) {
    if (std::find(tight.board.begin(), tight.board.end(), card) == tight.board.end()) tight.dead.push_back(card);
  }
  EXPECT_EQ(CheckScenario(tight), std::nullopt);
}

TEST(CheckScenario, RejectsEachKindOfProblemWithOneLine) {
  auto problem = [](const Scenario& s) {
    auto p = CheckScenario(s);
    EXPECT_TRUE(p.has_value());
    if (p) {
      EXPECT_EQ(p->find('\n'), std::string::npos);
    }
    return p.value_or("");
  };
  Scenario one;
  one.active[3] = true;
  EXPECT_NE(problem(one).find("two players"), std::string::npos);

  Scenario board = TwoRandomSeats();
  board.board = Cards("2c4c");
  EXPECT_NE(problem(board).find("0, 3 or 4"), std::string::npos);
  board.board = Cards("2c4c5h7d8d");
  problem(board);

  Scenario dup = TwoRandomSeats();
  dup.fixed[0] = {13, 26};
  dup.board = Cards("2cAs5h");
  EXPECT_NE(problem(dup).find("As is used twice"), std::string::npos);

  Scenario range = TwoRandomSeats();
  range.fixed[1] = {53, 1};
  EXPECT_NE(problem(range).find("not in 1..52"), std::string::npos);

  Scenario half = TwoRandomSeats();
  half.fixed[1] = {5, 0};
  EXPECT_NE(problem(half).find("only one"), std::string::npos);

  Scenario inactive = TwoRandomSeats();
  inactive.fixed[5] = {5, 6};
  EXPECT_NE(problem(inactive).find("Inactive seat 6"), std::string::npos);
}

TEST(CheckScenario, RangesAndDeadCards) {
  auto range = [](std::string_view text) { return ParseRange(text).combos; };
  Scenario good = TwoRandomSeats();
  good.range[0] = range("AA,KK");
  good.range[1] = range("AK,AA");
  good.dead = Cards("2c3c");
  good.board = Cards("AsKs7d");
  EXPECT_EQ(CheckScenario(good), std::nullopt);

  const std::vector<std::pair<std::function<void(Scenario&)>, std::string>> cases = {
      {[](Scenario& s) { s.dead.push_back(0); }, "Card number 0 of the dead cards is not in 1..52"},
      {[](Scenario& s) { s.dead.push_back(s.dead[0]); }, "Card 2c is used twice (the dead cards and the dead cards)"},
      {[](Scenario& s) { s.dead.push_back(s.board[0]); }, "Card As is used twice (the board and the dead cards)"},
      {[&](Scenario& s) { s.range[4] = range("QQ"); }, "Inactive seat 5 has a hand range"},
      {[](Scenario& s) { s.fixed[1] = {5, 6}; }, "seat 2 has fixed cards and a hand range"},
      {[](Scenario& s) { s.range[1].push_back({7, 7}); }, "seat 2: the hand range holds {7, 7}, which is not two different cards 1..52"},
      {[](Scenario& s) { s.range[1].push_back({9, 53}); }, "seat 2: the hand range holds {9, 53}, which is not two different cards 1..52"},
      {[](Scenario& s) { s.range[1].push_back(s.range[1][0]); }, "seat 2: the hand range holds AsKs twice"},
      {[](Scenario& s) { s.range[1].push_back({s.range[1][0][1], s.range[1][0][0]}); },
       "seat 2: the hand range holds AsKs twice"},
      {[&](Scenario& s) { s.range[1] = range("AhKh, AhAc"); s.dead = Cards("Ac"); s.board = Cards("Kh8d9d"); },
       "seat 2: no combination of 'AhAc, AhKh' is possible with the cards on the table"},
      {[&](Scenario& s) { s.range[0] = range("AdAc"); s.range[1] = range("AhAd, AcAh"); s.board.clear(); },
       "The hand ranges share too many cards: no way to deal every seat at once"},
      {[](Scenario& s) {
         s.dead.clear();
         for (int c = 1; c <= 44; ++c) s.dead.push_back(c);
         s.range = {};
         s.board.clear();
       },
       "Each hand deals 9 cards, but only 8 are left after the fixed and dead cards"},
  };
  for (const auto& [change, message] : cases) {
    Scenario s = good;
    change(s);
    EXPECT_EQ(CheckScenario(s).value_or("accepted"), message);
  }
}

}  // namespace
}  // namespace zuv::sim
