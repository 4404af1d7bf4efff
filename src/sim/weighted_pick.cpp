#include "sim/weighted_pick.h"

#include <bit>

namespace zuv::sim {

Amount WideBelow(Random& random, Amount n) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  const int bits = 128 - std::countl_zero(high);
  const Amount mask = (static_cast<Amount>(1) << (bits - 64) << 64) - 1;
  for (;;) {
    const Amount x = ((static_cast<Amount>(random.Next64()) << 64) | random.Next64()) & mask;
    if (x < n) return x;
  }
}

AliasTable::AliasTable(const std::vector<Amount>& weights)
    : keep_(weights.size()), alias_(weights.size()), size_(static_cast<std::uint32_t>(weights.size())) {
  threshold_ = 65536u % size_;
  for (Amount w : weights) total_ += w;
  // Each slot holds `total_` in the weights times their number; a slot short
  // of that is filled up from a slot that has more.
  std::vector<Amount> scaled(size_);
  std::vector<std::uint32_t> small, large;
  for (std::uint32_t i = 0; i < size_; ++i) {
    alias_[i] = i;
    scaled[i] = weights[i] * size_;
    (scaled[i] < total_ ? small : large).push_back(i);
  }
  while (!small.empty() && !large.empty()) {
    const std::uint32_t s = small.back(), g = large.back();
    small.pop_back();
    keep_[s] = scaled[s];
    alias_[s] = g;
    scaled[g] -= total_ - scaled[s];
    if (scaled[g] < total_) {
      large.pop_back();
      small.push_back(g);
    }
  }
  // What is left holds exactly `total_` each.
  for (std::uint32_t i : large) keep_[i] = total_;
  for (std::uint32_t i : small) keep_[i] = total_;
}

}  // namespace zuv::sim
