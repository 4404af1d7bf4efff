#include "sim/per_hand_stats.h"

#include <algorithm>
#include <stdexcept>

#include "sim/run_stats.h"

namespace zuv::sim {

Combo ComboOfIndex(int index) {
  // A table: the run's end reads it for every combination several times over.
  static constexpr std::array<Combo, kAllCombos> kCombos = [] {
    std::array<Combo, kAllCombos> combos{};
    for (int high = 2, i = 0; high <= 52; ++high) {
      for (int low = 1; low < high; ++low) combos[i++] = {low, high};
    }
    return combos;
  }();
  return kCombos[static_cast<std::size_t>(index)];
}

PerHandStats::PerHandStats(std::vector<int> seatIndexes)
    : seats(std::move(seatIndexes)),
      held(seats.size() * kAllCombos, 0),
      won(seats.size() * kAllCombos, 0),
      wonSquare(seats.size() * kAllCombos, 0) {}

int PerHandStats::Slot(int seat) const {
  const auto it = std::find(seats.begin(), seats.end(), seat);
  return it == seats.end() ? -1 : static_cast<int>(it - seats.begin());
}

void PerHandStats::Fold() {
  packedHands = 0;
  if (packed.empty()) return;
  constexpr std::uint64_t kMask = (std::uint64_t{1} << kPackedBits) - 1;
  // Units of a pot won alone and shared by two, as the words count them.
  constexpr std::array<std::int64_t, 2> kShares{RunStats::kUnit, RunStats::kUnit / 2};
  for (std::size_t slot = 0; slot < seats.size(); ++slot) {
    std::uint64_t* words = packed.data() + slot * kPackedPerSeat;
    // Combination by combination, so that the 64-bit arrays go in order. The
    // two orders of a combination's cards add up without a field
    // overflowing: one seat holds one of them per hand.
    std::size_t i = Index(static_cast<int>(slot), 0);
    for (int high = 2; high <= 52; ++high) {
      for (int low = 1; low < high; ++low, ++i) {
        std::uint64_t& lowFirst = words[PackedIndex(low, high)];
        std::uint64_t& highFirst = words[PackedIndex(high, low)];
        const std::uint64_t word = lowFirst + highFirst;
        if (word == 0) continue;
        lowFirst = highFirst = 0;
        held[i] += static_cast<std::int64_t>(word & kMask);
        for (std::size_t k = 0; k < kShares.size(); ++k) {
          const auto pots = static_cast<std::int64_t>((word >> (k + 1) * kPackedBits) & kMask);
          won[i] += pots * kShares[k];
          wonSquare[i] += pots * kShares[k] * kShares[k];
        }
      }
    }
  }
}

void PerHandStats::Add(const PerHandStats& other) {
  if (other.Empty()) return;
  if (Empty()) {
    *this = other;
    Fold();
    return;
  }
  if (seats != other.seats) throw std::invalid_argument("PerHandStats::Add: figures of other seats");
  Fold();
  const PerHandStats folded = other.Folded();
  for (std::size_t i = 0; i < held.size(); ++i) {
    held[i] += folded.held[i];
    won[i] += folded.won[i];
    wonSquare[i] += folded.wonSquare[i];
  }
}

}  // namespace zuv::sim
