#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

#include "report.h"
#include "seat_figures.h"
#include "sim/card.h"

namespace zuv::zuvsim {

namespace {

std::string Fixed(double x, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

std::string Pad(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string PadRight(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string Percent(double part, double whole) { return Fixed(whole > 0 ? 100 * part / whole : 0, 2); }

}  // namespace

std::string BoardText(const sim::Scenario& scenario) {
  std::string text;
  for (int c : scenario.board) text += sim::CardSymbol(c);
  return text;
}

void PrintText(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds) {
  const double hands = static_cast<double>(stats.hands);
  const std::string board = BoardText(options.scenario);
  const auto rows = SeatRows(options, stats);
  out << stats.hands << " hands, seed " << options.seed << ", " << Fixed(seconds, 3) << " s, board "
      << (board.empty() ? "dealt at random" : board + " fixed") << "\n\n";

  std::size_t cardsWidth = 5;
  for (const auto& row : rows) cardsWidth = std::max(cardsWidth, row.cards.size());
  out << "Seat  " << PadRight("Cards", cardsWidth) << "   Win %   +- SE  Alone %  Shared %\n";
  for (const auto& row : rows) {
    out << Pad(std::to_string(row.seat), 4) << "  " << PadRight(row.cards, cardsWidth)
        << Pad(Fixed(100 * row.winRate, 2), 8) << Pad(Fixed(100 * row.winRateSe, 2), 8)
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
}

}  // namespace zuv::zuvsim
