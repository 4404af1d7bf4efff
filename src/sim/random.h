#pragma once
// Pseudo-random numbers defined bit for bit in this file, so that a seed deals the same cards
// on every machine and compiler: SplitMix64 to expand seeds, xoshiro256** for
// the stream, and Lemire's multiply-and-reject to map onto a range (the
// standard library's distributions differ between implementations).
//
// Below16 serves the small ranges of dealing from 16-bit pieces of the
// generator's words, four per word: Lemire's method works unchanged at 16
// bits, and its rejection (below 2^16 mod n) is rarer than one in 1000 draws
// for n <= 52, so the branch is all but free.

#include <cstdint>

#include "sim/split_mix64.h"

namespace zuv::sim {

class Random {
 public:
  // State = four SplitMix64 outputs of `seed`, which are never all zero.
  explicit Random(std::uint64_t seed) {
    SplitMix64 mix(seed);
    for (auto& word : s_) word = mix.Next();
  }

  std::uint64_t Next64() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

  // 32 random bits: the low half of a fresh 64-bit output, then its high half.
  std::uint32_t Next32() {
    if (hasSpare_) {
      hasSpare_ = false;
      return spare_;
    }
    const std::uint64_t x = Next64();
    spare_ = static_cast<std::uint32_t>(x >> 32);
    hasSpare_ = true;
    return static_cast<std::uint32_t>(x);
  }

  // Uniform in [0, n) for 1 <= n <= 2^16; `threshold` must be 2^16 mod n.
  // Uses the next 16-bit piece of the current word, low piece first.
  std::uint32_t Below16(std::uint32_t n, std::uint32_t threshold) {
    for (;;) {
      if (pieces_ == 0) {
        pieceWord_ = Next64();
        pieces_ = 4;
      }
      const std::uint32_t m = static_cast<std::uint32_t>(pieceWord_ & 0xFFFF) * n;
      pieceWord_ >>= 16;
      --pieces_;
      if ((m & 0xFFFF) >= threshold) [[likely]]
        return m >> 16;
    }
  }

  // Uniform in [0, n) for 1 <= n < 2^32, exactly unbiased.
  std::uint32_t Below(std::uint32_t n) {
    std::uint64_t m = static_cast<std::uint64_t>(Next32()) * n;
    auto low = static_cast<std::uint32_t>(m);
    if (low < n) {
      const std::uint32_t threshold = (0u - n) % n;
      while (low < threshold) {
        m = static_cast<std::uint64_t>(Next32()) * n;
        low = static_cast<std::uint32_t>(m);
      }
    }
    return static_cast<std::uint32_t>(m >> 32);
  }

  // The same for 1 <= n < 2^64. Inline, as the draws of weighted dealing
  // are: most of a deal's time on tables of weighted seats.
  std::uint64_t Below64(std::uint64_t n) {
    unsigned __int128 m = static_cast<unsigned __int128>(Next64()) * n;
    auto low = static_cast<std::uint64_t>(m);
    if (low < n) [[unlikely]] {
      const std::uint64_t threshold = (0 - n) % n;
      while (low < threshold) {
        m = static_cast<unsigned __int128>(Next64()) * n;
        low = static_cast<std::uint64_t>(m);
      }
    }
    return static_cast<std::uint64_t>(m >> 64);
  }

 private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4];
  std::uint32_t spare_ = 0;
  bool hasSpare_ = false;
  std::uint64_t pieceWord_ = 0;
  int pieces_ = 0;
};

}  // namespace zuv::sim
