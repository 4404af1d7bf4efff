#pragma once
// The fast seven-card evaluator: its tables are computed when the program is
// built (make_evaluator_tables.cpp writes them as constants), so nothing is
// built at start-up; a hand costs a few additions, one flush test and one or
// two table reads.
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
  // Card (suit - 1) * 13 + value - 1: 5^(value - 2) in the low word, one in its suit's counter.
  static constexpr std::array<std::uint64_t, 53> kCardKey = [] {
    std::array<std::uint64_t, 53> keys{};
    for (int card = 1; card <= 52; ++card) {
      std::uint64_t power = 1;
      for (int v = 0; v < (card - 1) % 13; ++v) power *= 5;
      keys[card] = power | 1ull << (32 + 4 * ((card - 1) / 13));
    }
    return keys;
  }();
  static constexpr std::uint32_t kSlots = PerfectHash::kSlots;
  static constexpr std::uint32_t kFlushMasks = 1u << 13;

  // The one instance, a constant: the hot path reads its tables at fixed addresses.
  static const FastEvaluator& Get() { return instance_; }

  static constexpr std::uint64_t CardKey(int card) { return kCardKey[card]; }
  // Bit (16 * (suit - 1) + value - 2): suit blocks of 16 bits, one bit per value.
  static constexpr std::uint64_t CardBit(int card) { return kCardBit[card]; }

  static bool HasFlush(std::uint64_t keySum) { return (keySum & kFlushBits) != 0; }

  // keySum = kKeyBias + the keys of seven cards, without a flush.
  HandKey NoFlush(std::uint64_t keySum) const { return rankTable_[Slot(keySum)]; }
  // Each multiset of seven values has a slot of its own, below kSlots: a
  // caller may keep its own figures by them.
  std::uint32_t Slot(std::uint64_t keySum) const { return hash_.Slot(static_cast<std::uint32_t>(keySum)); }

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
    for (int c : cards) sum += kCardKey[c];
    if (!HasFlush(sum)) [[likely]]
      return NoFlush(sum);
    std::uint64_t bits = 0;
    for (int c : cards) bits |= kCardBit[c];
    return WithFlush(sum, bits);
  }

 private:
  // From the generated tables only.
  constexpr FastEvaluator(const PerfectHash& hash, const std::array<HandKey, kSlots>& rankTable,
                          const std::array<HandKey, kFlushMasks>& flushTable)
      : hash_(hash), rankTable_(rankTable), flushTable_(flushTable) {}

  static const FastEvaluator instance_;  // defined in the generated fast_evaluator_tables.cpp

  PerfectHash hash_;
  alignas(64) std::array<HandKey, kSlots> rankTable_{};
  alignas(64) std::array<HandKey, kFlushMasks> flushTable_{};  // by 13-bit value mask
};

}  // namespace zuv::sim
