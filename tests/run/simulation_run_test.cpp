#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <qcustomplot.h>
#include <set>

#include "platform/callback.h"
#include "platform/graphics_items.h"
#include "run/run_test_support.h"
#include "sim/start_hands.h"
#include "stats/win_stat_window.h"

namespace zuv {
namespace {

using testing::FixBoard;
using testing::FixSeatCards;
using testing::RunTest;
using testing::Sum;
using testing::WinStatWindows;

QString Text(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text();
  return {};
}

TEST_F(RunTest, OneActiveSeatShowsTheHelpAndChangesNothing) {
  app->SETUP.NrOfSims = 1000;
  run("CBStartSimulation");
  const SimRecord before = app->SIM;
  ASSERT_EQ(WinStatWindows().size(), 1u);

  app->activeplayers(2) = 0;
  app->simulateplayers(2) = 0;
  run("CBStartSimulation");

  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_EQ(app->messages.open()[0].title, "Setup error");
  EXPECT_EQ(app->messages.open()[0].text, "At least two players must be active!");
  EXPECT_EQ(app->SIM.WinRecord, before.WinRecord);
  EXPECT_EQ(app->SIM.WinStat2, before.WinStat2);
  EXPECT_EQ(app->SIM.Statistic, before.Statistic);
  EXPECT_EQ(WinStatWindows().size(), 1u);
  EXPECT_EQ(Text(app->UICONTROLS.handle[kStartButton]), "Start simulation");
  EXPECT_EQ(Text(app->UICONTROLS.handle[kCounter]), "1,000 of 1,000 hands · 100 %");
}

TEST_F(RunTest, CommandsTakeNoArguments) {
  for (const char* name : {"CBStartSimulation", "CBStopSimulation", "CBShowHands", "CBShowSplittedHands"}) {
    EXPECT_FALSE(app->run(std::string(name) + "(1)"));
    EXPECT_EQ(app->commands.lastError(), TooManyInputsError(name, 0));
  }
  EXPECT_EQ(app->SIM.stopsim, 0);
  EXPECT_EQ(app->SIM.showhands, 0);
  EXPECT_TRUE(WinStatWindows().empty());
}

TEST_F(RunTest, RecordsThatCannotBeDealtAreRefusedWithAMessage) {
  // A seat marked as fixed without its cards, as a damaged setup could leave it.
  app->simulateplayers(2) = 0;
  app->SIM.WinRecord.assign(10, 7.0);
  run("CBStartSimulation");
  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_EQ(app->messages.open()[0].title, "Setup error");
  EXPECT_TRUE(app->messages.open()[0].text.contains("Player 2"));
  EXPECT_EQ(app->SIM.WinRecord, std::vector<double>(10, 7.0));
  EXPECT_TRUE(WinStatWindows().empty());
  EXPECT_EQ(Text(app->UICONTROLS.handle[kStartButton]), "Start simulation");

  // A range that the dead cards leave empty: the engine's words name the seat as the window does.
  app->messages.closeAll();
  app->simulateplayers(2) = 1;
  app->player(2).Range = "AA";
  app->TABLE.deadcards = {13, 26, 39};
  run("CBStartSimulation");
  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_EQ(app->messages.open()[0].text, "Player 2: no combination of 'AA' is possible with the cards on the table");
  EXPECT_EQ(app->SIM.WinRecord, std::vector<double>(10, 7.0));
}

TEST_F(RunTest, StatisticsAddUpToTheHands) {
  for (int seats : {2, 3, 10}) {
    SCOPED_TRACE(seats);
    for (int p = 1; p <= seats; ++p) testing::ActivateSeat(*app, p);
    app->SETUP.NrOfSims = seats == 3 ? 2500 : 1000;
    run("CBStartSimulation");
    const double hands = app->SETUP.NrOfSims;
    EXPECT_EQ(app->SIM.WinRecord.size(), 10u);
    EXPECT_EQ(app->SIM.WinStat.size(), 90u);
    EXPECT_EQ(app->SIM.WinStat2Players, seats);
    EXPECT_EQ(app->SIM.WinStat2.size(), 90u * seats);
    EXPECT_EQ(app->SIM.Statistic.size(), 10u * 169 * 9);
    EXPECT_NEAR(Sum(app->SIM.WinRecord), hands, 1e-9);
    EXPECT_NEAR(Sum(app->SIM.WinStat), hands, 1e-9);
    EXPECT_NEAR(Sum(app->SIM.WinStat2), hands, 1e-9);
    EXPECT_NEAR(Sum(app->SIM.Statistic), hands, 1e-9);
    // Every pot lands in the layer of its table size.
    double atThisTable = 0;
    for (int s = 1; s <= 169; ++s) {
      for (int h = 1; h <= 9; ++h) atThisTable += app->SIM.Statistic[(seats - 1) + 10 * (s - 1) + 1690 * (h - 1)];
    }
    EXPECT_NEAR(atThisTable, hands, 1e-9);
    // WinStat is WinStat2 summed over the number of winners.
    for (int i = 0; i < 90; ++i) {
      double layers = 0;
      for (int k = 0; k < seats; ++k) layers += app->SIM.WinStat2[i + 90 * k];
      EXPECT_NEAR(app->SIM.WinStat[i], layers, 1e-9);
    }
    EXPECT_EQ(Text(app->UICONTROLS.handle[kCounter]),
              seats == 3 ? "2,500 of 2,500 hands · 100 %" : "1,000 of 1,000 hands · 100 %");
  }
  EXPECT_EQ(WinStatWindows().size(), 3u);
}

TEST_F(RunTest, ASplitPotGivesHalfToEachWinnerInEveryStatistic) {
  // With the board As Ks Qs Js and the same two values on both seats, every hand is split.
  FixBoard(*app, {13, 12, 11, 10});
  FixSeatCards(*app, 1, {14, 15});  // 2h 3h
  FixSeatCards(*app, 2, {27, 28});  // 2d 3d
  app->SETUP.NrOfSims = 1;
  run("CBStartSimulation");

  ASSERT_EQ(app->TABLE.winner, (std::vector<int>{1, 2}));
  EXPECT_EQ(app->SIM.WinRecord[0], 0.5);
  EXPECT_EQ(app->SIM.WinRecord[1], 0.5);
  const int h = app->player(1).hand;
  ASSERT_GE(h, 1);
  EXPECT_EQ(app->player(2).hand, h);
  for (int p = 1; p <= 2; ++p) {
    EXPECT_EQ(app->SIM.WinStat[(p - 1) + 10 * (h - 1)], 0.5);
    EXPECT_EQ(app->SIM.WinStat2[(p - 1) + 10 * (h - 1) + 90 * 1], 0.5);
    EXPECT_EQ(app->SIM.WinStat2[(p - 1) + 10 * (h - 1)], 0.0);
  }
  // Both hold three-two suited, starting-hand class 91.
  EXPECT_EQ(app->SIM.Statistic[1 + 10 * 90 + 1690 * (h - 1)], 1.0);
}

TEST_F(RunTest, RunningStateWhileHandsAreDealt) {
  app->SETUP.NrOfSims = 3000;
  bool looked = false;
  duringRun([&] {
    looked = true;
    auto& h = app->UICONTROLS.handle;
    EXPECT_EQ(Text(h[2]), "Stop simulation");
    EXPECT_EQ(Callback(h[2]), "CBStopSimulation");
    EXPECT_FALSE(h[4]->isEnabled());
    EXPECT_TRUE(h[6]->isVisible());
    EXPECT_EQ(Text(h[6]), "Number of simulated hands:");
    EXPECT_TRUE(h[7]->isVisible());
    EXPECT_EQ(Text(h[7]), "");
    EXPECT_FALSE(app->FIGURE.histogramaxes->isVisible());
    EXPECT_EQ(app->FIGURE.histogramaxes->plottableCount(), 0);
    EXPECT_FALSE(app->UIMENULABELS[kFileMenu][kLoadSetupItem]->isEnabled());
    EXPECT_FALSE(app->UIMENULABELS[kFileMenu][kSaveSetupItem]->isEnabled());
    EXPECT_TRUE(app->UIMENULABELS[kFileMenu][kQuitItem]->isEnabled());
    EXPECT_TRUE(h[3]->isEnabled());
    EXPECT_TRUE(h[9]->isEnabled());
    // Every menu item exists and is switched off.
    for (int p = 1; p <= 10; ++p) {
      for (QAction* item : {app->player(p).cmitem1, app->player(p).cmitem2, app->player(p).cmitem3}) {
        EXPECT_TRUE(item && !item->isEnabled()) << p;
      }
    }
    for (QAction* item : {app->TABLE.cmitem1, app->TABLE.cmitem2, app->TABLE.cmitem3, app->TABLE.cmitem4}) {
      EXPECT_TRUE(item && !item->isEnabled());
    }
    // A second start while running is not a second run.
    app->run("CBStartSimulation");
    return true;
  });
  run("CBStartSimulation");
  EXPECT_TRUE(looked);
  EXPECT_NEAR(Sum(app->SIM.WinRecord), 3000, 1e-9);
  EXPECT_EQ(WinStatWindows().size(), 1u);

  // Idle again.
  auto& h = app->UICONTROLS.handle;
  EXPECT_EQ(Text(h[2]), "Start simulation");
  EXPECT_EQ(Callback(h[2]), "CBStartSimulation");
  EXPECT_TRUE(h[4]->isEnabled());
  EXPECT_TRUE(app->UIMENULABELS[kFileMenu][kLoadSetupItem]->isEnabled());
  EXPECT_TRUE(app->UIMENULABELS[kFileMenu][kSaveSetupItem]->isEnabled());
  EXPECT_TRUE(h[6]->isVisible());
  EXPECT_EQ(Text(h[7]), "3,000 of 3,000 hands · 100 %");
  EXPECT_TRUE(app->FIGURE.histogramaxes->isVisible());
  EXPECT_EQ(app->SIM.stopsim, 0);
}

TEST_F(RunTest, TheStartingHandClassOfARandomSeatsWinIsThatOfItsDealtCards) {
  testing::ActivateSeat(*app, 3);
  app->SETUP.SetSeed = 0;  // every run deals new hands
  app->SETUP.NrOfSims = 1;
  for (int n = 0; n < 25; ++n) {
    SCOPED_TRACE(n);
    run("CBStartSimulation");
    const auto& winners = app->TABLE.winner;
    ASSERT_FALSE(winners.empty());
    // The one hand of the run is the hand left on the table.
    std::vector<double> expected(10 * 169 * 9, 0.0);
    for (int w : winners) {
      const auto& cards = app->player(w).Cards;
      ASSERT_EQ(cards.size(), 2u);
      const int start = sim::StartHandClass(cards[0], cards[1]);
      const int h = app->player(w).hand;
      expected[(3 - 1) + 10 * (start - 1) + 1690 * (h - 1)] += 1.0 / static_cast<double>(winners.size());
    }
    EXPECT_EQ(app->SIM.Statistic, expected);
  }
}

TEST_F(RunTest, TheLastHandStaysInTheRecords) {
  testing::ActivateSeat(*app, 5);
  FixSeatCards(*app, 2, {13, 26});  // As Ah
  app->SETUP.NrOfSims = 1500;
  run("CBStartSimulation");

  std::set<int> seen{13, 26};
  for (int p : {1, 5}) {
    ASSERT_EQ(app->player(p).Cards.size(), 2u) << p;
    for (int card : app->player(p).Cards) {
      EXPECT_TRUE(seen.insert(card).second) << "card " << card << " dealt twice";
      EXPECT_EQ(app->cardsindeck(card), 1);
    }
  }
  EXPECT_EQ(app->player(2).Cards, (std::vector<int>{13, 26}));
  EXPECT_EQ(app->simulateplayers(1), 1);
  for (int p : {1, 2, 5}) {
    EXPECT_GE(app->player(p).hand, 1);
    EXPECT_LE(app->player(p).hand, 9);
    EXPECT_FALSE(app->player(p).highcard.empty());
  }
  EXPECT_TRUE(app->player(3).Cards.empty());
  ASSERT_FALSE(app->TABLE.winner.empty());
  for (int w : app->TABLE.winner) EXPECT_TRUE(w == 1 || w == 2 || w == 5);
  EXPECT_TRUE(app->TABLE.boardcards.empty());
}

TEST_F(RunTest, ShowHandsBoxFlipsTheFlagAndSwitchingOffClearsTheTable) {
  auto* box = qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kShowHandsBox]);
  box->click();
  EXPECT_EQ(app->SIM.showhands, 1);
  EXPECT_TRUE(box->isChecked());
  app->TABLE.boardcardsimage[4]->setVisible(true);
  run("CBShowHands");
  EXPECT_EQ(app->SIM.showhands, 0);
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(app->TABLE.boardcardsimage[4]->isVisible());
}

