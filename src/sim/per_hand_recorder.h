#pragma once
// The sampled run's hook for per-hand results: the hand loop hands over each
// group of dealt and evaluated hands, and the recorder adds one to a 32-bit
// counter word per random seat and hand (PerHandStats::packed). Compiled
// into the loop for its seat counts; a run that keeps no per-hand results
// only tests a null pointer once per group.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/hand_key.h"
#include "sim/per_hand_stats.h"
#include "sim/run_stats.h"

namespace zuv::sim {

// 53 x 53 table of ComboIndex by card numbers, for the run's inner loop.
inline constexpr std::array<std::uint16_t, 53 * 53> kComboIndexTable = [] {
  std::array<std::uint16_t, 53 * 53> t{};
  for (int a = 1; a <= 52; ++a)
    for (int b = 1; b <= 52; ++b)
      if (a != b) t[a * 53 + b] = static_cast<std::uint16_t>(ComboIndex(a, b));
  return t;
}();

class PerHandRecorder {
 public:
  // Notes `hands` hands. Row g holds the random seats' first cards, then
  // their second cards; keys[g][a] is the hand of place a, the random seats
  // first (random seat q at place q, slot q of the statistics). kSeats > 0:
  // exactly kSeats seats, kRandomSeats of them random; kSeats = 0: `seats`
  // and `randomSeats`.
  template <int kSeats, int kRandomSeats>
  void Record(const std::array<int, 32>* rows, const std::array<HandKey, 10>* keys, int hands, int seats,
              int randomSeats) {
    constexpr std::uint32_t kAlone = 1u << PerHandStats::kPackedShift;
    const int n = kSeats > 0 ? kSeats : seats;
    const int r = kSeats > 0 ? kRandomSeats : randomSeats;
    std::uint32_t* packed = packed_;
    for (int g = 0; g < hands; ++g) {
      const auto& key = keys[g];
      const auto& row = rows[g];
      HandKey best = 0;
      for (int a = 0; a < n; ++a) best = key[a] > best ? key[a] : best;
      int winners = 0;
      for (int a = 0; a < n; ++a) winners += key[a] == best;
      const std::uint32_t alone = winners == 1 ? kAlone : 0;
      for (int q = 0; q < r; ++q) {
        const std::uint32_t entry = q * kAllCombos + kComboIndexTable[row[q] * 53 + row[r + q]];
        packed[entry] += 1 + (key[q] == best ? alone : 0);
      }
      if (winners > 1) [[unlikely]]
        NoteSplit(row.data(), key.data(), best, winners, r);
    }
  }

  // The statistics the next Record calls add to.
  void Start(PerHandStats& stats) {
    packed_ = stats.packed.data();
    stats_ = &stats;
  }

 private:
  void NoteSplit(const int* row, const HandKey* key, HandKey best, int winners, int randomSeats);

  std::uint32_t* packed_ = nullptr;
  PerHandStats* stats_ = nullptr;
};

}  // namespace zuv::sim
