#include "report.h"

#include <charconv>
#include <cstdio>
#include <ostream>

#include "sim/card.h"
#include "sim/hand_key.h"

namespace zuv::zuvsim {

namespace {

// Shortest text that reads back as the same double, so JSON numbers are exact.
std::string Number(double x) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::string Fixed(double x, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

std::string BoardText(const sim::Scenario& scenario) {
  if (scenario.board.empty()) return "";
  std::string text;
  for (int c : scenario.board) text += sim::CardSymbol(c);
  return text;
}

std::string Pad(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

}  // namespace

void PrintText(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds) {
  const double hands = static_cast<double>(stats.hands);
  const std::string board = BoardText(options.scenario);
  out << stats.hands << " hands, seed " << options.seed << ", " << Fixed(seconds, 3) << " s, board "
      << (board.empty() ? "dealt at random" : board + " fixed") << "\n\n";
  out << "Seat  Cards    Win %   +- SE   Alone %  Split %\n";
  for (std::size_t s = 0; s < options.seatText.size(); ++s) {
    const int seat = static_cast<int>(s) + 1;
    out << Pad(std::to_string(seat), 4) << "  " << options.seatText[s] << std::string(7 - std::min<std::size_t>(7, options.seatText[s].size()), ' ')
        << Pad(Fixed(100 * stats.WinRate(seat), 2), 7) << Pad(Fixed(100 * stats.WinRateStandardError(seat), 2), 8)
        << Pad(Fixed(100 * stats.PotsAlone(seat) / hands, 2), 10)
        << Pad(Fixed(100 * stats.PotsSplit(seat) / hands, 2), 9) << "\n";
  }
  out << "\nWinning hands, % of all hands\n";
  static const char* kShort[] = {"High", "Pair", "2Pair", "Trips", "Str", "Flush", "FullH", "Quads", "StrFl"};
  out << "Seat";
  for (const char* name : kShort) out << Pad(name, 7);
  out << "\n";
  for (std::size_t s = 0; s < options.seatText.size(); ++s) {
    out << Pad(std::to_string(s + 1), 4);
    for (int h = 0; h < sim::kHandClasses; ++h) {
      out << Pad(Fixed(100 * sim::RunStats::Pots(stats.WinStat[s][h]) / hands, 2), 7);
    }
    out << "\n";
  }
}

void PrintJson(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds) {
  out << "{\"hands\": " << stats.hands << ", \"seconds\": " << Number(seconds) << ", \"seed\": " << options.seed
      << ", \"board\": \"" << BoardText(options.scenario) << "\", \"seats\": [";
  for (std::size_t s = 0; s < options.seatText.size(); ++s) {
    const int seat = static_cast<int>(s) + 1;
    out << (s ? ", " : "") << "{\"seat\": " << seat << ", \"cards\": \"" << options.seatText[s]
        << "\", \"wins\": " << Number(sim::RunStats::Pots(stats.WinRecord[s]))
        << ", \"win_rate\": " << Number(stats.WinRate(seat))
        << ", \"win_rate_se\": " << Number(stats.WinRateStandardError(seat))
        << ", \"wins_alone\": " << Number(stats.PotsAlone(seat))
        << ", \"wins_split\": " << Number(stats.PotsSplit(seat)) << ", \"win_stat\": [";
    for (int h = 0; h < sim::kHandClasses; ++h) {
      out << (h ? ", " : "") << Number(sim::RunStats::Pots(stats.WinStat[s][h]));
    }
    out << "]}";
  }
  out << "]}\n";
}

}  // namespace zuv::zuvsim
