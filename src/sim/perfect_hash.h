#pragma once
// A minimal-latency perfect hash for a fixed set of 32-bit keys, built once
// (the evaluator's at build time, see make_evaluator_tables.cpp): one multiply picks a bucket (top bits) and a slot (the bits
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
  // A hash built before, from its parts.
  constexpr PerfectHash(std::uint64_t multiplier, const std::array<std::uint16_t, 1u << kBucketBits>& displacement)
      : multiplier_(multiplier), displacement_(displacement) {}

  // Builds a hash that sends every key of `keys` (distinct, at most 7/8 of
  // kSlots) to its own slot. Deterministic for equal inputs and `seed`.
  static PerfectHash Build(const std::vector<std::uint32_t>& keys, std::uint64_t seed);

  std::uint64_t Multiplier() const { return multiplier_; }
  const std::array<std::uint16_t, 1u << kBucketBits>& Displacement() const { return displacement_; }

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
