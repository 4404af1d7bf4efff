#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <qcustomplot.h>

#include "run/exact_odds_box.h"
#include "run/run_records.h"
#include "run/run_test_support.h"
#include "sim/card.h"
#include "sim/exact.h"
#include "stats/text_legend_item.h"
#include "stats/win_stat_window.h"

namespace zuv {
namespace {

using testing::ActivateSeat;
using testing::Counter;
using testing::CounterDone;
using testing::FixBoard;
using testing::FixSeatCards;
using testing::RunTest;
using testing::Sum;
using testing::WinStatWindows;

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
  EXPECT_EQ(Counter(*app), "1,712,304 of 1,712,304 deals · 100 %");
  EXPECT_EQ(qobject_cast<QLabel*>(app->UICONTROLS.handle[kCounterLabel])->text(), "Number of dealt hands:");
  EXPECT_EQ(ChartTitle(*app), "Exact win rate");
  for (int p = 0; p < kSeats; ++p) EXPECT_EQ(app->SIM.WinRecord[p], engine.stats.Pots(engine.stats.WinRecord[p]));
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

TEST_F(RunTest, AWeightedExactRunCountsItsDealsNotTheirWeights) {
  FixSeatCards(*app, 1, {13, 39});  // As Ad against KK at half weight or QQ: 12 x 1,712,304 deals
  app->player(2).Range = "KK:0.5,QQ";
  run("CBExactOdds");
  run("CBStartSimulation");
  // The chart's hands are the weights summed: 1 for a KK deal, 2 for a QQ deal.
  EXPECT_NEAR(Sum(app->SIM.WinStat2), 18.0 * 1712304, 1e-6);
  EXPECT_EQ(Counter(*app), "20,547,648 of 20,547,648 deals · 100 %");

  // While a longer run goes: the deals done of the table's, the share and the
  // time left. Two more seats and a flop: the table is gone through board by
  // board, for about two seconds of processor time.
  app->player(2).Range = "random,22+:0.5";  // every hand, the pairs at half weight
  ActivateSeat(*app, 3);
  app->player(3).Range = "22+,A2+";
  ActivateSeat(*app, 4);
  FixBoard(*app, {1, 20, 33});
  const std::int64_t total = static_cast<std::int64_t>(sim::CountDeals(ScenarioFromRecords(*app)));
  QString whileRunning;
  long long doneWhileRunning = 0;
  duringRun([&] {
    if (!Counter(*app).contains(" left") || handsSoFar() == 0) return false;
    whileRunning = Counter(*app).replace('\n', " · ");  // two lines where one is too narrow
    doneWhileRunning = CounterDone(*app);
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");
  const QString ofTotal = QString(" of %1 deals · ").arg(QString::fromStdString(sim::GroupedCount(total)));
  EXPECT_TRUE(whileRunning.contains(ofTotal)) << whileRunning.toStdString();
  EXPECT_TRUE(QRegularExpression(" · \\d+ % · \\d+:\\d\\d left$").match(whileRunning).hasMatch()) << whileRunning.toStdString();
  EXPECT_GT(doneWhileRunning, 0);
  EXPECT_LT(doneWhileRunning, total);
  // Stopped: the deals enumerated, fewer than their weights summed.
  EXPECT_TRUE(Counter(*app).contains(ofTotal));
  EXPECT_GT(Sum(app->SIM.WinStat2), static_cast<double>(CounterDone(*app)));
}

TEST_F(RunTest, AnExactRunWhoseWeightsAreTooFineForPerHandFiguresRunsWithoutThem) {
  // Per-hand figures count pots in finer units than the odds alone, whose sums
  // this weight still fits: the odds come, and the Hands view says why it is empty.
  app->player(1).Range = "AA:0.000000003,KK";
  FixBoard(*app, *sim::ParseCards("2c7d9h"));
  run("CBExactOdds");
  run("CBStartSimulation");
  EXPECT_TRUE(app->messages.open().empty());
  EXPECT_EQ(Counter(*app), "12,842,280 of 12,842,280 deals · 100 %");
  ASSERT_FALSE(WinStatWindows().empty());
  QStringList texts;
  for (const QLabel* label : WinStatWindows().back()->findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains("No per-hand results: this table's exact odds fit only without them.")) << texts.join('|').toStdString();
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
  // As Ad against 22+,A2+ and two random hands on a 2s 8h 8d flop:
  // 113,623,587,000 deals, gone through board by board for about two seconds of
  // processor time (a fixed hand against one random hand is counted by
  // combinations in a few hundredths, and against two in a tenth).
  FixSeatCards(*app, 1, {13, 39});
  app->player(2).Range = "22+,A2+";
  ActivateSeat(*app, 3);
  ActivateSeat(*app, 4);
  FixBoard(*app, {1, 20, 33});
  run("CBExactOdds");
  QString titleWhileRunning;
  duringRun([&] {
    // Some work finished (the counter's deals grow live, before their work is done).
    if (handsSoFar() == 0) return false;
    titleWhileRunning = ChartTitle(*app);
    app->run("CBStopSimulation");
    return true;
  });
  run("CBStartSimulation");

  const long long deals = CounterDone(*app);
  // Stopped: of the table's deals, without a time left.
  EXPECT_TRUE(QRegularExpression("^[\\d,]+ of 113,623,587,000 deals · \\d+ %$").match(Counter(*app)).hasMatch())
      << Counter(*app).toStdString();
  EXPECT_GT(deals, 0);
  EXPECT_LT(deals, 113623587000LL);
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
