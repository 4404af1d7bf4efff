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
// with range P). For a deck of 52, P < 2^51, so a redraw happens less than
// once in 8000 words, and a heads-up hand with its whole board takes one word.
// A batch cut short by the end of a deal uses its first digits, which are
// uniform as well.

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "sim/random.h"

namespace zuv::sim {

class CardDealer {
 public:
  // Picks drawn from one random word: nine cards, a heads-up deal.
  static constexpr int kBatch = 9;
  // DealRows compiles its loops for every count up to this (ten seats and a board).
  static constexpr int kMaxRowCount = 25;

  // `freeCards`: 1..64 distinct card numbers; their order fixes which card a
  // pick means.
  explicit CardDealer(const std::vector<int>& freeCards) : count_(static_cast<std::uint32_t>(freeCards.size())) {
    for (std::size_t i = 0; i < freeCards.size(); ++i) freeBytes_[i] = static_cast<std::uint8_t>(freeCards[i]);
    for (std::uint32_t i = 0; i < count_; ++i) range_[i] = count_ - i;
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
      const std::uint64_t r = Word(random, b);
      const int end = count - i >= kBatch ? i + kBatch : count;
      PickBatch(r, i, end, deck, out);
      i = end;
    }
  }

  // `hands` deals of `count` cards (1..kMaxRowCount), the first at rows, each
  // next one `stride` places further: the cards of `hands` calls of Deal, with
  // the loops unrolled for the count. Rows of bytes for deals of more than
  // one batch (ShufflesInPlace) are shuffled in place: each takes a copy of
  // all free cards (its stride at least 64) and keeps the deal in its first
  // `count` places, the cards left over behind them.
  template <typename Card>
  void DealRows(Random& random, int count, int hands, Card* rows, int stride) const {
    kDealRows<Card>[count](*this, random, hands, rows, stride);
  }
  // Measured: in place, six seats' deals gained a tenth and heads-up deals
  // of up to nine cards lost up to as much.
  static constexpr bool ShufflesInPlace(int count) { return count > kBatch; }

 private:
  static constexpr int kMaxBatches = (64 + kBatch - 1) / kBatch;

  // The random word of batch b, drawn again while it would bias the picks.
  std::uint64_t Word(Random& random, int b) const {
    std::uint64_t r = random.Next64();
    while (r * product_[b] < threshold_[b]) [[unlikely]]
      r = random.Next64();
    return r;
  }

  // The next digit of r in base `range`; r keeps the rest of its randomness.
  static std::uint64_t NextDigit(std::uint64_t& r, std::uint64_t range) {
#if defined(__x86_64__)
    // One mulq written out: GCC kept the low half of the 128-bit product in
    // memory, a store and a load on every pick's path.
    std::uint64_t high;
    asm("mulq %2" : "+a"(r), "=d"(high) : "rm"(range) : "cc");
    return high;
#else
    const auto wide = static_cast<unsigned __int128>(r) * range;
    r = static_cast<std::uint64_t>(wide);
    return static_cast<std::uint64_t>(wide >> 64);
#endif
  }

  // Places i..end-1 take the next digits of r: place i one of the count_ - i
  // cards from place i on.
  template <typename Card>
  void PickBatch(std::uint64_t r, int i, int end, std::array<std::uint8_t, 64>& deck, Card* out) const {
    const std::uint64_t count = count_;  // a local: stores to out may not change it
#pragma GCC unroll 9
    for (; i < end; ++i) {
      const std::uint64_t j = NextDigit(r, count - static_cast<std::uint64_t>(i)) + static_cast<std::uint64_t>(i);
      out[i] = deck[j];
      deck[j] = deck[i];
    }
  }

  // The same picks as PickBatch, each swapped into its place of `deck`.
  void SwapBatch(std::uint64_t r, int i, int end, std::uint8_t* deck) const {
#pragma GCC unroll 9
    for (; i < end; ++i) {
      const std::uint64_t j = NextDigit(r, range_[i]) + static_cast<std::uint64_t>(i);
      const std::uint8_t card = deck[j];
      deck[j] = deck[i];
      deck[i] = card;
    }
  }

  template <int kCount, typename Card>
  static void DealRowsOf(const CardDealer& dealer, Random& random, int hands, Card* rows, int stride) {
    // A local generator the compiler keeps in registers across the hands.
    Random local = random;
    for (int h = 0; h < hands; ++h, rows += stride) {
      if constexpr (sizeof(Card) == 1 && ShufflesInPlace(kCount)) {
        // The row is the deck: no separate copy, and no store per pick but
        // the swap's own.
        std::memcpy(rows, dealer.freeBytes_.data(), sizeof dealer.freeBytes_);
#pragma GCC unroll 3
        for (int b = 0; b * kBatch < kCount; ++b) {
          const int end = (b + 1) * kBatch < kCount ? (b + 1) * kBatch : kCount;
          dealer.SwapBatch(dealer.Word(local, b), b * kBatch, end, reinterpret_cast<std::uint8_t*>(rows));
        }
      } else {
        std::array<std::uint8_t, 64> deck = dealer.freeBytes_;
#pragma GCC unroll 3
        for (int b = 0; b * kBatch < kCount; ++b) {
          const int end = (b + 1) * kBatch < kCount ? (b + 1) * kBatch : kCount;
          dealer.PickBatch(dealer.Word(local, b), b * kBatch, end, deck, rows);
        }
      }
    }
    random = local;
  }

  template <typename Card>
  using DealRowsFunction = void (*)(const CardDealer&, Random&, int, Card*, int);
  template <typename Card>
  static constexpr std::array<DealRowsFunction<Card>, kMaxRowCount + 1> kDealRows = [] {
    std::array<DealRowsFunction<Card>, kMaxRowCount + 1> table{};
    [&]<int... kCounts>(std::integer_sequence<int, kCounts...>) {
      ((table[kCounts] = &DealRowsOf<kCounts, Card>), ...);
    }(std::make_integer_sequence<int, kMaxRowCount + 1>{});
    return table;
  }();

  alignas(64) std::array<std::uint8_t, 64> freeBytes_{};
  std::array<std::uint64_t, kMaxBatches> product_{};
  std::array<std::uint64_t, kMaxBatches> threshold_{};
  // count_ - i: the range of place i, read by the multiply from memory.
  std::array<std::uint64_t, 64> range_{};
  std::uint32_t count_;
};

}  // namespace zuv::sim