TEST_F(RunTest, ShowHandsSwitchedOffDuringTheHoldLetsTheRunGoOn) {
  app->SETUP.NrOfSims = 2000;
  run("CBShowHands");
  bool chartAfterFirstHand = false;
  duringRun([&] {
    // The second hand is on the table while it is held; the chart shows the first.
    if (!Text(app->UICONTROLS.handle[kCounter]).startsWith("2 of 2,000 hands · 0 % · ")) return false;
    EXPECT_TRUE(app->TABLE.boardcardsimage[4]->isVisible());
    chartAfterFirstHand = app->FIGURE.histogramaxes->isVisible() && Sum(app->SIM.WinRecord) == 1.0;
    qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kShowHandsBox])->click();
    EXPECT_FALSE(app->TABLE.boardcardsimage[4]->isVisible());
    return true;
  });
  run("CBStartSimulation");
  EXPECT_TRUE(chartAfterFirstHand);
  EXPECT_EQ(app->SIM.showhands, 0);
  EXPECT_NEAR(Sum(app->SIM.WinRecord), 2000, 1e-9);
  EXPECT_EQ(Text(app->UICONTROLS.handle[kCounter]), "2,000 of 2,000 hands · 100 %");
  EXPECT_EQ(WinStatWindows().size(), 1u);
}

