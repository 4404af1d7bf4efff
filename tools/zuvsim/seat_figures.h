#pragma once
// The numbers zuvsim reports for each seat, worked out once from the run's
// statistics for the text, JSON and CSV writers alike.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "options.h"
#include "sim/exact.h"
#include "sim/run_stats.h"

namespace zuv::zuvsim {

struct SeatFigures {
  int seat = 0;              // 1..10
  std::string cards;         // as given: two cards, "random", a range, or "off" for a switched-off seat
  bool isRange = false;      // cards is a range (neither two cards nor any two)
  std::int64_t combos = 0;   // two-card combinations the seat may hold, given the cards known elsewhere
  double weight = 0;         // the sum of those combinations' weights (combos without weights)
  std::int64_t winUnits = 0; // wins in units of the statistics (RunStats::unit a pot), exact
  double wins = 0;           // pots won, a pot shared by k winners counting 1/k
  double winRate = 0;        // wins / hands
  double winRateSe = 0;      // standard error of winRate
  double winsAlone = 0;      // pots won alone
  double winsShared = 0;     // the 1/k shares of shared pots: winsAlone + winsShared == wins
  std::int64_t handsShared = 0;  // hands in which the seat shared the pot, each counted whole
  std::array<double, 9> winStat{};  // wins by winning hand class, high card .. straight flush
};

// `exact`: the outcome of an exact run, null for a sample.
std::vector<SeatFigures> SeatRows(const Options& options, const sim::RunStats& stats,
                                  const sim::ExactResult* exact = nullptr);

// Hands in which `seat` (1..10) shared the pot, each counted once.
std::int64_t HandsShared(const sim::RunStats& stats, int seat);

}  // namespace zuv::zuvsim
