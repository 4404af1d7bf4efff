#pragma once
// Exact draws for weighted dealing: uniform numbers below bounds wider than
// dealing's 16 bits, and an index drawn in proportion to integer weights.
//
// AliasTable is Walker's alias method kept in integers: each of the n slots
// holds its own index with the chance keep/total and another index (its
// alias) otherwise, so one slot and one number below the total draw an index
// with the chance of its weight over the sum, with no rounding and no second
// try, however much the weights differ.

#include <cstdint>
#include <vector>

#include "sim/random.h"

namespace zuv::sim {

using Amount = unsigned __int128;

// Uniform in [0, n) for 1 <= n <= 2^127.
Amount WideBelow(Random& random, Amount n);
inline Amount Below128(Random& random, Amount n) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  return high == 0 ? random.Below64(static_cast<std::uint64_t>(n)) : WideBelow(random, n);
}

class AliasTable {
 public:
  // `weights`: 1 to 2^16 of them, not all 0, with their sum times their
  // number below 2^127.
  explicit AliasTable(const std::vector<Amount>& weights);

  std::uint32_t Draw(Random& random) const {
    const std::uint32_t slot = random.Below16(size_, threshold_);
    return Below128(random, total_) < keep_[slot] ? slot : alias_[slot];
  }

  Amount Total() const { return total_; }

 private:
  std::vector<Amount> keep_;
  std::vector<std::uint32_t> alias_;
  Amount total_ = 0;
  std::uint32_t size_ = 0;
  std::uint32_t threshold_ = 0;  // 2^16 mod size_, for Random::Below16
};

}  // namespace zuv::sim
