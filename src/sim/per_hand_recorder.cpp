#include "sim/per_hand_recorder.h"

#include <bit>

#include "sim/run_stats.h"

namespace zuv::sim {

void PerHandRecorder::NoteSplit(const int* row, int randomSeats, unsigned winners) {
  const std::int64_t units = RunStats::kUnit / std::popcount(winners);
  for (int q = 0; q < randomSeats; ++q) {
    if (((winners >> q) & 1u) == 0) continue;
    const std::size_t entry = static_cast<std::size_t>(q) * kAllCombos + ComboIndex(row[q], row[randomSeats + q]);
    stats_->won[entry] += units;
    stats_->wonSquare[entry] += units * units;
  }
}

}  // namespace zuv::sim
