#include "run/run_records.h"

#include <cctype>

#include "sim/hand_range.h"
#include "state/app.h"

namespace zuv {

namespace {

constexpr std::size_t kWinStatSize = kSeats * kHandClasses;
constexpr std::size_t kStatisticSize = std::size_t{kSeats} * kStartHandClasses * kHandClasses;

}  // namespace

RunTable ReadRunTable(const App& app) {
  RunTable table;
  sim::Scenario& scenario = table.scenario;
  const auto refuse = [&table](std::string why) {
    if (!table.problem) table.problem = std::move(why);
  };
  for (int i = 0; i < kSeats; ++i) {
    scenario.active[i] = app.TABLE.activeplayers[i] == 1;
    const auto& cards = app.PLAYER[i].Cards;
    if (!scenario.active[i] || app.TABLE.simulateplayers[i] != 0) continue;
    if (cards.size() == 2) {
      scenario.fixed[i] = {cards[0], cards[1]};
    } else {
      refuse("Player " + std::to_string(i + 1) + " has fixed cards but not two of them");
    }
  }
  for (int i = 0; i < kSeats; ++i) {
    const std::string& range = app.PLAYER[i].Range;
    if (scenario.active[i] && app.TABLE.simulateplayers[i] == 1 && !range.empty()) {
      const sim::ParsedRange parsed = sim::ParseRange(range);
      if (!parsed.problem.empty()) refuse("Player " + std::to_string(i + 1) + ": " + parsed.problem);
      scenario.SetRange(i, parsed);
    }
  }
  scenario.dead = app.TABLE.deadcards;
  const auto& board = app.TABLE.boardcards;
  if (app.SETUP.SimulateFlop == 0) {
    const std::size_t fixed = app.SETUP.SimulateTurn == 0 ? 4 : 3;
    scenario.board.assign(board.begin(), board.begin() + static_cast<std::ptrdiff_t>(std::min(fixed, board.size())));
    if (board.size() < 3) refuse("The flop is fixed but the board holds no flop");
    if (app.SETUP.SimulateTurn == 0 && board.size() < 4) refuse("The turn is fixed but the board holds no turn");
  }
  if (!table.problem) {
    // The window calls its seats players.
    table.problem = sim::CheckScenario(scenario, "player");
    if (table.problem) (*table.problem)[0] = static_cast<char>(std::toupper(static_cast<unsigned char>((*table.problem)[0])));
  }
  return table;
}

sim::Scenario ScenarioFromRecords(const App& app) { return ReadRunTable(app).scenario; }

void ResetRunStatistics(App& app, int activeSeats) {
  SimRecord& sim = app.SIM;
  sim.WinRecord.assign(kSeats, 0.0);
  sim.WinStat.assign(kWinStatSize, 0.0);
  sim.WinStat2Players = activeSeats;
  sim.WinStat2.assign(kWinStatSize * static_cast<std::size_t>(activeSeats), 0.0);
  sim.Statistic.assign(kStatisticSize, 0.0);
}

void StoreWinRecord(App& app, const sim::RunStats& stats) {
  app.SIM.WinRecord.resize(kSeats);
  for (int p = 0; p < kSeats; ++p) app.SIM.WinRecord[p] = stats.Pots(stats.WinRecord[p]);
}

void StoreRunStatistics(App& app, const sim::RunStats& stats) {
  ResetRunStatistics(app, stats.active);
  StoreWinRecord(app, stats);
  SimRecord& sim = app.SIM;
  for (int p = 1; p <= kSeats; ++p) {
    for (int h = 1; h <= kHandClasses; ++h) {
      const std::size_t at = (p - 1) + kSeats * (h - 1);
      sim.WinStat[at] = stats.Pots(stats.WinStat[p - 1][h - 1]);
      for (int k = 1; k <= stats.active; ++k) {
        sim.WinStat2[at + kWinStatSize * (k - 1)] = stats.Pots(stats.WinStat2At(p, h, k));
      }
    }
  }
  for (int n = 1; n <= kSeats; ++n) {
    for (int s = 1; s <= kStartHandClasses; ++s) {
      for (int h = 1; h <= kHandClasses; ++h) {
        const std::int64_t units = stats.StatisticAt(n, s, h);
        if (units != 0) {
          sim.Statistic[(n - 1) + kSeats * (s - 1) + std::size_t{kSeats} * kStartHandClasses * (h - 1)] =
              stats.Pots(units);
        }
      }
    }
  }
}

void StoreLastHand(App& app, const sim::LastHand& hand) {
  for (int i = 0; i < kSeats; ++i) {
    if (app.TABLE.activeplayers[i] != 1) continue;
    PlayerRecord& player = app.PLAYER[i];
    if (app.TABLE.simulateplayers[i] == 1) player.Cards = {hand.hole[i][0], hand.hole[i][1]};
    player.hand = hand.hand[i];
    player.highcard = hand.highcard[i];
  }
  app.TABLE.boardcards.assign(hand.board.begin(), hand.board.end());
  app.TABLE.winner = hand.winner;
}

}  // namespace zuv
