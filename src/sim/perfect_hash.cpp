#include "sim/perfect_hash.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "sim/split_mix64.h"

namespace zuv::sim {

PerfectHash PerfectHash::Build(const std::vector<std::uint32_t>& keys, std::uint64_t seed) {
  if (keys.size() > kSlots / 8 * 7) throw std::invalid_argument("PerfectHash: too many keys");
  SplitMix64 multipliers(seed);
  // A multiplier fails only when two keys of one bucket share a slot, which
  // happens for roughly five of six multipliers at our load; a few dozen
  // tries are plenty and each costs well under a millisecond.
  for (int attempt = 0; attempt < 10000; ++attempt) {
    if (auto hash = TryBuild(keys, multipliers.Next() | 1)) return *hash;
  }
  throw std::runtime_error("PerfectHash: no multiplier found");
}

std::optional<PerfectHash> PerfectHash::TryBuild(const std::vector<std::uint32_t>& keys,
                                                 std::uint64_t multiplier) {
  constexpr std::uint32_t kBuckets = 1u << kBucketBits;
  PerfectHash hash;
  hash.multiplier_ = multiplier;

  std::vector<std::vector<std::uint32_t>> slotsOfBucket(kBuckets);
  for (std::uint32_t key : keys) {
    const std::uint64_t h = static_cast<std::uint64_t>(key) * multiplier;
    const auto bucket = static_cast<std::uint32_t>(h >> (64 - kBucketBits));
    const auto slot = static_cast<std::uint32_t>(h >> (64 - kBucketBits - kSlotBits)) & (kSlots - 1);
    auto& slots = slotsOfBucket[bucket];
    // Equal slots in one bucket stay equal under any displacement.
    if (std::find(slots.begin(), slots.end(), slot) != slots.end()) return std::nullopt;
    slots.push_back(slot);
  }

  // Big buckets first, while the table is still empty enough to fit them.
  std::vector<std::uint32_t> order(kBuckets);
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return slotsOfBucket[a].size() > slotsOfBucket[b].size();
  });

  std::vector<bool> taken(kSlots, false);
  for (std::uint32_t bucket : order) {
    const auto& slots = slotsOfBucket[bucket];
    if (slots.empty()) break;
    bool placed = false;
    for (std::uint32_t d = 0; d < kSlots && !placed; ++d) {
      placed = std::none_of(slots.begin(), slots.end(), [&](std::uint32_t s) { return taken[s ^ d]; });
      if (placed) {
        for (std::uint32_t s : slots) taken[s ^ d] = true;
        hash.displacement_[bucket] = static_cast<std::uint16_t>(d);
      }
    }
    if (!placed) return std::nullopt;
  }
  return hash;
}

}  // namespace zuv::sim
