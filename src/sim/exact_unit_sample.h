#pragma once
// What a stopped exact run knows about its own error. The enumeration visits
// its work units in a random order, so the units finished when it stops are a
// random sample of all of them, and each seat's win rate over their deals is a
// ratio estimate of the exact one. Its standard error follows from the spread
// between units (deals within a unit share boards, so the deals are no
// independent sample); these are the sums it needs.

#include <array>
#include <cstdint>

namespace zuv::sim {

// Standard error of the ratio estimate y / n from `units` of `allUnits`
// units drawn without replacement, given the sums over the units drawn of n,
// n^2, y, y^2 and y n; 0 when every unit was drawn, NaN with fewer than two or
// no n at all.
double RatioStandardError(std::int64_t units, std::int64_t allUnits, double n, double nn, double y, double yy,
                          double yn);

class ExactUnitSample {
 public:
  // One finished unit: its deals and the units of pots each seat index 0..9 won in them.
  void Add(std::int64_t deals, const std::array<std::int64_t, 10>& won);
  void Add(const ExactUnitSample& other);

  std::int64_t Units() const { return units_; }

  // Standard error of seat index 0..9's win rate, as an estimate of its rate
  // over all `allUnits` units; NaN with fewer than two units, 0 with all.
  // A pot is `potUnit` of the pot units won (RunStats::unit).
  double StandardError(int seat, std::int64_t allUnits, std::int64_t potUnit) const;

 private:
  std::int64_t units_ = 0;
  // Sums over the units of n (deals), n^2, and per seat of y (pot units won),
  // y^2 and y*n: doubles carry 16 digits, ample for a standard error.
  double n_ = 0, nn_ = 0;
  std::array<double, 10> y_{}, yy_{}, yn_{};
};

}  // namespace zuv::sim
