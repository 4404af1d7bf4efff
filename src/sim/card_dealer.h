#pragma once
// Deals distinct cards from the free cards of a table, each hand afresh.
//
// Short deals (up to kPickLimit cards): each card is a uniform pick among all
// free cards, picked again if it was already dealt this hand. Every ordered
// deal is equally likely; repeats are rare (under one per hand for two seats)
// and, unlike a shuffle, no card array is written, so consecutive picks do not
// wait on each other through memory.
// Long deals (more seats): repeats would become frequent and each costs a
// mispredicted branch, so a partial Fisher-Yates shuffle of a fresh copy of
// the free cards is used instead.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/random.h"

namespace zuv::sim {

class CardDealer {
 public:
  // `freeCards`: 1..64 distinct card numbers; their order fixes which card a
  // pick means.
  explicit CardDealer(const std::vector<int>& freeCards) : count_(static_cast<std::uint32_t>(freeCards.size())) {
    for (std::size_t i = 0; i < freeCards.size(); ++i) {
      free_[i] = freeCards[i];
      freeBytes_[i] = static_cast<std::uint8_t>(freeCards[i]);
    }
    threshold_ = kThreshold16[count_];
  }

  // Writes `count` (<= number of free cards) distinct free cards to out, in
  // dealing order.
  static constexpr int kPickLimit = 16;

  void Deal(Random& random, int count, int* out) const {
    if (count > kPickLimit) {
      std::array<std::uint8_t, 64> deck = freeBytes_;  // one 64-byte copy
      for (int i = 0; i < count; ++i) {
        const std::uint32_t range = count_ - i;
        const std::uint32_t j = i + random.Below16(range, kThreshold16[range]);
        std::swap(deck[i], deck[j]);
        out[i] = deck[i];
      }
      return;
    }
    std::uint64_t dealt = 0;
    for (int i = 0; i < count; ++i) {
      std::uint32_t pick;
      std::uint64_t bit;
      do {
        pick = random.Below16(count_, threshold_);
        bit = 1ull << pick;
      } while (dealt & bit);
      dealt |= bit;
      out[i] = free_[pick];
    }
  }

  std::uint32_t FreeCount() const { return count_; }

 private:
  // 2^16 mod n for n = 1..64, the rejection bounds of Random::Below16.
  static constexpr std::array<std::uint32_t, 65> kThreshold16 = [] {
    std::array<std::uint32_t, 65> t{};
    for (std::uint32_t n = 1; n <= 64; ++n) t[n] = 65536u % n;
    return t;
  }();

  std::array<int, 64> free_{};
  alignas(64) std::array<std::uint8_t, 64> freeBytes_{};
  std::uint32_t count_;
  std::uint32_t threshold_;
};

}  // namespace zuv::sim
