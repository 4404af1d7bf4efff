#include "platform/random_numbers.h"

#include <QRandomGenerator>
#include <bit>
#include <cmath>

#include "sim/split_mix64.h"

namespace zuv {

RandomNumbers::RandomNumbers() : state_(QRandomGenerator::global()->generate64()) {}

void RandomNumbers::reset(double seed) { state_ = FromSeed(seed); }

std::uint64_t RandomNumbers::next() {
  sim::SplitMix64 mix(state_);
  const std::uint64_t seed = mix.Next();
  // SplitMix64 advances its state by a fixed odd step; keep that step here.
  state_ += 0x9E3779B97F4A7C15ull;
  return seed;
}

std::uint64_t RandomNumbers::FromSeed(double seed) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isfinite(seed) && seed == std::trunc(seed) && seed >= -kLimit && seed < kLimit) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(seed));
  }
  return std::bit_cast<std::uint64_t>(seed);
}

}  // namespace zuv
