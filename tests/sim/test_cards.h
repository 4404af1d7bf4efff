#pragma once
// Helpers shared by the engine tests.

#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "sim/card.h"
#include "sim/random.h"

namespace zuv::sim::testing {

// "AsKh2c" -> card numbers; throws on a typo so that a test cannot silently
// run on an empty hand.
inline std::vector<int> Cards(std::string_view text) {
  auto cards = ParseCards(text);
  if (!cards) throw std::invalid_argument("bad cards in test: " + std::string(text));
  return *cards;
}

inline std::array<int, 7> Seven(std::string_view text) {
  const auto c = Cards(text);
  if (c.size() != 7) throw std::invalid_argument("need seven cards: " + std::string(text));
  return {c[0], c[1], c[2], c[3], c[4], c[5], c[6]};
}

// Seven distinct random cards.
inline std::array<int, 7> RandomSeven(Random& random) {
  std::array<int, 52> deck;
  for (int i = 0; i < 52; ++i) deck[i] = i + 1;
  std::array<int, 7> cards;
  for (int i = 0; i < 7; ++i) {
    const int j = i + static_cast<int>(random.Below(52 - i));
    std::swap(deck[i], deck[j]);
    cards[i] = deck[i];
  }
  return cards;
}

}  // namespace zuv::sim::testing
