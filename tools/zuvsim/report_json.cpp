#include <nlohmann/json.hpp>

#include <numeric>
#include <ostream>

#include "per_hand_report.h"
#include "report.h"
#include "seat_figures.h"

namespace zuv::zuvsim {

namespace {

// "3/8": an exact win rate in lowest terms.
std::string Fraction(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t common = std::gcd(numerator, denominator);
  if (common == 0) return "0/1";
  return std::to_string(numerator / common) + "/" + std::to_string(denominator / common);
}

}  // namespace

void PrintJson(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds,
               const sim::ExactResult* exact) {
  // ordered_json: the keys come out in the order written here, run first, seats last.
  nlohmann::ordered_json run;
  // With weighted ranges an exact run's statistics count weights, not deals.
  const std::int64_t deals = exact ? exact->deals : stats.hands;
  run["hands"] = deals;
  run["seconds"] = seconds;
  run["seed"] = options.seed;
  run["board"] = BoardText(options.scenario);
  run["dead"] = DeadText(options.scenario);
  run["exact"] = options.exact;
  // Hands played, or for an exact run the deals enumerated (then equal to hands).
  run["deals"] = deals;
  const bool complete = exact && exact->complete;
  if (exact) {
    run["complete"] = complete;
    run["total_deals"] = exact->totalDeals;
  }
  run["seats"] = nlohmann::ordered_json::array();
  for (const auto& row : SeatRows(options, stats, exact)) {
    nlohmann::ordered_json seat;
    seat["seat"] = row.seat;
    seat["cards"] = row.cards;
    seat["combos"] = row.combos;
    seat["weight"] = row.weight;
    seat["wins"] = row.wins;
    seat["win_rate"] = row.winRate;
    if (complete) seat["win_fraction"] = Fraction(row.winUnits, stats.unit * stats.hands);
    seat["win_rate_se"] = row.winRateSe;
    seat["wins_alone"] = row.winsAlone;
    seat["hands_shared"] = row.handsShared;
    seat["wins_shared"] = row.winsShared;
    seat["win_stat"] = row.winStat;
    if (options.perHand) AddPerHandJson(seat, options, stats, row.seat - 1, exact);
    run["seats"].push_back(std::move(seat));
  }
  out << run.dump() << "\n";
}

}  // namespace zuv::zuvsim
