#include <gtest/gtest.h>

#include "state/app.h"
#include "state/initial_setup.h"
#include "stats/win_stat_figures.h"

namespace zuv {
namespace {

TEST(StackedClassLabel, WordsStackAndOfKeepsItsNeighbour) {
  App app;
  InitialRecords(app);
  const std::vector<QStringList> expected{
      {"High", "card"}, {"Pair"}, {"Two", "pairs"}, {"Trips"}, {"Straight"}, {"Flush"}, {"Full", "house"},
      {"Four", "of a", "kind"}, {"Straight", "flush"}};
  for (int h = 0; h < 9; ++h) EXPECT_EQ(StackedClassLabel(app.SETUP.handnames[h]), expected[h]) << h;
  EXPECT_EQ(StackedClassLabel("  Four  of a kind "), (QStringList{"Four", "of a", "kind"}));
  EXPECT_EQ(StackedClassLabel("Best of"), (QStringList{"Best", "of"}));
}

TEST(WinStatFigures, ATotalMissedByRoundingIsTheWholeNumberOfHands) {
  App app;
  InitialRecords(app);
  app.SIM.WinStat2Players = 3;
  app.SIM.WinStat2.assign(270, 0.0);
  // Thirds of 3000 three-way pots, added one by one.
  for (int i = 0; i < 3000; ++i) {
    for (int p = 0; p < 3; ++p) app.SIM.WinStat2[p + 180] += 1.0 / 3;
  }
  EXPECT_EQ(WinStatFigures::Read(app).yLabel(), "Percentage of 3000 simulated hands");
}

// Statistics records of a table of `seats` players, filled by hand.
class FiguresTest : public ::testing::Test {
 protected:
  void SetUp() override { InitialRecords(app); }
  void table(int seats) {
    app.TABLE.activeplayers.fill(0);
    app.TABLE.simulateplayers.fill(0);
    for (int p = 1; p <= seats; ++p) app.activeplayers(p) = app.simulateplayers(p) = 1;
    app.SIM.WinStat2Players = seats;
    app.SIM.WinStat2.assign(90 * seats, 0.0);
  }
  // Adds a pot of class h shared by `winners`.
  void pot(int h, std::vector<int> winners) {
    const int k = static_cast<int>(winners.size());
    for (int p : winners) app.SIM.WinStat2[(p - 1) + 10 * (h - 1) + 90 * (k - 1)] += 1.0 / k;
  }
  App app;
};

TEST_F(FiguresTest, TwoPlayersSharesAndRows) {
  table(2);
  app.player(1).Cards = {13, 25};  // As Kh
  app.simulateplayers(1) = 0;
  for (int i = 0; i < 5; ++i) pot(2, {1});
  for (int i = 0; i < 3; ++i) pot(3, {2});
  pot(1, {1, 2});
  pot(1, {1, 2});
  const WinStatFigures figures = WinStatFigures::Read(app);
  EXPECT_EQ(figures.players, (std::vector<int>{1, 2}));
  EXPECT_NEAR(figures.total, 10, 1e-12);
  EXPECT_NEAR(figures.aloneShare[0][1], 50, 1e-12);
  EXPECT_NEAR(figures.aloneShare[1][2], 30, 1e-12);
  // Two shared pots count whole for each of the two winners.
  EXPECT_NEAR(figures.splitShare[0][0], 20, 1e-12);
  EXPECT_NEAR(figures.splitShare[1][0], 20, 1e-12);
  EXPECT_EQ(figures.yLabel(), "Percentage of 10 simulated hands");
  EXPECT_EQ(figures.legendRows(app), (QStringList{"Player 1 (AsKh): 50.0% (+20.0% split)",
                                                  "Player 2 ( - - ): 30.0% (+20.0% split)", "Flop: Simulated",
                                                  "Turn: Simulated"}));
}

TEST_F(FiguresTest, ThreePlayersCountTwoAndThreeWaySplits) {
  table(3);
  pot(5, {1, 2, 3});
  pot(5, {2, 3});
  pot(6, {3});
  pot(9, {1});
  const WinStatFigures figures = WinStatFigures::Read(app);
  EXPECT_NEAR(figures.total, 4, 1e-12);
  EXPECT_NEAR(figures.splitShare[0][4], 25, 1e-12);
  EXPECT_NEAR(figures.splitShare[1][4], 50, 1e-12);
  EXPECT_NEAR(figures.splitShare[2][4], 50, 1e-12);
  EXPECT_NEAR(figures.aloneShare[2][5], 25, 1e-12);
  EXPECT_NEAR(figures.aloneShare[0][8], 25, 1e-12);
  // Shares won alone add up to the hands with a single winner.
  double alone = 0;
  for (const auto& seat : figures.aloneShare) {
    for (double v : seat) alone += v;
  }
  EXPECT_NEAR(alone, 50, 1e-12);
}

TEST_F(FiguresTest, TenPlayersUseEverySplitLayer) {
  table(10);
  std::vector<int> everyone{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  pot(6, everyone);
  for (int k = 2; k <= 9; ++k) pot(1, std::vector<int>(everyone.begin(), everyone.begin() + k));
  const WinStatFigures figures = WinStatFigures::Read(app);
  EXPECT_NEAR(figures.total, 9, 1e-12);
  for (int p = 1; p <= 10; ++p) EXPECT_NEAR(figures.splitShare[p - 1][5], 100.0 / 9, 1e-9) << p;
  // Seat 1 shared all eight class-1 pots, seat 9 only the nine-way one, seat 10 none.
  EXPECT_NEAR(figures.splitShare[0][0], 800.0 / 9, 1e-9);
  EXPECT_NEAR(figures.splitShare[8][0], 100.0 / 9, 1e-9);
  EXPECT_NEAR(figures.splitShare[9][0], 0, 1e-12);
  EXPECT_EQ(figures.legendRows(app).size(), 12);
  EXPECT_EQ(figures.legendRows(app)[9], "Player 10 ( - - ): 0.0% (+11.1% split)");
}

TEST_F(FiguresTest, FixedBoardRowsAndZeroHands) {
  table(2);
  app.SETUP.SimulateFlop = 0;
  app.TABLE.boardcards = {13, 25, 2};  // As Kh 3s
  QStringList rows = WinStatFigures::Read(app).legendRows(app);
  EXPECT_EQ(rows[2], "Flop: AsKh3s");
  EXPECT_EQ(rows[3], "Turn: Simulated");
  // An exact run deals every turn, not a sample of them.
  app.SIM.exact = 1;
  rows = WinStatFigures::Read(app).legendRows(app);
  EXPECT_EQ(rows[2], "Flop: AsKh3s");
  EXPECT_EQ(rows[3], "Turn: Enumerated");
  app.SIM.exact = 0;
  app.SETUP.SimulateTurn = 0;
  app.TABLE.boardcards = {13, 25, 2, 52};
  rows = WinStatFigures::Read(app).legendRows(app);
  EXPECT_EQ(rows[3], "Turn: Ac");

  const WinStatFigures none = WinStatFigures::Read(app);
  EXPECT_EQ(none.total, 0);
  EXPECT_EQ(none.yLabel(), "Percentage of 0 simulated hands");
  EXPECT_EQ(rows[0], "Player 1 ( - - ): 0.0% (+0.0% split)");
  // A seat dealt from a range shows the range, cut short when long.
  app.player(1).Range = "QQ+,AKs";
  app.player(2).Range = "22+,A2s+,K9s+,QTs+";
  rows = WinStatFigures::Read(app).legendRows(app);
  EXPECT_EQ(rows[0], "Player 1 (QQ+,AKs): 0.0% (+0.0% split)");
  EXPECT_EQ(rows[1], QString("Player 2 (22+,A2s+,K9s+,Q") + QChar(0x2026) + "): 0.0% (+0.0% split)");
  for (const auto& seat : none.aloneShare) {
    for (double v : seat) EXPECT_EQ(v, 0.0);
  }
}

}  // namespace
}  // namespace zuv
