#pragma once

#include <optional>
#include <string>

#include "sim/run_stats.h"
#include "sim/scenario.h"
#include "sim/simulation.h"

namespace zuv {

class App;

// Carries a run between the window's records and the engine.

// The laid-out table as the engine takes it: active seats, the fixed hole
// cards of seats not dealt at random, the ranges of seats that are, the fixed
// flop and turn, and the dead cards; and why the records cannot be run as
// they are (a fixed seat without two cards, a range that does not parse, a
// fixed flop or turn missing from the board, a card used twice, ...), or
// nullopt. Each seat's range text is parsed once.
struct RunTable {
  sim::Scenario scenario;
  std::optional<std::string> problem;
};
RunTable ReadRunTable(const App& app);
// The scenario alone, for what needs no check.
sim::Scenario ScenarioFromRecords(const App& app);

// Zeroed statistics records for a table of `activeSeats` players: WinRecord
// 1 x 10, WinStat 10 x 9, WinStat2 10 x 9 x N, Statistic 10 x 169 x 9.
void ResetRunStatistics(App& app, int activeSeats);

// The run's statistics in pots, in the records' column-major layout.
void StoreRunStatistics(App& app, const sim::RunStats& stats);
// Only SIM.WinRecord, which the live chart reads.
void StoreWinRecord(App& app, const sim::RunStats& stats);

// The dealt cards, hand classes and winners of a hand, as the table shows them.
void StoreLastHand(App& app, const sim::LastHand& hand);

}  // namespace zuv
