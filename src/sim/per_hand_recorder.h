#pragma once
// The sampled run's hook for per-hand results: the hand loop notes each
// scored hand with the places holding the best hand, and the recorder adds
// one to a 32-bit counter word per random seat and hand
// (PerHandStats::packed). The loop is compiled with and without it, so a run
// that keeps no per-hand results runs the loop it ran before.

#include <cstdint>

#include "sim/per_hand_stats.h"

namespace zuv::sim {

class PerHandRecorder {
 public:
  // Notes one hand. `row` holds the random seats' first cards, then their
  // second cards (random seat q at place q, slot q of the statistics);
  // bit a of `winners` is set for each place a holding the best hand.
  void Note(const int* row, int randomSeats, unsigned winners) {
    // The hand's one winner adds a pot to its word along with the deal held;
    // split pots are rare and go straight to the 64-bit arrays.
    // Not std::has_single_bit: without a popcount instruction in the target
    // it is a library call, a tenth of the recording's time.
    const bool alone = (winners & (winners - 1)) == 0;
    const unsigned wonAlone = alone ? winners : 0;
    std::uint32_t* packed = packed_;
    for (int q = 0; q < randomSeats; ++q, packed += PerHandStats::kPackedPerSeat) {
      const std::uint32_t won = ((wonAlone >> q) & 1u) << PerHandStats::kPackedShift;
      packed[PerHandStats::PackedIndex(row[q], row[randomSeats + q])] += 1 + won;
    }
    if (!alone) [[unlikely]]
      NoteSplit(row, randomSeats, winners);
  }

  // The statistics the next Note calls add to.
  void Start(PerHandStats& stats) {
    packed_ = stats.packed.data();
    stats_ = &stats;
  }

 private:
  void NoteSplit(const int* row, int randomSeats, unsigned winners);

  std::uint32_t* packed_ = nullptr;
  PerHandStats* stats_ = nullptr;
};

}  // namespace zuv::sim
