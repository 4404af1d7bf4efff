#pragma once
// Starting-hand classes 1..169 of two hole cards: pairs AA..22 = 1..13,
// suited AKs..32s = 14..91 in blocks by the higher card, offsuit = suited + 78.

#include <array>
#include <cstdint>
#include <vector>

namespace zuv::sim {

inline constexpr int kStartHandClasses = 169;

// Class of two different cards 1..52; the order of the cards does not matter.
constexpr int StartHandClass(int card1, int card2) {
  const int a = (card1 - 1) % 13 + 2;
  const int b = (card2 - 1) % 13 + 2;
  if (a == b) return 15 - a;
  const int hi = a > b ? a : b;
  const int triangle = (hi - 2) * (hi - 1) / 2;  // 1 + 2 + ... + (hi - 2)
  const int suited = 91 - triangle + (a > b ? a - b : b - a);
  return (card1 - 1) / 13 == (card2 - 1) / 13 ? suited : suited + 78;
}

// 53 x 53 table of StartHandClass by card numbers (row/column 0 and the
// diagonal unused), for the run's inner loop; built by the compiler.
inline constexpr std::array<std::uint8_t, 53 * 53> kStartHandTable = [] {
  std::array<std::uint8_t, 53 * 53> t{};
  for (int a = 1; a <= 52; ++a)
    for (int b = 1; b <= 52; ++b)
      if (a != b) t[a * 53 + b] = static_cast<std::uint8_t>(StartHandClass(a, b));
  return t;
}();

// One class per pair of hole cards, in the given order; empty in, empty out.
std::vector<int> FindStartHands(const std::vector<std::array<int, 2>>& holeCards);

// One class per winner (seat numbers 1..10) from the seats' hole cards.
std::vector<int> FindStartHands(const std::vector<int>& winners,
                                const std::array<std::array<int, 2>, 10>& hole);

}  // namespace zuv::sim
