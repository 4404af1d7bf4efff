#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "per_hand_report.h"
#include "report.h"
#include "seat_figures.h"
#include "text_columns.h"
#include "sim/card.h"
#include "sim/exact.h"

namespace zuv::zuvsim {

namespace {

bool TargetMet(const std::vector<SeatFigures>& rows, double target) {
  for (const auto& row : rows) {
    if (row.combos > 0 && row.winRateSe > target) return false;  // a switched-off seat has no combos
  }
  return true;
}

std::string Percent(double part, double whole) { return Fixed(whole > 0 ? 100 * part / whole : 0, 2); }

}  // namespace

std::string CardsText(const std::vector<int>& cards) {
  std::string text;
  for (int c : cards) text += sim::CardSymbol(c);
  return text;
}

std::string BoardText(const sim::Scenario& scenario) { return CardsText(scenario.board); }

std::string DeadText(const sim::Scenario& scenario) { return CardsText(scenario.dead); }

void PrintText(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds,
               const sim::ExactResult* exact) {
  // With weighted ranges the statistics count weights, not deals; SeatRows gives pots per deal.
  const std::int64_t deals = exact ? exact->deals : stats.hands;
  const double hands = static_cast<double>(deals);
  const std::string board = BoardText(options.scenario);
  const auto rows = SeatRows(options, stats, exact);
  const bool complete = exact && exact->complete;
  if (complete) {
    out << "exact odds: " << sim::GroupedCount(deals) << " deals";
  } else if (exact) {
    out << "estimate, stopped after " << sim::GroupedCount(deals) << " of "
        << sim::GroupedCount(exact->totalDeals) << " deals ("
        << Fixed(100.0 * static_cast<double>(deals) / static_cast<double>(std::max<std::int64_t>(exact->totalDeals, 1)), 1)
        << " %) in random order, seed " << options.seed;
  } else {
    out << stats.hands << " hands, seed " << options.seed;
    if (options.targetSe) {
      out << ", standard error target " << *options.targetSe << (TargetMet(rows, *options.targetSe) ? " met" : " not met");
    }
  }
  out << ", " << Fixed(seconds, 3) << " s, board " << (board.empty() ? "dealt at random" : board + " fixed");
  if (!options.scenario.dead.empty()) out << ", dead " << DeadText(options.scenario);
  out << "\n\n";

  std::vector<std::string> cards;
  std::size_t cardsWidth = 5;
  for (const auto& row : rows) {
    cards.push_back(row.isRange ? row.cards + " (" + std::to_string(row.combos) + (row.combos == 1 ? " combo)" : " combos)") : row.cards);
    cardsWidth = std::max(cardsWidth, cards.back().size());
  }
  out << "Seat  " << PadRight("Cards", cardsWidth) << "   Win %   +- SE  Alone %  Shared %\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    // An exact result has no sampling error.
    out << Pad(std::to_string(row.seat), 4) << "  " << PadRight(cards[i], cardsWidth)
        << Pad(Fixed(100 * row.winRate, 2), 8)
        << Pad(complete || std::isnan(row.winRateSe) ? "-" : Fixed(100 * row.winRateSe, 2), 8)
        << Pad(Percent(row.winsAlone, hands), 9) << Pad(Percent(static_cast<double>(row.handsShared), hands), 10)
        << "\n";
  }
  out << "\nWin %: pots won, a pot shared by k players counting 1/k. Alone %: pots won alone.\n"
         "Shared %: hands in which the seat shared the pot, each counted whole.\n";

  out << "\nWinning hands, % of all hands (shared pots counting 1/k)\n";
  static const char* kShort[] = {"High", "Pair", "2Pair", "Trips", "Str", "Flush", "FullH", "Quads", "StrFl"};
  out << "Seat";
  for (const char* name : kShort) out << Pad(name, 7);
  out << "\n";
  for (const auto& row : rows) {
    out << Pad(std::to_string(row.seat), 4);
    for (double wins : row.winStat) out << Pad(Percent(wins, hands), 7);
    out << "\n";
  }
  if (options.perHand) PrintPerHandText(out, options, stats, exact);
}

}  // namespace zuv::zuvsim
