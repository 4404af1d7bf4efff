#include "seat_figures.h"

#include <cmath>

#include "seat_input.h"

namespace zuv::zuvsim {

std::int64_t HandsShared(const sim::RunStats& stats, int seat) {
  std::int64_t hands = 0;
  for (int k = 2; k <= stats.active; ++k) {
    std::int64_t units = 0;
    for (int h = 1; h <= sim::RunStats::kClasses; ++h) units += stats.WinStat2At(seat, h, k);
    // Each such hand paid unit / k units, so this division is exact.
    hands += units / (stats.unit / k);
  }
  return hands;
}

std::vector<SeatFigures> SeatRows(const Options& options, const sim::RunStats& stats, const sim::ExactResult* exact) {
  std::vector<SeatFigures> rows;
  // An exact run of weighted ranges counts weights: its pots are given per deal, as the rates are.
  const double perDeal = exact && stats.hands > 0 ? static_cast<double>(exact->deals) / static_cast<double>(stats.hands) : 1.0;
  for (std::size_t s = 0; s < options.seatText.size(); ++s) {
    const int seat = static_cast<int>(s) + 1;
    SeatFigures row;
    row.seat = seat;
    row.cards = options.seatText[s];
    if (options.scenario.active[s]) {
      row.isRange = !options.scenario.range[s].empty();
      row.combos = PossibleCombos(options.scenario, seat);
      row.weight = PossibleWeight(options.scenario, seat);
    }
    row.winUnits = stats.WinRecord[s];
    row.wins = perDeal * stats.Pots(stats.WinRecord[s]);
    row.winRate = stats.WinRate(seat);
    // A complete exact run has no error; a stopped one knows its own.
    row.winRateSe = exact ? exact->winRateSe[s] : stats.WinRateStandardError(seat);
    row.winsAlone = perDeal * stats.PotsAlone(seat);
    row.winsShared = perDeal * stats.PotsSplit(seat);
    row.handsShared = std::llround(perDeal * static_cast<double>(HandsShared(stats, seat)));
    for (int h = 0; h < sim::RunStats::kClasses; ++h) row.winStat[h] = perDeal * stats.Pots(stats.WinStat[s][h]);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace zuv::zuvsim
