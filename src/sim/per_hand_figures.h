#pragma once
// Per-hand results as a reader wants them: one row per combination a seat
// held, or per starting-hand class (the 169 cells of the grid), with its
// share of the deals and its win rate.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/exact.h"
#include "sim/hand_range.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

struct HandFigures {
  std::string name;        // "QhQd" for a combination, "AKs" for a class
  int startClass = 0;      // 1..169
  Combo combo{};           // the combination; {0, 0} for a class
  int combos = 0;          // 1 for a combination; for a class, its combinations held
  std::int64_t held = 0;   // deals in which the seat held it (weighted in exact runs)
  std::int64_t won = 0;    // units won with it
  double share = 0;        // held / all deals of the run
  double winRate = 0;      // pots won per deal held, a split pot counting 1/k
  double winRateSe = 0;    // standard error of winRate in a sampled run; 0 if held < 2
  WinFraction exactWinRate;  // won / (kUnit * held) in lowest terms
};

// The combinations seat index 0..9 held, strongest (highest win rate) first;
// empty when the run kept no per-hand figures for the seat.
std::vector<HandFigures> PerHandRows(const RunStats& stats, int seat);

// The same summed over starting-hand classes, strongest first.
std::vector<HandFigures> PerClassRows(const RunStats& stats, int seat);

// The weight 0..1 with which seat index 0..9 holds each combination, by
// ComboIndex: its range's weights (0 outside the range), or 1 for every
// combination of a seat dealt any two cards or holding fixed cards.
std::vector<double> SeatComboWeights(const Scenario& scenario, int seat);

}  // namespace zuv::sim
