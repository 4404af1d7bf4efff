#pragma once
// Card numbers, values, suits and their two-character symbols.
//
// A card is a number 1..52 in suit blocks of 13: "s" 1-13, "h" 14-26,
// "d" 27-39, "c" 40-52. Inside a block the value runs 2..14 (14 = ace).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuv::sim {

inline constexpr int kDeckSize = 52;

// Value 2..14 of card 1..52 (14 = ace).
constexpr int CardValue(int card) { return (card - 1) % 13 + 2; }
// Suit number 1..4 ("s", "h", "d", "c") of card 1..52.
constexpr int CardSuit(int card) { return (card - 1) / 13 + 1; }
// Card number of a value 2..14 and a suit 1..4.
constexpr int MakeCard(int value, int suit) { return (suit - 1) * 13 + (value - 1); }

// Two characters, value letter from "23456789TJQKA" then suit letter from "shdc".
// Returns "??" for a number outside 1..52 so that a caller's bug shows up as text.
std::string CardSymbol(int card);

// "As" -> 13. Exactly two characters; value letters upper case, suit letters
// lower case as CardSymbol writes them. nullopt for anything else.
std::optional<int> ParseCard(std::string_view text);

// A run of symbols without separators ("2c4c5h") -> card numbers, or nullopt
// if the length is odd or any pair is not a card. Duplicates are not checked here.
std::optional<std::vector<int>> ParseCards(std::string_view text);

}  // namespace zuv::sim
