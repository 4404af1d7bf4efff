#include "sim/scenario.h"

#include <algorithm>
#include <bit>

#include "sim/card.h"
#include "sim/quoted_text.h"
#include "sim/range_dealer.h"

namespace zuv::sim {

int Scenario::ActiveCount() const {
  int n = 0;
  for (bool a : active) n += a ? 1 : 0;
  return n;
}

void Scenario::SetRange(int seat, const ParsedRange& parsed) {
  range[seat] = parsed.combos;
  weight[seat] = parsed.weights;
}

namespace {

// Ranges of a scenario whose cards are known to be valid.
std::optional<std::string> CheckRanges(const Scenario& scenario, std::string_view seatWord) {
  const std::uint64_t known = KnownCards(scenario);
  const int freeCards = kDeckSize - std::popcount(known);
  int dealtSeats = 0;
  std::vector<std::vector<Combo>> ranges;
  for (int i = 0; i < 10; ++i) {
    const std::string seat = std::string(seatWord) + " " + std::to_string(i + 1);
    const auto& range = scenario.range[i];
    dealtSeats += scenario.active[i] && scenario.fixed[i][0] == 0 ? 1 : 0;
    const auto& weights = scenario.weight[i];
    if (!weights.empty() && weights.size() != range.size()) {
      return seat + ": the hand range has " + std::to_string(range.size()) + " combinations but " +
             std::to_string(weights.size()) + " weights";
    }
    for (Weight w : weights) {
      if (w == 0 || w > kFullWeight) return seat + ": a weight of the hand range is not above 0 and at most 1";
    }
    if (range.empty()) continue;
    if (!scenario.active[i]) return "Inactive " + seat + " has a hand range";
    if (scenario.fixed[i][0] != 0) return seat + " has fixed cards and a hand range";
    std::array<bool, 53 * 53> seen{};
    for (const auto& c : range) {
      const int low = std::min(c[0], c[1]);
      const int high = std::max(c[0], c[1]);
      if (low < 1 || low == high || high > kDeckSize) {
        return seat + ": the hand range holds {" + std::to_string(c[0]) + ", " + std::to_string(c[1]) +
               "}, which is not two different cards 1..52";
      }
      if (seen[low * 53 + high]) return seat + ": the hand range holds " + FormatRange({c}) + " twice";
      seen[low * 53 + high] = true;
    }
    ranges.push_back(PossibleCombos(range, known));
    if (ranges.back().empty()) {
      return seat + ": no combination of " + QuotedText(FormatRange(range)) + " is possible with the cards on the table";
    }
  }
  const int needed = 2 * dealtSeats + 5 - static_cast<int>(scenario.board.size());
  if (freeCards < needed) {
    return "Each hand deals " + std::to_string(needed) + " cards, but only " + std::to_string(freeCards) +
           " are left after the fixed and dead cards";
  }
  switch (FindJointChoice(ranges)) {
    case JointChoice::kExists:
      return std::nullopt;
    case JointChoice::kNone:
      return "The hand ranges share too many cards: no way to deal every " + std::string(seatWord) + " at once";
    case JointChoice::kTooHardToTell:
      break;
  }
  return "The hand ranges share so many cards that no joint deal could be found";
}

}  // namespace

std::optional<std::string> CheckScenario(const Scenario& scenario, std::string_view seatWord) {
  if (scenario.ActiveCount() < 2) return "At least two players must be active";
  const auto boardSize = scenario.board.size();
  if (boardSize != 0 && boardSize != 3 && boardSize != 4) {
    return "The fixed board must have 0, 3 or 4 cards, not " + std::to_string(boardSize);
  }
  std::array<std::string, kDeckSize + 1> usedBy{};
  auto use = [&](int card, const std::string& where) -> std::optional<std::string> {
    if (card < 1 || card > kDeckSize) {
      return "Card number " + std::to_string(card) + " of " + where + " is not in 1..52";
    }
    if (!usedBy[card].empty()) {
      return "Card " + CardSymbol(card) + " is used twice (" + usedBy[card] + " and " + where + ")";
    }
    usedBy[card] = where;
    return std::nullopt;
  };
  for (int i = 0; i < 10; ++i) {
    const auto& cards = scenario.fixed[i];
    const std::string seat = std::string(seatWord) + " " + std::to_string(i + 1);
    if (cards[0] == 0 && cards[1] == 0) continue;
    if (!scenario.active[i]) return "Inactive " + seat + " holds cards";
    if (cards[0] == 0 || cards[1] == 0) return seat + " has only one fixed card";
    for (int card : cards) {
      if (auto problem = use(card, seat)) return problem;
    }
  }
  for (int card : scenario.board) {
    if (auto problem = use(card, "the board")) return problem;
  }
  for (int card : scenario.dead) {
    if (auto problem = use(card, "the dead cards")) return problem;
  }
  return CheckRanges(scenario, seatWord);
}

}  // namespace zuv::sim
