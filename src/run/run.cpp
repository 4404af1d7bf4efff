#include "run/run.h"

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
#include <stdexcept>
#include <thread>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "run/exact_odds_box.h"
#include "run/result_display.h"
#include "run/run_counter.h"
#include "run/run_records.h"
#include "run/show_hands.h"
#include "run/win_rate_chart.h"
#include "state/app.h"
#include "state/controls.h"
#include "stats/win_stat_window.h"
#include "table/card_display.h"
#include "table/context_menu_state.h"

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
  DisableContextMenus(app);
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
  // The board keeps only its fixed cards.
  auto& board = app.TABLE.boardcards;
  if (app.SETUP.SimulateFlop != 0) {
    board.clear();
  } else if (board.size() > (app.SETUP.SimulateTurn == 0 ? 4u : 3u)) {
    board.resize(app.SETUP.SimulateTurn == 0 ? 4 : 3);
  }
  EnableContextMenus(app);
}

// Draws the hand just played and holds it on the table, serving events.
void ShowHand(App& app, RunCounter& counter, long long hands, long long total) {
  DisplayPlayerCards(app, RandomSeats(app));
  DisplayBoardCards(app);
  DisplayHands(app);
  counter.Show(hands, total);
  pause(kShowHandSeconds);
}

// The worker side of a run, as the waiting interface thread sees it.
struct Workers {
  std::function<void(std::function<void()> wake)> start;  // `wake` is called once they have all stopped
  std::function<bool()> done;
  std::function<void()> stop;
  std::function<BlockRunner::Progress()> progress;
  // Shows the counter, given the hands of the progress added to the run's
  // before (with weighted ranges an exact run counts its deals apart).
  std::function<void(std::int64_t hands)> count;
};

