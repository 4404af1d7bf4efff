#include "sim/scenario.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zuv::sim
