#pragma once
// Deals distinct cards from the free cards of a table.
//
// A deal is a partial Fisher-Yates shuffle of a deck of the free cards: place
// i takes a uniform pick among the cards not yet dealt, swapped to the front,
// so every ordered deal is equally likely and no pick is ever repeated (a
// repeat costs a mispredicted branch). The deck is not put back in order
// between deals: whatever order earlier deals left it in, the next deal's
// picks are fresh and uniform, so each deal is as likely as with a fresh deck,
// and the 64-byte copy a fresh deck costs every hand is saved. The deck starts
// in the order of the free cards (Fresh), and the simulation starts it again
// with each block of hands, so that a hand still depends only on its seed,
// its block and its place in the block.
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

  // The free cards in their given order: the deck of a block's first hand.
  using Deck = std::array<std::uint8_t, 64>;
  Deck Fresh() const { return freeBytes_; }

  // Writes `count` (<= number of free cards) distinct free cards of `deck`
  // to out, in dealing order, and leaves the deck shuffled for the next deal.
  template <typename Card>
  void Deal(Random& random, Deck& deck, int count, Card* out) const {
    for (int i = 0, b = 0; i < count; ++b) {
      const std::uint64_t r = Word(random, b);
      const int end = count - i >= kBatch ? i + kBatch : count;
      PickBatch(r, i, end, deck, out);
      i = end;
    }
  }

  // `hands` deals of `count` cards (1..kMaxRowCount), the first at rows, each
  // next one `stride` places further: the cards of `hands` calls of Deal, with
  // the loops unrolled for the count.
  template <typename Card>
  void DealRows(Random& random, Deck& deck, int count, int hands, Card* rows, int stride) const {
    kDealRows<Card>[count](*this, random, deck, hands, rows, stride);
  }

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
  // cards from place i on, swapped into place i.
  template <typename Card>
  void PickBatch(std::uint64_t r, int i, int end, Deck& deck, Card* out) const {
#pragma GCC unroll 9
    for (; i < end; ++i) {
      const std::uint64_t j = NextDigit(r, range_[i]) + static_cast<std::uint64_t>(i);
      const std::uint8_t card = deck[j];
      deck[j] = deck[i];
      deck[i] = card;
      out[i] = card;
    }
  }

  template <int kCount, typename Card>
  static void DealRowsOf(const CardDealer& dealer, Random& random, Deck& deck, int hands, Card* rows, int stride) {
    // A local generator the compiler keeps in registers across the hands.
    Random local = random;
    for (int h = 0; h < hands; ++h, rows += stride) {
#pragma GCC unroll 3
      for (int b = 0; b * kBatch < kCount; ++b) {
        const int end = (b + 1) * kBatch < kCount ? (b + 1) * kBatch : kCount;
        dealer.PickBatch(dealer.Word(local, b), b * kBatch, end, deck, rows);
      }
    }
    random = local;
  }

  template <typename Card>
  using DealRowsFunction = void (*)(const CardDealer&, Random&, Deck&, int, Card*, int);
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
