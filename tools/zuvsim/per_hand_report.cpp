#include "per_hand_report.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "report.h"
#include "text_columns.h"
#include "sim/hand_key.h"
#include "sim/per_hand_figures.h"
#include "sim/range_on_board.h"
#include "sim/start_hands.h"

namespace zuv::zuvsim {

namespace {

std::string Percent(double x) { return Fixed(100 * x, 2); }

// A stopped exact run's standard error of a combination's or a class's win rate; NaN if not known.
double StoppedError(const sim::ExactResult& exact, const sim::RunStats& stats, int seat, const sim::HandFigures& row,
                    bool isClass) {
  const int slot = stats.perHand.Slot(seat);
  if (slot < 0) return std::nan("");
  const std::size_t i = isClass ? static_cast<std::size_t>(slot) * sim::kStartHandClasses + row.startClass - 1
                                : stats.perHand.Index(slot, sim::ComboIndex(row.combo[0], row.combo[1]));
  const auto& errors = isClass ? exact.perClassSe : exact.perHandSe;
  return i < errors.size() ? errors[i] : std::nan("");
}

// The standard error of a row's win rate: the sample's, none (0) for a
// complete exact run, and for a stopped one the spread of its work units
// (NaN when too little was done to tell).
double RowError(const sim::ExactResult* exact, const sim::RunStats& stats, int seat, const sim::HandFigures& row,
                bool isClass) {
  if (!exact) return row.winRateSe;
  if (exact->complete) return 0.0;
  return StoppedError(*exact, stats, seat, row, isClass);
}

// `weight`: the combination's weight in the seat's range; ignored for a class.
nlohmann::ordered_json RowJson(const sim::HandFigures& row, const sim::ExactResult* exact, bool isClass, double weight,
                               double error) {
  nlohmann::ordered_json item;
  item[isClass ? "class" : "hand"] = row.name;
  if (isClass) {
    item["combos"] = row.combos;
  } else {
    item["weight"] = weight;
  }
  item["share"] = row.share;
  item["win_rate"] = row.winRate;
  if (exact && exact->complete) {
    item["win_fraction"] = std::to_string(row.exactWinRate.numerator) + "/" + std::to_string(row.exactWinRate.denominator);
  }
  if (std::isnan(error)) {
    item["win_rate_se"] = nullptr;
  } else {
    item["win_rate_se"] = error;
  }
  return item;
}

}  // namespace

void AddPerHandJson(nlohmann::ordered_json& seatObject, const Options& options, const sim::RunStats& stats, int seat,
                    const sim::ExactResult* exact) {
  if (stats.perHand.Slot(seat) >= 0) {
    seatObject["hands"] = nlohmann::ordered_json::array();
    const std::vector<double> weights = sim::SeatComboWeights(options.scenario, seat);
    for (const auto& row : sim::PerHandRows(stats, seat)) {
      seatObject["hands"].push_back(RowJson(row, exact, false, weights[sim::ComboIndex(row.combo[0], row.combo[1])],
                                            RowError(exact, stats, seat, row, false)));
    }
    seatObject["classes"] = nlohmann::ordered_json::array();
    for (const auto& row : sim::PerClassRows(stats, seat)) {
      seatObject["classes"].push_back(RowJson(row, exact, true, 1, RowError(exact, stats, seat, row, true)));
    }
  }
  if (const auto onBoard = sim::SeatOnBoard(options.scenario, seat)) {
    nlohmann::ordered_json made, draws;
    for (int h = 1; h <= sim::kHandClasses; ++h) made[std::string(sim::HandClassName(h))] = onBoard->made[h - 1];
    for (std::size_t d = 0; d < sim::kDrawNames.size(); ++d) draws[std::string(sim::kDrawNames[d])] = onBoard->draws[d];
    seatObject["made"] = std::move(made);
    seatObject["draws"] = std::move(draws);
  }
}

void PrintPerHandText(std::ostream& out, const Options& options, const sim::RunStats& stats,
                      const sim::ExactResult* exact) {
  for (int seat : stats.perHand.seats) {
    out << "\nSeat " << seat + 1 << " (" << options.seatText[seat] << "), starting-hand classes, strongest first\n";
    out << "Class  Combos  Share %   Win %   +- SE\n";
    for (const auto& row : sim::PerClassRows(stats, seat)) {
      // A complete exact run has no error, nor a stopped one that did too little to tell.
      const double se = RowError(exact, stats, seat, row, true);
      const std::string error = (exact && exact->complete) || std::isnan(se) ? "-" : Percent(se);
      out << PadRight(row.name, 5) << Pad(std::to_string(row.combos), 8) << Pad(Percent(row.share), 9)
          << Pad(Percent(row.winRate), 8) << Pad(error, 8) << "\n";
    }
  }
  if (options.scenario.board.size() < 3) return;
  std::vector<std::pair<int, sim::RangeOnBoard>> seats;
  for (std::size_t s = 0; s < options.seatText.size(); ++s) {
    if (auto onBoard = sim::SeatOnBoard(options.scenario, static_cast<int>(s))) seats.emplace_back(static_cast<int>(s) + 1, *onBoard);
  }
  out << "\nOn the board " << BoardText(options.scenario) << ", % of each seat's hands\n" << PadRight("", 16);
  for (const auto& [seat, onBoard] : seats) out << Pad("Seat " + std::to_string(seat), 8);
  out << "\n";
  auto line = [&](std::string_view name, auto share) {
    out << PadRight(std::string(name), 16);
    for (const auto& [seat, onBoard] : seats) out << Pad(Percent(share(onBoard)), 8);
    out << "\n";
  };
  for (int h = 1; h <= sim::kHandClasses; ++h) line(sim::HandClassName(h), [h](const sim::RangeOnBoard& b) { return b.made[h - 1]; });
  for (std::size_t d = 0; d < sim::kDrawNames.size(); ++d) {
    line(sim::kDrawNames[d], [d](const sim::RangeOnBoard& b) { return b.draws[d]; });
  }
}

void PrintPerHandCsv(std::ostream& out, const sim::RunStats& stats, const sim::ExactResult* exact) {
  out << "\nseat,class,combos,share,win_rate,win_rate_se\n";
  for (int seat : stats.perHand.seats) {
    for (const auto& row : sim::PerClassRows(stats, seat)) {
      out << seat + 1 << "," << row.name << "," << row.combos << "," << Number(row.share) << "," << Number(row.winRate)
          << "," << Number(RowError(exact, stats, seat, row, true)) << "\n";
    }
  }
}

}  // namespace zuv::zuvsim