TEST_F(RunTest, StopWhileEveryHandIsShownLeavesTheTableAtRest) {
  app->SETUP.NrOfSims = 50;
  run("CBShowHands");
  duringRun([&] {
    if (!Text(app->UICONTROLS.handle[kCounter]).startsWith("1 of 50 hands · ")) return false;
    EXPECT_TRUE(app->TABLE.boardcardsimage[4]->isVisible());
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");
  EXPECT_EQ(Text(app->UICONTROLS.handle[kCounter]), "1 of 50 hands · 2 %");
  EXPECT_TRUE(app->player(1).Cards.empty());
  // The dealt hand is taken back from the table too: backs for the random
  // seats, no board, no captions.
  EXPECT_FALSE(app->TABLE.boardcardsimage[0]->isVisible());
  EXPECT_FALSE(app->TABLE.boardcardsimage[4]->isVisible());
  EXPECT_FALSE(app->player(1).handtext->isVisible());
  EXPECT_EQ(app->player(1).cardimage[0]->pixmap().cacheKey(), app->DECK.backsideimage.cacheKey());
  EXPECT_EQ(WinStatWindows().size(), 1u);
}

TEST_F(RunTest, EveryShownHandIsHeldWhileEventsAreServedAndAStopDuringTheHoldIsHeard) {
  app->SETUP.NrOfSims = 5;
  run("CBShowHands");
  QElapsedTimer firstShown, secondShown;
  qint64 firstHeld = 0, stopAt = 0;
  int servedWhileFirstHeld = 0;
  duringRun([&] {
    const QString counter = Text(app->UICONTROLS.handle[kCounter]);
    if (counter.startsWith("1 of 5 hands · 20 % · ")) {
      if (!firstShown.isValid()) firstShown.start();
      ++servedWhileFirstHeld;
    } else if (counter.startsWith("2 of 5 hands · 40 % · ")) {
      if (!secondShown.isValid()) {
        secondShown.start();
        firstHeld = firstShown.elapsed();
      }
      if (secondShown.elapsed() >= 300) {
        app->run("CBStopSimulation");
        stopAt = secondShown.elapsed();
        return true;
      }
    }
    return false;
  });
  run("CBStartSimulation");
  ASSERT_TRUE(firstShown.isValid());
  ASSERT_TRUE(secondShown.isValid());
  // The first hand stood for the whole hold, and the window was served all along.
  EXPECT_GE(firstHeld, 1000);
  EXPECT_GT(servedWhileFirstHeld, 10);
  // The stop came while the second hand was held, and no third hand was dealt.
  EXPECT_LT(stopAt, 1200);
  EXPECT_EQ(Text(app->UICONTROLS.handle[kCounter]), "2 of 5 hands · 40 %");
  EXPECT_NEAR(Sum(app->SIM.WinRecord), 2, 1e-9);
  EXPECT_EQ(WinStatWindows().size(), 1u);
}

}  // namespace
}  // namespace zuv
