// The statistics window's "Hands" view and its exports.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include "sim/card.h"
#include "sim/hand_range.h"
#include "sim/run_parallel.h"
#include "stats/hands_grid.h"
#include "win_stat_test.h"

namespace zuv {
namespace {

class HandsViewTest : public testing::WinStatTest {
 protected:
  // AhKh against QQ+,AKs and a random hand on the flop Qh7c2h.
  WinStatWindow* openHands() {
    app->SIM.WinStat2Players = 3;
    app->SIM.WinStat2.assign(270, 0.0);
    HandsRun run;
    for (int i = 0; i < 3; ++i) run.table.active[i] = true;
    run.table.fixed[0] = {*sim::ParseCard("Ah"), *sim::ParseCard("Kh")};
    run.table.range[1] = sim::ParseRange("QQ+,AKs").combos;
    run.table.board = *sim::ParseCards("Qh7c2h");
    sim::RunOptions options;
    options.hands = 20'000;
    options.perHand = true;
    run.stats = sim::RunParallel(run.table, options);
    PlotWinStat(*app, "simulated hands", run);
    auto* window = qobject_cast<WinStatWindow*>(app->FIGURE.WinStatFigHandle.data());
    if (window) window->viewTabs()->setCurrentIndex(1);
    return window;
  }
};

TEST_F(HandsViewTest, TheGridOfAChosenSeatColoursItsClassesAndListsTheirCombinations) {
  WinStatWindow* window = openHands();
  ASSERT_NE(window, nullptr);
  HandsView* view = window->handsView();
  EXPECT_TRUE(view->isVisible());
  EXPECT_FALSE(window->plot()->isVisible());
  ASSERT_EQ(view->seatChooser()->count(), 2);
  EXPECT_EQ(view->seatChooser()->itemText(0), "Player 2: QQ+, AKs");
  const HandsGrid* grid = view->grid();
  // AA and AKs are in the range, AKo and 72o are not.
  ASSERT_NE(grid->classAt(0, 0), nullptr);
  ASSERT_NE(grid->classAt(0, 1), nullptr);
  EXPECT_EQ(grid->classAt(1, 0), nullptr);
  EXPECT_EQ(grid->classAt(12, 7), nullptr);
  EXPECT_EQ(grid->classAt(0, 0)->combos, 3);  // the ace of hearts is at seat 1
  EXPECT_NE(grid->colourOf(grid->lowest()), grid->colourOf(grid->highest()));
  view->listCell(0, 0);
  for (const char* hand : {"AsAd", "AsAc", "AdAc"}) EXPECT_TRUE(view->comboList()->text().contains(hand)) << hand;
  EXPECT_FALSE(view->comboList()->text().contains("Ah"));
  EXPECT_TRUE(view->boardTable()->isVisible());
  EXPECT_TRUE(view->boardTable()->text().contains("Flush draw"));
  view->seatChooser()->setCurrentIndex(1);
  EXPECT_NE(view->grid()->classAt(1, 0), nullptr);  // the random seat holds AKo too
}

TEST_F(HandsViewTest, SaveTableAndCopyGiveThePerHandTableWhileHandsShows) {
  WinStatWindow* window = openHands();
  ASSERT_NE(window, nullptr);
  run("CBCopyStatTable");
  const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
  ASSERT_GT(lines.size(), 4);
  EXPECT_TRUE(lines.front().startsWith("Odds\t"));  // where the numbers come from, four lines
  EXPECT_EQ(lines[4], "Seat\tHand\tCombos\tShare %\tWin %\tSE %");
  double classShares = 0;
  for (const QString& line : lines) {
    const QStringList fields = line.split('\t');
    if (fields[0] == "2" && fields[1] == "AKs") {
      EXPECT_EQ(fields[2], "3");
    }
    if (fields[0] == "2" && !fields[1].contains('s') && fields[1].size() == 2) classShares += fields[3].toDouble();
  }
  EXPECT_GT(classShares, 50.0);  // QQ, KK and AA: nine of the twelve combinations
  window->viewTabs()->setCurrentIndex(0);
  run("CBCopyStatTable");
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\r\nSimulated hands\t"));
}

TEST_F(HandsViewTest, ARunStartedInTheWindowShowsItsOwnHands) {
  // The first table: two seats dealt at random.
  app->SETUP.NrOfSims = 3000;
  run("CBStartSimulation");
  auto* window = qobject_cast<WinStatWindow*>(app->FIGURE.WinStatFigHandle.data());
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->handsView()->seatChooser()->count(), 2);
  EXPECT_EQ(window->handsView()->seatChooser()->itemText(1), "Player 2: random");
  double share = 0;
  for (int row = 0; row < 13; ++row) {
    for (int column = 0; column < 13; ++column) {
      if (const sim::HandFigures* cell = window->handsView()->grid()->classAt(row, column)) share += cell->share;
    }
  }
  EXPECT_NEAR(share, 1.0, 1e-12);
}

}  // namespace
}  // namespace zuv