// Starts the workers and serves events until they are done. Every tick asks
// `goesOn` and passes Stop, the hand display and closing the window on to the
// workers (they stop after the step or boards at hand), and redraws the
// counter and the chart from their progress added to `base`, what the run had before.
void ServeWhileWorking(App& app, const Workers& workers, const std::function<bool()>& goesOn,
                       const BlockRunner::Progress& base, QElapsedTimer& sinceRedraw) {
  QEventLoop wait;
  QTimer tick;
  tick.setInterval(kWorkerTickMilliseconds);
  bool busy = false;  // the redraw serves events, which may bring the next tick
  QObject::connect(&tick, &QTimer::timeout, &wait, [&] {
    if (busy) return;
    if (!goesOn() || app.SIM.showhands == 1) workers.stop();
    if (workers.done()) {
      wait.quit();
      return;
    }
    if (ProgramClosing(app) || (sinceRedraw.isValid() && sinceRedraw.elapsed() < kRedrawMilliseconds)) return;
    busy = true;
    const BlockRunner::Progress progress = workers.progress();
    app.SIM.WinRecord.resize(kSeats);
    for (int p = 0; p < kSeats; ++p) {
      app.SIM.WinRecord[p] =
          static_cast<double>(base.winRecord[p] + progress.winRecord[p]) / static_cast<double>(progress.unit);
    }
    workers.count(base.hands + progress.hands);
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

// Whether an exact run of the table may start, and whether it keeps per-hand
// figures for the Hands view: it does unless they alone would make the table
// refused (finer weights than their sums hold, or too long a run), where the
// odds without them are worth more than a refusal.
struct ExactCheck {
  std::optional<std::string> problem;
  bool perHand = true;
};

// The check on a thread of its own while this thread serves events: for
// wide ranges counting the deals takes longer than the window may freeze.
ExactCheck CheckExactlyAway(const sim::Scenario& scenario) {
  QEventLoop wait;
  auto loop = std::make_shared<QPointer<QEventLoop>>(&wait);
  ExactCheck check;
  std::thread checker([&scenario, &check, loop] {
    try {
      check.problem = sim::ExactProblem(scenario, true);
      if (check.problem && !sim::ExactProblem(scenario, false)) check = ExactCheck{std::nullopt, false};
    } catch (const std::exception& e) {
      check.problem = e.what();
    }
    // As the workers' wake: the loop may be gone when this arrives.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [loop] { if (*loop) (*loop)->quit(); }, Qt::QueuedConnection);
  });
  wait.exec();
  checker.join();
  return check;
}

}  // namespace

bool ProgramClosing(const App& app) { return app.FIGURE.terminateprogram == 1; }

bool Run::GoesOn() {
  if (state_ == State::running && (ProgramClosing(app_) || app_.SIM.stopsim == 1)) state_ = State::stopping;
  return state_ == State::running;
}

void Run::Stop() {
  app_.SIM.stopsim = 1;
  GoesOn();
}

void Run::Start() {
  // The button stops a run while it goes; a second start would nest runs.
  if (Going()) return;
  const auto active = std::count(app_.TABLE.activeplayers.begin(), app_.TABLE.activeplayers.end(), 1);
  if (active < 2) {
    app_.messages.helpdlg("At least two players must be active!", "Setup error");
    return;
  }
  RunTable table = ReadRunTable(app_);
  if (table.problem) {
    app_.messages.errordlg(QString::fromStdString(*table.problem), "Setup error");
    return;
  }
  scenario_ = std::move(table.scenario);
  // Whatever way the run ends (closing returns at once), it ends idle and
  // without its engine and workers.
  struct BackToIdle {
    Run& run;
    ~BackToIdle() {
      run.blocks_.reset();
      run.exact_.reset();
      run.simulation_.reset();
      run.counter_.reset();
      run.state_ = State::idle;
    }
  } backToIdle{*this};
  if (app_.SIM.exact == 1) {
    PlayExactly(static_cast<int>(active));
  } else {
    PlaySampled(static_cast<int>(active));
  }
}

bool Run::PlayOnWorkers(long long total, QElapsedTimer& sinceRedraw) {
  BlockRunner& runner = *blocks_;
  const Workers workers{[&](std::function<void()> wake) { runner.Start(played_, total, std::move(wake)); },
                        [&] { return runner.Done(); }, [&] { runner.RequestStop(); },
                        [&] { return runner.Snapshot(); }, [&](std::int64_t hands) { counter_->Show(hands, total); }};
  ServeWhileWorking(app_, workers, [this] { return GoesOn(); }, {played_, stats_.WinRecord}, sinceRedraw);
  std::int64_t reached = played_;
  stats_.Add(runner.Finish(reached));
  played_ = reached;
  if (ProgramClosing(app_)) return false;
  StoreWinRecord(app_, stats_);
  counter_->Show(played_, total);
  plothistogram(app_, played_);
  sinceRedraw.start();
  return !ProgramClosing(app_);
}

// The workers do not keep the hands they deal: the last one is dealt again
// here, which also brings this thread's simulation to hand played_.
void Run::ReplayLastHand() {
  sim::RunStats scratch;
  sim::LastHand last;
  constexpr long long block = sim::Simulation::kBlockHands;
  simulation_->PlayBlock((played_ - 1) / block, (played_ - 1) % block, scratch);
  simulation_->Play(1, scratch, &last);
  StoreLastHand(app_, last);
}

bool Run::BeginRunning(int active, const QString& counterLabel, const char* unit) {
  // A stop asked for before this run is not meant for it.
  app_.SIM.stopsim = 0;
  state_ = State::running;
  CBClearTable(app_);
  ResetRunStatistics(app_, active);
  EnterRunningState(app_, counterLabel);
  counter_.emplace(qobject_cast<QLabel*>(app_.UICONTROLS.handle[kCounter]), unit);
  return !ProgramClosing(app_);
}

void Run::PlaySampled(int active) {
  if (app_.SETUP.SetSeed == 1) app_.random.reset(app_.SETUP.Seed);
  const std::uint64_t seed = app_.random.next();
  try {
    simulation_.emplace(scenario_, seed);
    simulation_->KeepPerHand();
  } catch (const std::exception& e) {
    app_.messages.errordlg(QString::fromStdString(e.what()), "Setup error");
    return;
  }
  blocks_.emplace(scenario_, seed, app_.runThreads);
  stats_ = sim::RunStats(active);
  played_ = 0;
  sim::LastHand last;

  if (!BeginRunning(active, "Number of simulated hands:", "hands")) return;

  const long long total = std::max(0, app_.SETUP.NrOfSims);
  QElapsedTimer sinceRedraw;
  bool stopped = false;
  while (played_ < total) {
    if (ProgramClosing(app_)) return;
    if (!GoesOn()) {
      for (int p : RandomSeats(app_)) app_.player(p).Cards.clear();
      stopped = true;
      break;
    }
    const bool show = app_.SIM.showhands == 1;
    if (!show && played_ % kRefreshHands == 0) {
      if (!PlayOnWorkers(total, sinceRedraw)) return;
      if (played_ > 0) ReplayLastHand();
      continue;
    }
    // Hand by hand while every hand is shown; otherwise up to the end of the block.
    const long long upTo = std::min(total, (played_ / kRefreshHands + 1) * kRefreshHands);
    const long long hands = show ? 1 : upTo - played_;
    simulation_->Play(hands, stats_, &last);
    played_ += hands;
    StoreLastHand(app_, last);
    if (show) ShowHand(app_, *counter_, played_, total);

    if (played_ % kRefreshHands == 0 || app_.SIM.showhands == 1) {
      if (ProgramClosing(app_)) return;
      StoreWinRecord(app_, stats_);
      if (app_.SIM.showhands == 1 || !sinceRedraw.isValid() || sinceRedraw.elapsed() >= kRedrawMilliseconds) {
        counter_->Show(played_, total);
        plothistogram(app_, played_);
        sinceRedraw.start();
      } else {
        drawnow();
      }
    }
  }
  if (ProgramClosing(app_)) return;

  StoreRunStatistics(app_, stats_);
  counter_->ShowEnd(played_, total);
  plothistogram(app_, played_);
  if (ProgramClosing(app_)) return;
  LeaveRunningState(app_);
  // A stopped run has taken back the dealt cards; a hand still shown on the
  // table would no longer match them.
  if (stopped && app_.SIM.showhands == 1) CBClearTable(app_);
  PlotWinStat(app_, "simulated hands", HandsRun{scenario_, stats_});
}

// Every deal enumerated on the workers, the counter showing the deals done of
// the table's, even when weighted ranges make the chart's hands a weighted sum. A
// scenario the engine refuses (too many deals) is a message and nothing runs.
void Run::PlayExactly(int active) {
  // Going from here on, so that the check cannot be started twice.
  state_ = State::running;
  const ExactCheck check = CheckExactlyAway(scenario_);
  if (ProgramClosing(app_)) return;
  if (check.problem) {
    // In the window the way to a sample is the box.
    QString text = QString::fromStdString(*check.problem);
    text.replace("run a sample instead", "untick \"Exact odds (every deal)\" to run a sample instead");
    app_.messages.errordlg(text, "Exact odds");
    return;
  }
  if (app_.SETUP.SetSeed == 1) app_.random.reset(app_.SETUP.Seed);
  ExactRunner& runner = exact_.emplace(scenario_, app_.runThreads, app_.random.next(), check.perHand);
  if (!BeginRunning(active, "Number of dealt hands:", "deals")) return;

  QElapsedTimer sinceRedraw;
  const Workers workers{[&](std::function<void()> wake) { runner.Start(std::move(wake)); },
                        [&] { return runner.Done(); }, [&] { runner.RequestStop(); },
                        [&] { return runner.Snapshot(); },
                        [&](std::int64_t) { counter_->Show(runner.DealsDone(), runner.DealsTotal()); }};
  ServeWhileWorking(app_, workers, [this] { return GoesOn(); }, {}, sinceRedraw);
  const sim::ExactResult result = runner.Finish();
  if (ProgramClosing(app_)) return;

  StoreRunStatistics(app_, result.stats);
  counter_->ShowEnd(result.deals, result.totalDeals);
  // A Stop that came after the last deal stopped nothing: the figures are exact.
  if (result.complete) app_.SIM.stopsim = 0;
  // Weighted deals count by their weight: the rates divide by the weighted total.
  plothistogram(app_, result.stats.hands);
  if (ProgramClosing(app_)) return;
  LeaveRunningState(app_);
  PlotWinStat(app_, result.complete ? "deals (exact)" : "deals (stopped, not exact)",
              HandsRun{scenario_, result.stats});
}

}  // namespace zuv
