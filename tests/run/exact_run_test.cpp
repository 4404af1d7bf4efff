#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <qcustomplot.h>

#include "run/exact_odds_box.h"
#include "run/run_records.h"
#include "run/run_test_support.h"
#include "sim/exact.h"
#include "stats/text_legend_item.h"
#include "stats/win_stat_window.h"

namespace zuv {
namespace {

using testing::ActivateSeat;
using testing::FixBoard;
using testing::FixSeatCards;
using testing::RunTest;
using testing::Sum;
using testing::WinStatWindows;

QString Counter(App& app) { return qobject_cast<QLabel*>(app.UICONTROLS.handle[kCounter])->text(); }

// The live chart's title: its one text that is not a percentage.
QString ChartTitle(App& app) {
  QCustomPlot* chart = app.FIGURE.histogramaxes;
  for (int i = 0; i < chart->itemCount(); ++i) {
    auto* text = qobject_cast<QCPItemText*>(chart->item(i));
    if (text && !text->text().endsWith('%')) return text->text();
  }
  return {};
}

// The statistics window's last two legend rows, the board's.
QStringList BoardRows(WinStatWindow& window) {
  QStringList rows;
  QCPLegend* legend = window.plot()->legend;
  for (int i = legend->itemCount() - 2; i < legend->itemCount(); ++i) {
    if (auto* text = qobject_cast<TextLegendItem*>(legend->item(i))) rows << text->text();
  }
  return rows;
}

TEST_F(RunTest, ExactOddsSwitchOffTheHandsFieldAndTheHandDisplay) {
  QCheckBox* exact = ExactOddsBox(*app);
  ASSERT_NE(exact, nullptr);
  EXPECT_EQ(exact->text(), "Exact odds (every deal)");
  run("CBShowHands");
  exact->click();
  EXPECT_EQ(app->SIM.exact, 1);
  EXPECT_TRUE(exact->isChecked());
  EXPECT_EQ(app->SIM.showhands, 0);
  EXPECT_FALSE(qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kShowHandsBox])->isChecked());
  EXPECT_FALSE(app->UICONTROLS.handle[kShowHandsBox]->isEnabled());
  EXPECT_FALSE(app->UICONTROLS.handle[kHandsField]->isEnabled());

  run("CBExactOdds");
  EXPECT_EQ(app->SIM.exact, 0);
  EXPECT_FALSE(exact->isChecked());
  EXPECT_TRUE(app->UICONTROLS.handle[kShowHandsBox]->isEnabled());
  EXPECT_TRUE(app->UICONTROLS.handle[kHandsField]->isEnabled());
}

TEST_F(RunTest, AnExactRunEnumeratesEveryDeal) {
  FixSeatCards(*app, 1, {13, 26});  // As Ah
  FixSeatCards(*app, 2, {12, 25});  // Ks Kh
  run("CBExactOdds");
  run("CBStartSimulation");

  const sim::ExactResult engine = sim::Enumerate(ScenarioFromRecords(*app));
  ASSERT_EQ(engine.deals, 1712304);
  EXPECT_EQ(Counter(*app), "1712304");
  EXPECT_EQ(qobject_cast<QLabel*>(app->UICONTROLS.handle[kCounterLabel])->text(), "Number of dealt hands:");
  EXPECT_EQ(ChartTitle(*app), "Exact win rate");
  for (int p = 0; p < kSeats; ++p) EXPECT_EQ(app->SIM.WinRecord[p], sim::RunStats::Pots(engine.stats.WinRecord[p]));
  EXPECT_NEAR(Sum(app->SIM.WinStat2), 1712304, 1e-6);
  EXPECT_NEAR(Sum(app->SIM.Statistic), 1712304, 1e-6);
  ASSERT_EQ(WinStatWindows().size(), 1u);
  EXPECT_EQ(WinStatWindows()[0]->plot()->yAxis->label(), "Percentage of 1712304 deals (exact)");
  EXPECT_EQ(BoardRows(*WinStatWindows()[0]), (QStringList{"Flop: Enumerated", "Turn: Enumerated"}));
  // Idle again, with the hands field still off while exact odds are on.
  EXPECT_EQ(qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->text(), "Start simulation");
  EXPECT_FALSE(app->UICONTROLS.handle[kHandsField]->isEnabled());
  EXPECT_TRUE(ExactOddsBox(*app)->isEnabled());
}

TEST_F(RunTest, AnExactRunTheEngineRefusesIsAMessageAndNothingRuns) {
  // Two seats dealt at random preflop: far more deals than an exact run takes.
  run("CBExactOdds");
  app->SIM.WinRecord.assign(10, 7.0);
  run("CBStartSimulation");

  ASSERT_EQ(app->messages.open().size(), 1u);
  EXPECT_EQ(app->messages.open()[0].title, "Exact odds");
  const QString text = app->messages.open()[0].text;
  EXPECT_TRUE(text.startsWith("Too many deals to enumerate exactly (")) << text.toStdString();
  EXPECT_TRUE(text.endsWith(": untick \"Exact odds (every deal)\" to run a sample instead")) << text.toStdString();
  EXPECT_EQ(app->SIM.WinRecord, std::vector<double>(10, 7.0));
  EXPECT_TRUE(WinStatWindows().empty());
  EXPECT_EQ(qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton])->text(), "Start simulation");
}

TEST_F(RunTest, AStoppedExactRunSaysSo) {
  // As Ad against two random hands on a 2s 8h 8d flop: 966,381,570 deals, gone
  // through board by board for a good part of a second (a fixed hand against
  // one random hand is counted by combinations in a few hundredths).
  FixSeatCards(*app, 1, {13, 39});
  ActivateSeat(*app, 3);
  FixBoard(*app, {1, 20, 33});
  run("CBExactOdds");
  QString titleWhileRunning;
  duringRun([&] {
    if (Counter(*app).toLongLong() == 0) return false;
    titleWhileRunning = ChartTitle(*app);
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");

  const long long deals = Counter(*app).toLongLong();
  EXPECT_GT(deals, 0);
  EXPECT_LT(deals, 966381570LL);
  EXPECT_NEAR(Sum(app->SIM.WinStat2), static_cast<double>(deals), 1e-6 * static_cast<double>(deals));
  ASSERT_EQ(WinStatWindows().size(), 1u);
  EXPECT_EQ(WinStatWindows()[0]->plot()->yAxis->label(),
            QString("Percentage of %1 deals (stopped, not exact)").arg(deals));
  EXPECT_EQ(titleWhileRunning, "Exact win rate");
  EXPECT_EQ(ChartTitle(*app), "Win rate (stopped, not exact)");

  // A sampled run afterwards is simulated again.
  run("CBExactOdds");
  app->SETUP.NrOfSims = 1000;
  run("CBStartSimulation");
  EXPECT_EQ(ChartTitle(*app), "Simulated win rate");
}

}  // namespace
}  // namespace zuv
