#include <charconv>
#include <ostream>

#include "per_hand_report.h"
#include "report.h"
#include "seat_figures.h"
#include "sim/hand_key.h"

namespace zuv::zuvsim {

namespace {

// A field in double quotes when it holds a comma, a quote or a line break
// (a range such as "QQ+,AKs"), inner quotes doubled.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// "Full house" -> "full_house".
std::string ColumnName(std::string_view name) {
  std::string column;
  for (char c : name) column += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return column;
}

}  // namespace

std::string Number(double x) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

void PrintCsv(std::ostream& out, const Options& options, const sim::RunStats& stats, const sim::ExactResult* exact) {
  // SeatRows gives an exact run's pots per deal, also when weights make its statistics count weights.
  const std::int64_t deals = exact ? exact->deals : stats.hands;
  const double hands = deals > 0 ? static_cast<double>(deals) : 1.0;
  out << "seat,cards,win_rate,win_rate_se,alone_rate,shared_rate";
  for (int h = 1; h <= sim::kHandClasses; ++h) out << "," << ColumnName(sim::HandClassName(h));
  out << "\n";
  for (const auto& row : SeatRows(options, stats, exact)) {
    out << row.seat << "," << Field(row.cards) << "," << Number(row.winRate) << "," << Number(row.winRateSe) << ","
        << Number(row.winsAlone / hands) << "," << Number(static_cast<double>(row.handsShared) / hands);
    for (double wins : row.winStat) out << "," << Number(wins / hands);
    out << "\n";
  }
  if (options.perHand) PrintPerHandCsv(out, stats, exact);
}

}  // namespace zuv::zuvsim
