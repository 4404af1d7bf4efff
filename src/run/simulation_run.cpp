#include "run/simulation_run.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "run/workers/block_runner.h"
#include "run/exact_odds_box.h"
#include "run/workers/exact_runner.h"
#include "run/result_display.h"
#include "run/run_records.h"
#include "run/win_rate_chart.h"
#include "state/app.h"
#include "stats/win_stat_window.h"
#include "table/card_display.h"

namespace zuv {

namespace {

constexpr long long kRefreshHands = 1000;  // the chart and Stop are served every this many hands
constexpr qint64 kRedrawMilliseconds = 50;  // redraws closer than this are skipped
constexpr int kWorkerTickMilliseconds = 20;  // how often the waiting window looks at the workers

QPushButton* StartButton(App& app) { return qobject_cast<QPushButton*>(app.UICONTROLS.handle[kStartButton]); }

void Enable(QObject* control, bool on) {
  if (auto* action = qobject_cast<QAction*>(control)) action->setEnabled(on);
  if (auto* widget = qobject_cast<QWidget*>(control)) widget->setEnabled(on);
}

void SetCounter(App& app, long long hands) {
  if (auto* counter = qobject_cast<QLabel*>(app.UICONTROLS.handle[kCounter])) counter->setText(QString::number(hands));
}

std::vector<int> RandomSeats(App& app) {
  std::vector<int> seats;
  for (int p = 1; p <= kSeats; ++p) {
    if (app.simulateplayers(p) == 1) seats.push_back(p);
  }
  return seats;
}

void EnterRunningState(App& app, const QString& counterLabel) {
  if (QPushButton* button = StartButton(app)) {
    SetCallback(button, "CBStopSimulation");
    button->setText("Stop simulation");
  }
  for (PlayerRecord& player : app.PLAYER) {
    for (QAction* item : {player.cmitem1, player.cmitem2, player.cmitem3, player.cmitem4}) Enable(item, false);
  }
  const TableRecord& t = app.TABLE;
  for (QAction* item : {t.cmitem1, t.cmitem2, t.cmitem3, t.cmitem4, t.cmitem5, t.cmitem6}) {
    Enable(item, false);
  }
  Enable(app.UICONTROLS.handle[kHandsField], false);
  Enable(ExactOddsBox(app), false);
  ResetResultDisplay(app);
  if (auto* label = qobject_cast<QLabel*>(app.UICONTROLS.handle[kCounterLabel])) {
    label->setText(counterLabel);
    label->show();
  }
  if (auto* counter = qobject_cast<QLabel*>(app.UICONTROLS.handle[kCounter])) {
    counter->setText("");
    counter->show();
  }
  Enable(app.UIMENULABELS[kFileMenu][kLoadSetupItem], false);
  Enable(app.UIMENULABELS[kFileMenu][kSaveSetupItem], false);
  drawnow();
}

// The idle state again: button, hands field, file items, and the context
// items that the seats and the board allow.
void LeaveRunningState(App& app) {
  app.SIM.stopsim = 0;
  if (QPushButton* button = StartButton(app)) {
    SetCallback(button, "CBStartSimulation");
    button->setText("Start simulation");
  }
  Enable(app.UICONTROLS.handle[kHandsField], app.SIM.exact != 1);
  Enable(ExactOddsBox(app), true);
  Enable(app.UIMENULABELS[kFileMenu][kLoadSetupItem], true);
  Enable(app.UIMENULABELS[kFileMenu][kSaveSetupItem], true);
  for (int p = 1; p <= kSeats; ++p) {
    PlayerRecord& player = app.player(p);
    Enable(player.cmitem1, true);
    if (app.activeplayers(p) == 1) {
      Enable(player.cmitem2, true);
      Enable(player.cmitem4, true);
      // Fixed cards and a range can both be released.
      if (app.simulateplayers(p) == 0 || !player.Range.empty()) Enable(player.cmitem3, true);
    }
  }

  // The board keeps only its fixed cards.
  auto& board = app.TABLE.boardcards;
  if (board.size() > 4) board.resize(4);
  Enable(app.TABLE.cmitem1, true);
  Enable(app.TABLE.cmitem5, true);
  Enable(app.TABLE.cmitem6, !app.TABLE.deadcards.empty());
  if (app.SETUP.SimulateFlop == 0) {
    Enable(app.TABLE.cmitem2, true);
    Enable(app.TABLE.cmitem3, true);
    if (app.SETUP.SimulateTurn == 0) {
      Enable(app.TABLE.cmitem4, true);
    } else if (board.size() > 3) {
      board.resize(3);
    }
  } else {
    board.clear();
  }
}

// Draws the hand just played and holds it on the table, serving events.
void ShowHand(App& app, long long hands) {
  DisplayPlayerCards(app, RandomSeats(app));
  DisplayBoardCards(app);
  DisplayHands(app);
  SetCounter(app, hands);
  pause(kShowHandSeconds);
}

// The worker side of a run, as the waiting interface thread sees it.
struct Workers {
  std::function<void(std::function<void()> wake)> start;  // `wake` is called once they have all stopped
  std::function<bool()> done;
  std::function<void()> stop;
  std::function<BlockRunner::Progress()> progress;
};

// Starts the workers and serves events until they are done. Every tick passes
// Stop, the hand display and closing the window on to them (they stop after
// the block or boards at hand), and redraws the counter and the chart from
// their progress added to `base`, what the run had before.
void ServeWhileWorking(App& app, const Workers& workers, const BlockRunner::Progress& base,
                       QElapsedTimer& sinceRedraw) {
  QEventLoop wait;
  QTimer tick;
  tick.setInterval(kWorkerTickMilliseconds);
  bool busy = false;  // the redraw serves events, which may bring the next tick
  QObject::connect(&tick, &QTimer::timeout, &wait, [&] {
    if (busy) return;
    if (app.FIGURE.terminateprogram == 1 || app.SIM.stopsim == 1 || app.SIM.showhands == 1) workers.stop();
    if (workers.done()) {
      wait.quit();
      return;
    }
    if (app.FIGURE.terminateprogram == 1 || (sinceRedraw.isValid() && sinceRedraw.elapsed() < kRedrawMilliseconds)) {
      return;
    }
    busy = true;
    const BlockRunner::Progress progress = workers.progress();
    app.SIM.WinRecord.resize(kSeats);
    for (int p = 0; p < kSeats; ++p) {
      app.SIM.WinRecord[p] = sim::RunStats::Pots(base.winRecord[p] + progress.winRecord[p]);
    }
    SetCounter(app, base.hands + progress.hands);
    plothistogram(app, base.hands + progress.hands);
    sinceRedraw.start();
    busy = false;
  });
  // The last worker to stop wakes this thread at once rather than at the next
  // tick. The tick may have seen the work done and this loop may be gone by
  // the time the wake is posted, so it goes to the application, which lives
  // on, and reaches the loop through a guarded pointer on this thread.
  auto loop = std::make_shared<QPointer<QEventLoop>>(&wait);
  workers.start([loop] {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [loop] { if (*loop) (*loop)->quit(); }, Qt::QueuedConnection);
  });
  tick.start();
  wait.exec();
}

// Plays whole blocks from `played` on towards `total` on the worker threads,
// adding them to `stats` and `played`. False when the program is closing.
bool PlayOnWorkers(App& app, BlockRunner& runner, sim::RunStats& stats, long long& played, long long total,
                   QElapsedTimer& sinceRedraw) {
  const Workers workers{[&](std::function<void()> wake) { runner.Start(played, total, std::move(wake)); },
                        [&] { return runner.Done(); }, [&] { runner.RequestStop(); },
                        [&] { return runner.Snapshot(); }};
  ServeWhileWorking(app, workers, {played, stats.WinRecord}, sinceRedraw);
  std::int64_t reached = played;
  stats.Add(runner.Finish(reached));
  played = reached;
  if (app.FIGURE.terminateprogram == 1) return false;
  StoreWinRecord(app, stats);
  SetCounter(app, played);
  plothistogram(app, played);
  sinceRedraw.start();
  return app.FIGURE.terminateprogram != 1;
}

// The workers do not keep the hands they deal: the last one is dealt again
// here, which also brings this thread's simulation to hand `played`.
void ReplayLastHand(sim::Simulation& simulation, long long played, sim::LastHand& last) {
  sim::RunStats scratch;
  constexpr long long block = sim::Simulation::kBlockHands;
  simulation.PlayBlock((played - 1) / block, (played - 1) % block, scratch);
  simulation.Play(1, scratch, &last);
}

// An exact run: every deal enumerated on the workers, the counter showing
// the deals done. A scenario the engine refuses (too many deals) is a message
// and nothing runs.
void RunExactly(App& app, const sim::Scenario& scenario, int active) {
  if (auto problem = sim::ExactProblem(scenario)) {
    // In the window the way to a sample is the box.
    QString text = QString::fromStdString(*problem);
    text.replace("run a sample instead", "untick \"Exact odds (every deal)\" to run a sample instead");
    app.messages.errordlg(text, "Exact odds");
    return;
  }
  ExactRunner runner(scenario, app.runThreads);
  app.SIM.stopsim = 0;
  CBClearTable(app);
  ResetRunStatistics(app, active);
  EnterRunningState(app, "Number of dealt hands:");
  if (app.FIGURE.terminateprogram == 1) return;

  QElapsedTimer sinceRedraw;
  const Workers workers{[&](std::function<void()> wake) { runner.Start(std::move(wake)); },
                        [&] { return runner.Done(); }, [&] { runner.RequestStop(); },
                        [&] { return runner.Snapshot(); }};
  ServeWhileWorking(app, workers, {}, sinceRedraw);
  const sim::ExactResult result = runner.Finish();
  if (app.FIGURE.terminateprogram == 1) return;

  StoreRunStatistics(app, result.stats);
  SetCounter(app, result.deals);
  // A Stop that came after the last deal stopped nothing: the figures are exact.
  if (result.complete) app.SIM.stopsim = 0;
  plothistogram(app, result.deals);
  if (app.FIGURE.terminateprogram == 1) return;
  LeaveRunningState(app);
  PlotWinStat(app, result.complete ? "deals (exact)" : "deals (stopped, not exact)", HandsRun{scenario, result.stats});
}

bool Running(App& app) {
  QPushButton* button = StartButton(app);
  return button && Callback(button) == "CBStopSimulation";
}

}  // namespace

