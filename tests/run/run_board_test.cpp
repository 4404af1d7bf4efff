#include <gtest/gtest.h>

#include <QAction>

#include "run/run_test_support.h"

namespace zuv {
namespace {

using testing::FixBoard;
using testing::RunTest;

struct BoardItems {
  bool setFlop, setTurn, releaseFlop, releaseTurn;
  bool operator==(const BoardItems&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BoardItems& b) {
  return out << "{" << b.setFlop << b.setTurn << b.releaseFlop << b.releaseTurn << "}";
}

BoardItems Items(App& app) {
  return {app.TABLE.cmitem1->isEnabled(), app.TABLE.cmitem2->isEnabled(), app.TABLE.cmitem3->isEnabled(),
          app.TABLE.cmitem4->isEnabled()};
}

class RunBoardTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    ASSERT_NE(app->TABLE.cmitem4, nullptr);
    app->SETUP.NrOfSims = 1000;
  }
};

TEST_F(RunBoardTest, FixedFlopAndTurnDealOnlyTheRiver) {
  FixBoard(*app, {1, 20, 33, 46});
  bool sawFullBoard = false;
  duringRun([&] {
    if (app->TABLE.boardcards.size() != 5) return false;
    sawFullBoard = true;
    EXPECT_EQ(std::vector<int>(app->TABLE.boardcards.begin(), app->TABLE.boardcards.begin() + 4),
              (std::vector<int>{1, 20, 33, 46}));
    return true;
  });
  run("CBStartSimulation");
  EXPECT_TRUE(sawFullBoard);
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{1, 20, 33, 46}));
  EXPECT_EQ(Items(*app), (BoardItems{true, true, true, true}));
}

TEST_F(RunBoardTest, FixedFlopKeepsTheFlopAndDropsTheDealtTurn) {
  FixBoard(*app, {1, 20, 33});
  run("CBStartSimulation");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{1, 20, 33}));
  EXPECT_EQ(Items(*app), (BoardItems{true, true, true, false}));
}

TEST_F(RunBoardTest, RandomFlopLeavesAnEmptyBoard) {
  run("CBStartSimulation");
  EXPECT_TRUE(app->TABLE.boardcards.empty());
  EXPECT_EQ(Items(*app), (BoardItems{true, false, false, false}));
}

TEST_F(RunBoardTest, SeatItemsFollowTheSeatsAfterTheRun) {
  testing::FixSeatCards(*app, 4, {13, 26});
  run("CBStartSimulation");
  for (int p = 1; p <= 10; ++p) {
    SCOPED_TRACE(p);
    const PlayerRecord& player = app->player(p);
    ASSERT_NE(player.cmitem3, nullptr);
    EXPECT_TRUE(player.cmitem1->isEnabled());
    EXPECT_EQ(player.cmitem2->isEnabled(), p == 1 || p == 2 || p == 4);
    EXPECT_EQ(player.cmitem3->isEnabled(), p == 4);
  }
}

}  // namespace
}  // namespace zuv
