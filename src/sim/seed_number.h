#pragma once
// The engine seed of a seed as a person types it (the window's seed field, a
// setup file's Seed): the same number gives the same hands in the window, in
// a setup file and in zuvsim --seed.

#include <bit>
#include <cmath>
#include <cstdint>

namespace zuv::sim {

// Whole numbers in the range of 64-bit integers by their two's complement (so
// -3 is 18446744073709551613 and differs from 3), anything else by its bit
// pattern: never an overflowing conversion.
inline std::uint64_t SeedOfNumber(double seed) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isfinite(seed) && seed == std::trunc(seed) && seed >= -kLimit && seed < kLimit) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(seed));
  }
  return std::bit_cast<std::uint64_t>(seed);
}

}  // namespace zuv::sim
