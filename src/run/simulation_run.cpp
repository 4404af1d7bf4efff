#include "run/simulation_run.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "app/app.h"
#include "app/control_panel.h"
#include "platform/event_loop.h"
#include "run/result_display.h"
#include "run/run_records.h"
#include "run/win_rate_chart.h"
#include "stats/win_stat_window.h"
#include "table/card_display.h"

namespace zuv {

namespace {

constexpr long long kRefreshHands = 1000;  // the chart and Stop are served every this many hands
constexpr qint64 kRedrawMilliseconds = 50;  // redraws closer than this are skipped

QPushButton* StartButton(App& app) { return qobject_cast<QPushButton*>(app.UICONTROLS.handle[2]); }

void Enable(QObject* control, bool on) {
  if (auto* action = qobject_cast<QAction*>(control)) action->setEnabled(on);
  if (auto* widget = qobject_cast<QWidget*>(control)) widget->setEnabled(on);
}

void SetCounter(App& app, long long hands) {
  if (auto* counter = qobject_cast<QLabel*>(app.UICONTROLS.handle[7])) counter->setText(QString::number(hands));
}

std::vector<int> RandomSeats(App& app) {
  std::vector<int> seats;
  for (int p = 1; p <= kSeats; ++p) {
    if (app.simulateplayers(p) == 1) seats.push_back(p);
  }
  return seats;
}

void EnterRunningState(App& app) {
  if (QPushButton* button = StartButton(app)) {
    SetCallback(button, "CBStopSimulation");
    button->setText("Stop simulation");
  }
  for (PlayerRecord& player : app.PLAYER) {
    for (QAction* item : {player.cmitem1, player.cmitem2, player.cmitem3}) Enable(item, false);
  }
  for (QAction* item : {app.TABLE.cmitem1, app.TABLE.cmitem2, app.TABLE.cmitem3, app.TABLE.cmitem4}) {
    Enable(item, false);
  }
  Enable(app.UICONTROLS.handle[4], false);
  ResetResultDisplay(app);
  if (auto* label = qobject_cast<QLabel*>(app.UICONTROLS.handle[6])) {
    label->setText("Number of simulated hands:");
    label->show();
  }
  if (auto* counter = qobject_cast<QLabel*>(app.UICONTROLS.handle[7])) {
    counter->setText("");
    counter->show();
  }
  Enable(app.UIMENULABELS[1][1], false);
  Enable(app.UIMENULABELS[1][2], false);
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
  Enable(app.UICONTROLS.handle[4], true);
  Enable(app.UIMENULABELS[1][1], true);
  Enable(app.UIMENULABELS[1][2], true);
  for (int p = 1; p <= kSeats; ++p) {
    PlayerRecord& player = app.player(p);
    Enable(player.cmitem1, true);
    if (app.activeplayers(p) == 1) {
      Enable(player.cmitem2, true);
      if (app.simulateplayers(p) == 0) Enable(player.cmitem3, true);
    }
  }

  // The board keeps only its fixed cards.
  auto& board = app.TABLE.boardcards;
  if (board.size() > 4) board.resize(4);
  Enable(app.TABLE.cmitem1, true);
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

  if (app.SETUP.SetSeed == 1) app.random.reset(app.SETUP.Seed);
  std::optional<sim::Simulation> engine;
  try {
    engine.emplace(ScenarioFromRecords(app), app.random.next());
  } catch (const std::exception& e) {
    app.messages.errordlg(QString::fromStdString(e.what()), "Setup error");
    return;
  }
  sim::Simulation& simulation = *engine;
  sim::RunStats stats(static_cast<int>(active));
  sim::LastHand last;

  // A stop asked for before this run is not meant for it.
  app.SIM.stopsim = 0;
  CBClearTable(app);
  ResetRunStatistics(app, static_cast<int>(active));
  EnterRunningState(app);
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
    // Without the hand display nothing can happen before the next refresh
    // point, so the hands up to it are played in one go.
    const bool show = app.SIM.showhands == 1;
    const long long upTo = std::min(total, (played / kRefreshHands + 1) * kRefreshHands);
    const long long hands = show ? 1 : upTo - played;
    simulation.Play(hands, stats, &last);
    played += hands;
    StoreLastHand(app, last);
    if (show) ShowHand(app, played);

    if (played % kRefreshHands == 0 || app.SIM.showhands == 1) {
      if (app.FIGURE.terminateprogram == 1) return;
      StoreWinRecord(app, stats);
      // Events are served at every refresh point, so Stop is heard after a
      // multiple of 1000 hands; the drawing itself is limited in wall time.
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
  PlotWinStat(app);
}

void CBStopSimulation(App& app) { app.SIM.stopsim = 1; }

void CBShowHands(App& app) {
  app.SIM.showhands = app.SIM.showhands == 1 ? 0 : 1;
  // The box shows the flag, also when the command comes from elsewhere than a click.
  if (auto* box = qobject_cast<QCheckBox*>(app.UICONTROLS.handle[3])) box->setChecked(app.SIM.showhands == 1);
  if (app.SIM.showhands == 0) CBClearTable(app);
}

}  // namespace zuv
