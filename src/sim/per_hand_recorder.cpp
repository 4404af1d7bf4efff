#include "sim/per_hand_recorder.h"

namespace zuv::sim {

void PerHandRecorder::NoteSplit(const int* row, const HandKey* key, HandKey best, int winners, int randomSeats) {
  for (int q = 0; q < randomSeats; ++q) {
    if (key[q] != best) continue;
    const auto entry = static_cast<std::uint32_t>(q * kAllCombos + ComboIndex(row[q], row[randomSeats + q]));
    const std::int64_t units = RunStats::kUnit / winners;
    stats_->won[entry] += units;
    stats_->wonSquare[entry] += units * units;
  }
}

}  // namespace zuv::sim
