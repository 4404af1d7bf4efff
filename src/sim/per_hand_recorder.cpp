#include "sim/per_hand_recorder.h"

#include <bit>

#include "sim/run_stats.h"

namespace zuv::sim {

void PerHandRecorder::NoteSplit(const char8_t* row, int randomSeats, unsigned winners, int winnerCount) {
  const std::uint64_t win = PerHandStats::kPackedWin[winnerCount];
  const std::int64_t share = RunStats::kUnit / winnerCount;
  // Fixed seats among the winners keep no per-hand figures.
  for (unsigned w = winners & ((1u << randomSeats) - 1); w != 0; w &= w - 1) {
    const int q = std::countr_zero(w);
    const int card1 = row[q], card2 = row[randomSeats + q];
    if (win != 0) {
      packed_[Place(q, card1, card2)] += win;
    } else {  // shared too widely for the words: rare enough for the arrays
      const std::size_t entry = stats_->Index(q, ComboIndex(card1, card2));
      stats_->won[entry] += share;
      stats_->wonSquare[entry] += share * share;
    }
  }
}

}  // namespace zuv::sim
