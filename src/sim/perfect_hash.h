#pragma once
// A minimal-latency perfect hash for a fixed set of 32-bit keys, built at
// start-up: one multiply picks a bucket (top bits) and a slot (the bits
// below); a per-bucket displacement XORed into the slot separates keys that
// land on the same slot. Lookup = multiply, two shifts, one small table read.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zuv::sim {

class PerfectHash {
 public:
  static constexpr int kBucketBits = 13;
  static constexpr int kSlotBits = 16;
  static constexpr std::uint32_t kSlots = 1u << kSlotBits;

  // Empty hash (every key to slot 0), so that holders can be constant-initialized.
  constexpr PerfectHash() = default;

  // Builds a hash that sends every key of `keys` (distinct, at most 7/8 of
  // kSlots) to its own slot. Deterministic for equal inputs and `seed`.
  static PerfectHash Build(const std::vector<std::uint32_t>& keys, std::uint64_t seed);

  std::uint32_t Slot(std::uint32_t key) const {
    const std::uint64_t h = static_cast<std::uint64_t>(key) * multiplier_;
    const auto bucket = static_cast<std::uint32_t>(h >> (64 - kBucketBits));
    const auto slot = static_cast<std::uint32_t>(h >> (64 - kBucketBits - kSlotBits)) & (kSlots - 1);
    return slot ^ displacement_[bucket];
  }

 private:
  static std::optional<PerfectHash> TryBuild(const std::vector<std::uint32_t>& keys,
                                             std::uint64_t multiplier);
  std::uint64_t multiplier_ = 0;
  std::array<std::uint16_t, 1u << kBucketBits> displacement_{};
};

}  // namespace zuv::sim
