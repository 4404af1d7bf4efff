#pragma once
// The sampled run's hook for per-hand results: the hand loop notes each
// hand's deals and winners, and the recorder adds them to a 64-bit counter
// word per random seat and hole cards as dealt (PerHandStats::packed). The
// loop is compiled with and without it, so a run that keeps no per-hand
// results runs the loop it ran before.

#include <cstdint>

#include "sim/per_hand_stats.h"

namespace zuv::sim {

class PerHandRecorder {
 public:
  // A hand's `row` holds the random seats' first cards, then their second
  // cards, a byte each as the dealer picks them: random seat q (slot q of
  // the statistics) at place q.

  // Notes that random seat q holds card1 and card2.
  void NoteHeld(int q, int card1, int card2) {
    ++packed_[Place(q, card1, card2)];
  }

  // Notes the pot won alone by place `winner` (a fixed seat past the random
  // ones keeps no figures).
  void NoteWonAlone(const char8_t* row, int randomSeats, int winner) {
    // Branch-free, as which seat wins is a coin toss per hand: a fixed
    // winner adds nothing to the last random seat's word.
    const bool dealt = winner < randomSeats;
    const int q = dealt ? winner : randomSeats - 1;
    packed_[Place(q, row[q], row[randomSeats + q])] += static_cast<std::uint64_t>(dealt) << PerHandStats::kPackedBits;
  }

  // Notes a pot shared by the `winnerCount` places whose bits are set in `winners`.
  void NoteSplit(const char8_t* row, int randomSeats, unsigned winners, int winnerCount);

  // The statistics the next calls add to.
  void Start(PerHandStats& stats) {
    packed_ = stats.packed.data();
    stats_ = &stats;
  }

 private:
  // Place of random seat q's word for card1 and card2. Cards as unsigned
  // 64-bit numbers: as they were loaded, with no sign to extend.
  static std::size_t Place(int q, int card1, int card2) {
    return static_cast<std::size_t>(q) * PerHandStats::kPackedPerSeat +
           PerHandStats::PackedIndex(static_cast<std::size_t>(card1), static_cast<std::size_t>(card2));
  }

  std::uint64_t* packed_ = nullptr;
  PerHandStats* stats_ = nullptr;
};

}  // namespace zuv::sim
