#include "sim/run_stats.h"

#include <cmath>
#include <stdexcept>

namespace zuv::sim {

RunStats::RunStats(int activeSeats, std::int64_t potUnit)
    : active(activeSeats),
      unit(potUnit),
      WinStat2(static_cast<std::size_t>(kSeats) * kClasses * activeSeats, 0),
      Statistic(static_cast<std::size_t>(kSeats) * kStartClasses * kClasses, 0) {}

void RunStats::Add(const RunStats& other) {
  if (active == 0 && WinStat2.empty()) *this = RunStats(other.active, other.unit);
  if (active != other.active) throw std::invalid_argument("RunStats::Add: tables of different size");
  if (unit != other.unit) throw std::invalid_argument("RunStats::Add: pots counted in different units");
  hands += other.hands;
  for (int p = 0; p < kSeats; ++p) {
    WinRecord[p] += other.WinRecord[p];
    for (int h = 0; h < kClasses; ++h) WinStat[p][h] += other.WinStat[p][h];
  }
  for (std::size_t i = 0; i < WinStat2.size(); ++i) WinStat2[i] += other.WinStat2[i];
  for (std::size_t i = 0; i < Statistic.size(); ++i) Statistic[i] += other.Statistic[i];
  perHand.Add(other.perHand);
}

double RunStats::WinRate(int seat) const {
  return hands == 0 ? 0.0 : Pots(WinRecord[seat - 1]) / static_cast<double>(hands);
}

double RunStats::PotsAlone(int seat) const {
  std::int64_t units = 0;
  for (int h = 1; h <= kClasses; ++h) units += WinStat2At(seat, h, 1);
  return Pots(units);
}

double RunStats::PotsSplit(int seat) const { return Pots(WinRecord[seat - 1]) - PotsAlone(seat); }

double RunStats::WinRateStandardError(int seat) const {
  if (hands < 2) return 0.0;
  // E[X^2] = sum over k of (hands split k ways) / k^2, and a k-way split
  // credits 1/k per hand, so (units of k-way pots) / unit / k = E-part.
  double meanSquare = 0.0;
  for (int k = 1; k <= active; ++k) {
    std::int64_t units = 0;
    for (int h = 1; h <= kClasses; ++h) units += WinStat2At(seat, h, k);
    meanSquare += Pots(units) / k;
  }
  const double n = static_cast<double>(hands);
  meanSquare /= n;
  const double mean = WinRate(seat);
  const double variance = std::max(0.0, meanSquare - mean * mean) * n / (n - 1);
  return std::sqrt(variance / n);
}

}  // namespace zuv::sim
