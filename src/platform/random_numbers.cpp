#include "platform/random_numbers.h"

#include <QRandomGenerator>

#include "sim/seed_number.h"
#include "sim/split_mix64.h"

namespace zuv {

RandomNumbers::RandomNumbers() : state_(QRandomGenerator::global()->generate64()) {}

void RandomNumbers::reset(double seed) { state_ = sim::SeedOfNumber(seed); }

std::uint64_t RandomNumbers::next() {
  const std::uint64_t seed = state_;
  // The runs after it take seeds well mixed from it.
  state_ = sim::SplitMix64(state_).Next();
  last_ = seed;
  return seed;
}

}  // namespace zuv
