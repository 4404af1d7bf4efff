#pragma once
// The statistics of a run. Every pot is counted in integer units of 1/2520,
// which every split among 1..10 winners divides exactly, so sums are exact and
// do not depend on the order in which blocks of hands are added up. Exact odds
// of weighted ranges count a pot in fewer units (RunStats::unit).
// Seat, class and count arguments of the accessors are numbered from 1.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/per_hand_stats.h"

namespace zuv::sim {

struct RunStats {
  static constexpr std::int64_t kUnit = 2520;  // one whole pot
  static constexpr int kSeats = 10;
  static constexpr int kClasses = 9;
  static constexpr int kStartClasses = 169;

  RunStats() = default;
  // Zeroed statistics for a table of `activeSeats` (N) players, counting a
  // pot in `potUnit` units.
  explicit RunStats(int activeSeats, std::int64_t potUnit = kUnit);

  // Hands played.
  std::int64_t hands = 0;
  // N, the number of active seats: size of WinStat2's third dimension.
  int active = 0;
  // Units of one whole pot: kUnit, or in exact odds of weighted ranges the
  // least common multiple of 1..N, which every split among the N seats still
  // divides. Each deal there counts the product of its seats' weights, and
  // 2520 units a pot would make the sums of typical weighted tables pass
  // what 64 bits hold; 6 units (three seats) leave them 420 times the room.
  std::int64_t unit = kUnit;
  // Units won by seat index 0..9.
  std::array<std::int64_t, kSeats> WinRecord{};
  // Units won by seat index 0..9 with hand class index 0..8.
  std::array<std::array<std::int64_t, kClasses>, kSeats> WinStat{};
  // 10 x 9 x N: units won by seat p with hand class h in pots shared by k
  // winners (k = 1: won alone). Index with WinStat2Index.
  std::vector<std::int64_t> WinStat2;
  // 10 x 169 x 9: units won at a table of n active seats by a seat holding
  // starting-hand class s with hand class h. Index with StatisticIndex.
  std::vector<std::int64_t> Statistic;
  // Per combination of the hole cards of the seats dealt from a range or at
  // random; empty unless the run was asked to keep them.
  PerHandStats perHand;

  std::size_t WinStat2Index(int seat, int handClass, int winners) const {
    return (static_cast<std::size_t>(seat - 1) * kClasses + (handClass - 1)) * active + (winners - 1);
  }
  static std::size_t StatisticIndex(int activeSeats, int startClass, int handClass) {
    return (static_cast<std::size_t>(activeSeats - 1) * kStartClasses + (startClass - 1)) * kClasses +
           (handClass - 1);
  }
  std::int64_t WinStat2At(int seat, int handClass, int winners) const {
    return WinStat2[WinStat2Index(seat, handClass, winners)];
  }
  std::int64_t StatisticAt(int activeSeats, int startClass, int handClass) const {
    return Statistic[StatisticIndex(activeSeats, startClass, handClass)];
  }

  // Adds another run's statistics of the same table (same N and unit).
  // Adding to a default-constructed RunStats takes the other's N and unit.
  void Add(const RunStats& other);

  // Units as pots (the numbers of the window's records).
  double Pots(std::int64_t units) const { return static_cast<double>(units) / static_cast<double>(unit); }
  // Pots won by seat 1..10 divided by hands played (0 before any hand).
  double WinRate(int seat) const;
  // Pots won by seat 1..10 in pots it won alone, and in split pots.
  double PotsAlone(int seat) const;
  double PotsSplit(int seat) const;
  // Standard error of WinRate(seat): a hand pays the seat 0 or 1/k, so the
  // per-hand variance follows exactly from WinStat2's split counts.
  double WinRateStandardError(int seat) const;
};

}  // namespace zuv::sim
