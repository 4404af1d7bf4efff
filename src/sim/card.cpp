#include "sim/card.h"

namespace zuv::sim {

namespace {
constexpr std::string_view kValueLetters = "23456789TJQKA";
constexpr std::string_view kSuitLetters = "shdc";
}  // namespace

std::string CardSymbol(int card) {
  if (card < 1 || card > kDeckSize) return "??";
  return {kValueLetters[CardValue(card) - 2], kSuitLetters[CardSuit(card) - 1]};
}

std::optional<int> ParseCard(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  const auto value = kValueLetters.find(text[0]);
  const auto suit = kSuitLetters.find(text[1]);
  if (value == std::string_view::npos || suit == std::string_view::npos) return std::nullopt;
  return MakeCard(static_cast<int>(value) + 2, static_cast<int>(suit) + 1);
}

std::optional<std::vector<int>> ParseCards(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<int> cards;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto card = ParseCard(text.substr(i, 2));
    if (!card) return std::nullopt;
    cards.push_back(*card);
  }
  return cards;
}

}  // namespace zuv::sim
