#include "sim/per_hand_figures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "sim/card.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

struct Sums {
  std::int64_t held = 0, won = 0, wonSquare = 0;
};

void Fill(HandFigures& row, const Sums& sums, std::int64_t hands) {
  row.held = sums.held;
  row.won = sums.won;
  if (sums.held == 0) return;
  const double held = static_cast<double>(sums.held);
  constexpr double kUnit = RunStats::kUnit;
  row.share = hands > 0 ? held / static_cast<double>(hands) : 0.0;
  row.winRate = static_cast<double>(sums.won) / kUnit / held;
  if (sums.held >= 2) {
    const double meanSquare = static_cast<double>(sums.wonSquare) / (kUnit * kUnit) / held;
    const double variance = std::max(0.0, meanSquare - row.winRate * row.winRate) * held / (held - 1);
    row.winRateSe = std::sqrt(variance / held);
  }
  const std::int64_t all = RunStats::kUnit * sums.held;
  const std::int64_t divisor = std::gcd(sums.won, all);
  row.exactWinRate = {sums.won / divisor, all / divisor};
}

void StrongestFirst(std::vector<HandFigures>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const HandFigures& x, const HandFigures& y) {
    return x.winRate != y.winRate ? x.winRate > y.winRate : x.startClass < y.startClass;
  });
}

}  // namespace

std::vector<HandFigures> PerHandRows(const RunStats& stats, int seat) {
  std::vector<HandFigures> rows;
  const PerHandStats perHand = stats.perHand.Folded();
  const int slot = perHand.Slot(seat);
  if (slot < 0) return rows;
  for (int c = 0; c < kAllCombos; ++c) {
    const std::size_t i = perHand.Index(slot, c);
    if (perHand.held[i] == 0) continue;
    HandFigures& row = rows.emplace_back();
    row.combo = ComboOfIndex(c);
    row.name = ComboText(row.combo);
    row.startClass = StartHandClass(row.combo[0], row.combo[1]);
    row.combos = 1;
    Fill(row, {perHand.held[i], perHand.won[i], perHand.wonSquare[i]}, stats.hands);
  }
  StrongestFirst(rows);
  return rows;
}

std::vector<HandFigures> PerClassRows(const RunStats& stats, int seat) {
  std::vector<HandFigures> rows;
  const PerHandStats perHand = stats.perHand.Folded();
  const int slot = perHand.Slot(seat);
  if (slot < 0) return rows;
  std::vector<Sums> sums(kStartHandClasses + 1);
  std::vector<int> combos(kStartHandClasses + 1, 0);
  std::vector<std::array<int, 2>> cell(kStartHandClasses + 1);
  for (int c = 0; c < kAllCombos; ++c) {
    const std::size_t i = perHand.Index(slot, c);
    if (perHand.held[i] == 0) continue;
    const Combo combo = ComboOfIndex(c);
    const int startClass = StartHandClass(combo[0], combo[1]);
    sums[startClass].held += perHand.held[i];
    sums[startClass].won += perHand.won[i];
    sums[startClass].wonSquare += perHand.wonSquare[i];
    ++combos[startClass];
    cell[startClass] = RangeCellOf(combo);
  }
  for (int startClass = 1; startClass <= kStartHandClasses; ++startClass) {
    if (combos[startClass] == 0) continue;
    HandFigures& row = rows.emplace_back();
    row.startClass = startClass;
    row.name = RangeCellName(cell[startClass][0], cell[startClass][1]);
    row.combos = combos[startClass];
    Fill(row, sums[startClass], stats.hands);
  }
  StrongestFirst(rows);
  return rows;
}

std::vector<double> SeatComboWeights(const Scenario& scenario, int seat) {
  const auto& range = scenario.range[seat];
  std::vector<double> weights(kAllCombos, range.empty() ? 1.0 : 0.0);
  for (std::size_t k = 0; k < range.size(); ++k) {
    weights[ComboIndex(range[k][0], range[k][1])] = static_cast<double>(scenario.WeightOf(seat, k)) / kFullWeight;
  }
  return weights;
}

}  // namespace zuv::sim
