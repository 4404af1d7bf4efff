#pragma once
// Deals distinct cards from the free cards of a table, each hand afresh.
//
// A deal is a partial Fisher-Yates shuffle of a fresh 64-byte copy of the free
// cards: place i takes a uniform pick among the cards not yet dealt, so every
// ordered deal is equally likely and no pick is ever repeated (a repeat costs
// a mispredicted branch).
//
// The picks come in batches of up to kBatch from one 64-bit random word r:
// multiplying r by the range n gives the pick in the high 64 bits and leaves
// the rest of r's randomness in the low 64 bits for the next range. The picks
// of a batch are then the mixed-radix digits of floor(r * P / 2^64), P being
// the product of the batch's ranges, which is exactly uniform once words with
// (r * P mod 2^64) < (2^64 mod P) are drawn again (Lemire's multiply-and-reject
// with range P). P < 2^48 here, so a redraw happens less than once in 65536
// words. A batch cut short by the end of a deal uses its first digits, which
// are uniform as well.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/random.h"

namespace zuv::sim {

class CardDealer {
 public:
  // Picks drawn from one random word; 64^8 = 2^48 bounds their ranges' product.
  static constexpr int kBatch = 8;

  // `freeCards`: 1..64 distinct card numbers; their order fixes which card a
  // pick means.
  explicit CardDealer(const std::vector<int>& freeCards) : count_(static_cast<std::uint32_t>(freeCards.size())) {
    for (std::size_t i = 0; i < freeCards.size(); ++i) freeBytes_[i] = static_cast<std::uint8_t>(freeCards[i]);
    for (int b = 0; b < kMaxBatches; ++b) {
      std::uint64_t product = 1;
      for (int i = b * kBatch; i < (b + 1) * kBatch; ++i) product *= i < static_cast<int>(count_) ? count_ - i : 1;
      product_[b] = product;
      threshold_[b] = (0 - product) % product;  // 2^64 mod product
    }
  }

  // Writes `count` (<= number of free cards) distinct free cards to out, in
  // dealing order.
  template <typename Card>
  void Deal(Random& random, int count, Card* out) const {
    std::array<std::uint8_t, 64> deck = freeBytes_;
    for (int i = 0, b = 0; i < count; ++b) {
      std::uint64_t r = random.Next64();
      while (r * product_[b] < threshold_[b]) [[unlikely]]
        r = random.Next64();
      const std::uint64_t range = count_ - i;
      if (count - i >= kBatch) {
        // Whole batches unrolled: no loop counter per pick.
        for (int k = 0; k < kBatch; ++k) Pick(r, range - k, i + k, deck, out);
        i += kBatch;
      } else {
        for (int k = 0; i < count; ++i, ++k) Pick(r, range - k, i, deck, out);
      }
    }
  }

  std::uint32_t FreeCount() const { return count_; }

 private:
  static constexpr int kMaxBatches = 64 / kBatch;

  // Place i takes the next digit of r: one of the `range` cards from place i on.
  template <typename Card>
  static void Pick(std::uint64_t& r, std::uint64_t range, int i, std::array<std::uint8_t, 64>& deck, Card* out) {
    const auto wide = static_cast<unsigned __int128>(r) * range;
    r = static_cast<std::uint64_t>(wide);
    const int j = i + static_cast<int>(wide >> 64);
    out[i] = deck[j];
    deck[j] = deck[i];
  }

  alignas(64) std::array<std::uint8_t, 64> freeBytes_{};
  std::array<std::uint64_t, kMaxBatches> product_{};
  std::array<std::uint64_t, kMaxBatches> threshold_{};
  std::uint32_t count_;
};

}  // namespace zuv::sim
