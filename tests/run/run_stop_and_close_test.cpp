#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <qcustomplot.h>

#include <chrono>

#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "platform/random_numbers.h"
#include "run/run_records.h"
#include "run/run_test_support.h"
#include "run/workers/worker_signal.h"
#include "state/main_window.h"
#include "stats/win_stat_window.h"

namespace zuv {
namespace {

using testing::Counter;
using testing::CounterDone;
using testing::RunTest;
using testing::Sum;
using testing::WinStatWindows;

TEST_F(RunTest, StopIsHeardAfterAMultipleOfAThousandHands) {
  testing::FixSeatCards(*app, 2, {13, 26});
  app->SETUP.NrOfSims = 1000000000;
  duringRun([&] {
    if (handsSoFar() < 3000) return false;
    qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->click();
    return true;
  });
  run("CBStartSimulation");

  const long long hands = CounterDone(*app);
  EXPECT_TRUE(Counter(*app).endsWith(" of 1,000,000,000 hands · 0 %")) << Counter(*app).toStdString();
  EXPECT_GE(hands, 3000);
  EXPECT_LT(hands, app->SETUP.NrOfSims);
  EXPECT_EQ(hands % 1000, 0);
  // The hands played on every core are the first ones of the same run on one thread.
  RandomNumbers seeds;
  seeds.reset(app->SETUP.Seed);
  sim::Simulation alone(ScenarioFromRecords(*app), seeds.next());
  sim::RunStats stats;
  alone.Play(hands, stats);
  for (int p = 0; p < kSeats; ++p) EXPECT_EQ(app->SIM.WinRecord[p], stats.Pots(stats.WinRecord[p])) << p;
  EXPECT_NEAR(Sum(app->SIM.WinStat2), static_cast<double>(hands), 1e-6);
  EXPECT_TRUE(app->player(1).Cards.empty());
  EXPECT_EQ(app->player(2).Cards, (std::vector<int>{13, 26}));
  EXPECT_EQ(app->SIM.stopsim, 0);
  EXPECT_EQ(qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->text(), "Start simulation");
  ASSERT_EQ(WinStatWindows().size(), 1u);
  EXPECT_EQ(app->FIGURE.WinStatFigHandle, WinStatWindows()[0]);
  EXPECT_EQ(WinStatWindows()[0]->plot()->yAxis->label(), QString("Percentage of %1 simulated hands").arg(hands));
}

TEST_F(RunTest, StopInsideASlowBlockGivesItUpAndTheCounterEndsOnTheHandsKept) {
  // Ten seats of the same narrow range, too many to count, are drawn again
  // and again until their cards differ: a block takes seconds, and the chart
  // and counter move inside the first one before Stop.
  for (int p = 1; p <= kSeats; ++p) {
    testing::ActivateSeat(*app, p);
    app->player(p).Range = "99+,AJ+,KJ+,QJ";
  }
  app->SETUP.NrOfSims = 1000000;
  double shown = 0;
  duringRun([&] {
    shown = handsSoFar();
    if (shown == 0) return false;
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");

  EXPECT_GT(shown, 0);
  EXPECT_EQ(testing::CounterDone(*app), 0);
  EXPECT_EQ(Sum(app->SIM.WinRecord), 0.0);
  EXPECT_EQ(Sum(app->SIM.WinStat2), 0.0);
  ASSERT_EQ(WinStatWindows().size(), 1u);
  EXPECT_EQ(WinStatWindows()[0]->plot()->yAxis->label(), "Percentage of 0 simulated hands");
}

TEST_F(RunTest, ShowHandsSwitchedOnDuringARunShowsTheHandsAfterTheBlock) {
  app->SETUP.NrOfSims = 1000000000;
  bool switched = false;
  QString shown;
  duringRun([&] {
    if (!switched) {
      if (handsSoFar() < 1000) return false;
      qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kShowHandsBox])->click();
      switched = true;
      return false;
    }
    if (!app->TABLE.boardcardsimage[4]->isVisible()) return false;
    shown = Counter(*app);
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");

  const long long shownDone = QString(shown.section(' ', 0, 0)).remove(',').toLongLong();
  EXPECT_EQ(shownDone % 1000, 1);
  // The run stopped at the hand shown: the same count, without a time left.
  EXPECT_EQ(Counter(*app), shown.section(" · ", 0, 1));
  EXPECT_NEAR(Sum(app->SIM.WinStat2), static_cast<double>(shownDone), 1e-6);
}

TEST_F(RunTest, StopBeforeTheFirstHandShowsZerosWithoutNaN) {
  whenWaiting([&] { app->run("CBStopSimulation"); });
  run("CBStartSimulation");

  EXPECT_EQ(Counter(*app), "0 of 50,000 hands · 0 %");
  EXPECT_EQ(Sum(app->SIM.WinStat2), 0.0);
  QCustomPlot* chart = app->FIGURE.histogramaxes;
  EXPECT_TRUE(chart->isVisible());
  int labels = 0;
  for (int i = 0; i < chart->itemCount(); ++i) {
    if (auto* text = qobject_cast<QCPItemText*>(chart->item(i)); text && text->rotation() != 0) {
      EXPECT_EQ(text->text(), "0.0%");
      ++labels;
    }
  }
  EXPECT_EQ(labels, 2);
  ASSERT_EQ(WinStatWindows().size(), 1u);
  WinStatWindow* window = WinStatWindows()[0];
  EXPECT_EQ(window->plot()->yAxis->label(), "Percentage of 0 simulated hands");
  for (QCPBars* bars : window->winBars()) EXPECT_TRUE(bars->data()->isEmpty());
  for (QCPBars* bars : window->splitBars()) EXPECT_TRUE(bars->data()->isEmpty());
  EXPECT_EQ(window->winBars()[0]->name(), "Player 1 ( - - ): 0.0% (+0.0% split)");
}

TEST_F(RunTest, QuitDuringARunEndsWithoutDrawingOrStatistics) {
  app->SETUP.NrOfSims = 1000000000;
  std::vector<std::string> errors;
  app->commands.setErrorSink([&](const std::string& e) { errors.push_back(e); });
  double atQuit = 0;
  duringRun([&] {
    if (handsSoFar() < 2000) return false;
    atQuit = handsSoFar();
    app->UIMENULABELS[kFileMenu][kQuitItem]->trigger();
    return true;
  });
  run("CBStartSimulation");

  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(app->FIGURE.terminateprogram, 1);
  EXPECT_TRUE(WinStatWindows().empty());
  EXPECT_EQ(app->FIGURE.WinStatFigHandle, nullptr);
  EXPECT_FALSE(app->FIGURE.mainfigurehandle->isVisible());
  // The run returned at the first look after the close, without its end.
  EXPECT_EQ(handsSoFar(), atQuit);
  EXPECT_LT(CounterDone(*app), app->SETUP.NrOfSims);
  EXPECT_EQ(qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->text(), "Stop simulation");
}

TEST_F(RunTest, ClosingTheWindowWhileAHandIsHeldEndsTheRun) {
  app->SETUP.NrOfSims = 50;
  run("CBShowHands");
  duringRun([&] {
    if (app->TABLE.boardcards.size() != 5) return false;
    app->FIGURE.mainfigurehandle->close();
    return true;
  });
  run("CBStartSimulation");

  EXPECT_EQ(app->FIGURE.terminateprogram, 1);
  EXPECT_TRUE(WinStatWindows().empty());
  EXPECT_TRUE(app->FIGURE.histogramaxes->isHidden());
  EXPECT_TRUE(Counter(*app).startsWith("1 of 50 hands · 2 % · ")) << Counter(*app).toStdString();
}

// The last worker's wake held back until the run has seen its workers done
// and left the loop that served the window: the late wake must reach nothing.
TEST_F(RunTest, AWakeArrivingAfterTheRunHasEndedReachesNothing) {
  testing::FixSeatCards(*app, 1, {13, 26});
  testing::FixSeatCards(*app, 2, {12, 25});
  app->runThreads = 2;
  DelayWorkerSignalForTests(std::chrono::milliseconds(100));
  for (int exact : {0, 1}) {
    app->SIM.exact = exact;
    if (exact == 1) testing::FixBoard(*app, {1, 2, 3, 4});
    app->SETUP.NrOfSims = 5000;
    run("CBStartSimulation");
    ASSERT_EQ(WinStatWindows().size(), static_cast<std::size_t>(exact + 1));
    EXPECT_EQ(Counter(*app), exact == 1 ? "44 of 44 deals · 100 %" : "5,000 of 5,000 hands · 100 %");
    // Serves the late wakes.
    pause(0.3);
  }
  DelayWorkerSignalForTests(std::chrono::milliseconds(0));
  EXPECT_EQ(qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->text(), "Start simulation");
}

TEST_F(RunTest, ClosingTheMainWindowClosesTheStatisticsWindows) {
  app->SETUP.NrOfSims = 1000;
  run("CBStartSimulation");
  run("CBStartSimulation");
  ASSERT_EQ(WinStatWindows().size(), 2u);
  run("CBCloseMainWindow");
  drawnow();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(WinStatWindows().empty());
  EXPECT_EQ(app->UICONTROLS.handle[kSplitHandsBox], nullptr);
  EXPECT_TRUE(app->SPLITBARHANDLES.empty());
}

}  // namespace
}  // namespace zuv
