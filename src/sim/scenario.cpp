#include "sim/scenario.h"

#include "sim/card.h"

namespace zuv::sim {

int Scenario::ActiveCount() const {
  int n = 0;
  for (bool a : active) n += a ? 1 : 0;
  return n;
}

std::optional<std::string> CheckScenario(const Scenario& scenario) {
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
    const std::string seat = "seat " + std::to_string(i + 1);
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
  return std::nullopt;
}

}  // namespace zuv::sim