void CBStartSimulation(App& app) {
  // The button stops a run while it goes; a second start would nest runs.
  if (Running(app)) return;
  const auto active = std::count(app.TABLE.activeplayers.begin(), app.TABLE.activeplayers.end(), 1);
  if (active < 2) {
    app.messages.helpdlg("At least two players must be active!", "Setup error");
    return;
  }
  if (auto problem = CheckRunRecords(app)) {
    app.messages.errordlg(QString::fromStdString(*problem), "Setup error");
    return;
  }

  const sim::Scenario scenario = ScenarioFromRecords(app);
  if (app.SIM.exact == 1) {
    RunExactly(app, scenario, static_cast<int>(active));
    return;
  }
  if (app.SETUP.SetSeed == 1) app.random.reset(app.SETUP.Seed);
  const std::uint64_t seed = app.random.next();
  std::optional<sim::Simulation> engine;
  try {
    engine.emplace(scenario, seed);
    engine->KeepPerHand();
  } catch (const std::exception& e) {
    app.messages.errordlg(QString::fromStdString(e.what()), "Setup error");
    return;
  }
  // This thread plays the hands that are shown one by one and the rest of a
  // block after the display is switched off; the workers play whole blocks.
  sim::Simulation& simulation = *engine;
  BlockRunner workers(scenario, seed, app.runThreads);
  sim::RunStats stats(static_cast<int>(active));
  sim::LastHand last;

  // A stop asked for before this run is not meant for it.
  app.SIM.stopsim = 0;
  CBClearTable(app);
  ResetRunStatistics(app, static_cast<int>(active));
  EnterRunningState(app, "Number of simulated hands:");
  if (app.FIGURE.terminateprogram == 1) return;

  const long long total = std::max(0, app.SETUP.NrOfSims);
  long long played = 0;
  QElapsedTimer sinceRedraw;
  bool stopped = false;
  while (played < total) {
    if (app.FIGURE.terminateprogram == 1) return;
    if (app.SIM.stopsim == 1) {
      for (int p : RandomSeats(app)) app.player(p).Cards.clear();
      stopped = true;
      break;
    }
    const bool show = app.SIM.showhands == 1;
    if (!show && played % kRefreshHands == 0) {
      if (!PlayOnWorkers(app, workers, stats, played, total, sinceRedraw)) return;
      if (played > 0) {
        ReplayLastHand(simulation, played, last);
        StoreLastHand(app, last);
      }
      continue;
    }
    // Hand by hand while every hand is shown; otherwise up to the end of the block.
    const long long upTo = std::min(total, (played / kRefreshHands + 1) * kRefreshHands);
    const long long hands = show ? 1 : upTo - played;
    simulation.Play(hands, stats, &last);
    played += hands;
    StoreLastHand(app, last);
    if (show) ShowHand(app, played);

    if (played % kRefreshHands == 0 || app.SIM.showhands == 1) {
      if (app.FIGURE.terminateprogram == 1) return;
      StoreWinRecord(app, stats);
      if (app.SIM.showhands == 1 || !sinceRedraw.isValid() || sinceRedraw.elapsed() >= kRedrawMilliseconds) {
        SetCounter(app, played);
        plothistogram(app, played);
        sinceRedraw.start();
      } else {
        drawnow();
      }
    }
  }
  if (app.FIGURE.terminateprogram == 1) return;

  StoreRunStatistics(app, stats);
  SetCounter(app, played);
  plothistogram(app, played);
  if (app.FIGURE.terminateprogram == 1) return;
  LeaveRunningState(app);
  // A stopped run has taken back the dealt cards; a hand still shown on the
  // table would no longer match them.
  if (stopped && app.SIM.showhands == 1) CBClearTable(app);
  PlotWinStat(app, "simulated hands", HandsRun{scenario, stats});
}

void CBStopSimulation(App& app) { app.SIM.stopsim = 1; }

void CBShowHands(App& app) {
  app.SIM.showhands = app.SIM.showhands == 1 ? 0 : 1;
  // The box shows the flag, also when the command comes from elsewhere than a click.
  if (auto* box = qobject_cast<QCheckBox*>(app.UICONTROLS.handle[kShowHandsBox])) {
    box->setChecked(app.SIM.showhands == 1);
  }
  if (app.SIM.showhands == 0) CBClearTable(app);
}

}  // namespace zuv
