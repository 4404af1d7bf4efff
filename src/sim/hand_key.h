#pragma once
// HandKey: one 32-bit number per evaluated hand that orders hands exactly as
// the hand class followed by its tie-break vector does.
//
// Layout: class (1..9) in bits 20..23, then up to five tie-break values
// (2..14), one per nibble, most significant first in bits 16..19. Unused
// trailing nibbles are zero. A bigger key is a better hand; equal keys split.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zuv::sim {

using HandKey = std::uint32_t;

enum HandClassNumber : int {
  kHighCard = 1,
  kPair = 2,
  kTwoPairs = 3,
  kTrips = 4,
  kStraight = 5,
  kFlush = 6,
  kFullHouse = 7,
  kFourOfAKind = 8,
  kStraightFlush = 9,
};
inline constexpr int kHandClasses = 9;

// Number of tie-break values for each class 1..9 (index 0 unused).
inline constexpr std::array<int, 10> kHighCardLength{0, 5, 4, 3, 3, 1, 5, 2, 2, 1};

// Packs a class and its tie-break values; values beyond five are ignored.
constexpr HandKey MakeHandKey(int handClass, std::initializer_list<int> values) {
  HandKey key = static_cast<HandKey>(handClass) << 20;
  int shift = 16;
  for (int v : values) {
    if (shift < 0) break;
    key |= static_cast<HandKey>(v) << shift;
    shift -= 4;
  }
  return key;
}

constexpr int HandClass(HandKey key) { return static_cast<int>(key >> 20); }

// The tie-break vector of the key's class, with that class's length.
std::vector<int> HighCard(HandKey key);

// Key of a class and a tie-break vector (inverse of HandClass/HighCard).
HandKey HandKeyFrom(int handClass, const std::vector<int>& highcard);

// "High card" .. "Straight flush" for classes 1..9.
std::string_view HandClassName(int handClass);

}  // namespace zuv::sim
