#pragma once
// SplitMix64: turns one 64-bit seed into a stream of well-mixed words. Used
// to expand seeds into generator states and to pick hash multipliers.

#include <cstdint>

namespace zuv::sim {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t state) : state_(state) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_;
};

}  // namespace zuv::sim
