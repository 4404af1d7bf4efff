#pragma once
// The fast seven-card evaluator: tables built once at start-up, then a hand
// costs a few additions, one flush test and one or two table reads.
//
// Each card has a 64-bit key. The low 32 bits hold 5^(value-2), so the sum of
// seven keys writes the count of every value as a base-5 digit: one number per
// value multiset (49,205 of them for seven cards), sent by a perfect hash to
// its precomputed HandKey. Bits 32..47 hold four 4-bit suit counters that
// start at 3, so a counter reaches 8 (its top bit) exactly when five or more
// cards share a suit. With a flush, a 13-bit mask of that suit's values picks
// the answer from an 8192-entry table. Quads and full houses cannot coexist
// with a flush in seven cards, so the flush answer is always final.

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <vector>

#include "sim/hand_key.h"
#include "sim/perfect_hash.h"

namespace zuv::sim {

class FastEvaluator {
 public:
  // Start value of a key sum: the suit counters' bias.
  static constexpr std::uint64_t kKeyBias = 0x3333ull << 32;
  static constexpr std::uint64_t kFlushBits = 0x8888ull << 32;

 private:
  static constexpr std::array<std::uint64_t, 53> kCardBit = [] {
    std::array<std::uint64_t, 53> bits{};
    for (int card = 1; card <= 52; ++card) bits[card] = 1ull << (16 * ((card - 1) / 13) + (card - 1) % 13);
    return bits;
  }();

 public:
  // Built on first use; thread-safe; lives until the program ends. The one
  // instance is a static object, so the hot path reads its tables at fixed
  // addresses instead of through pointers.
  static const FastEvaluator& Get() {
    if (!ready_.load(std::memory_order_acquire)) [[unlikely]]
      Build();
    return instance_;
  }

  std::uint64_t CardKey(int card) const { return cardKey_[card]; }
  // Bit (16 * (suit - 1) + value - 2): suit blocks of 16 bits, one bit per value.
  static constexpr std::uint64_t CardBit(int card) { return kCardBit[card]; }

  static bool HasFlush(std::uint64_t keySum) { return (keySum & kFlushBits) != 0; }

  // keySum = kKeyBias + the keys of seven cards, without a flush.
  HandKey NoFlush(std::uint64_t keySum) const {
    return rankTable_[hash_.Slot(static_cast<std::uint32_t>(keySum))];
  }

  // keySum as above with a flush; cardBits = OR of the seven CardBit values.
  HandKey WithFlush(std::uint64_t keySum, std::uint64_t cardBits) const {
    const int flag = std::countr_zero((keySum & kFlushBits) >> 32);  // 4 * suit + 3
    const auto suitMask = static_cast<std::uint32_t>(cardBits >> ((flag >> 2) * 16)) & 0x1FFF;
    return flushTable_[suitMask];
  }

  // Either case without a branch: both tables are read and the flush test
  // picks one. For boards where flushes come and go at random (a two-suited
  // flop with suited hole cards) this beats a mispredicted branch.
  HandKey AnyBranchFree(std::uint64_t keySum, std::uint64_t cardBits) const {
    const auto flushFlags = static_cast<std::uint32_t>((keySum & kFlushBits) >> 32);
    const int flag = std::countr_zero(flushFlags | 0x8000u);  // no flush: reads a harmless entry
    const HandKey flush = flushTable_[static_cast<std::uint32_t>(cardBits >> ((flag >> 2) * 16)) & 0x1FFF];
    const HandKey plain = NoFlush(keySum);
    const HandKey pickFlush = 0u - static_cast<HandKey>(flushFlags != 0);
    return (flush & pickFlush) | (plain & ~pickFlush);
  }

  HandKey Seven(const std::array<int, 7>& cards) const {
    std::uint64_t sum = kKeyBias;
    for (int c : cards) sum += cardKey_[c];
    if (!HasFlush(sum)) [[likely]]
      return NoFlush(sum);
    std::uint64_t bits = 0;
    for (int c : cards) bits |= kCardBit[c];
    return WithFlush(sum, bits);
  }

 private:
  constexpr FastEvaluator() = default;
  static void Build();
  void Fill();

  static FastEvaluator instance_;
  static std::atomic<bool> ready_;

  std::array<std::uint64_t, 53> cardKey_{};  // index = card number, 0 unused
  PerfectHash hash_;
  alignas(64) std::array<HandKey, PerfectHash::kSlots> rankTable_{};
  alignas(64) std::array<HandKey, 1u << 13> flushTable_{};  // by 13-bit value mask
};

}  // namespace zuv::sim
