#include <nlohmann/json.hpp>

#include <ostream>

#include "report.h"
#include "seat_figures.h"

namespace zuv::zuvsim {

void PrintJson(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds) {
  // ordered_json: the keys come out in the order written here, run first, seats last.
  nlohmann::ordered_json run;
  run["hands"] = stats.hands;
  run["seconds"] = seconds;
  run["seed"] = options.seed;
  run["board"] = BoardText(options.scenario);
  run["seats"] = nlohmann::ordered_json::array();
  for (const auto& row : SeatRows(options, stats)) {
    nlohmann::ordered_json seat;
    seat["seat"] = row.seat;
    seat["cards"] = row.cards;
    seat["wins"] = row.wins;
    seat["win_rate"] = row.winRate;
    seat["win_rate_se"] = row.winRateSe;
    seat["wins_alone"] = row.winsAlone;
    seat["hands_shared"] = row.handsShared;
    seat["wins_shared"] = row.winsShared;
    seat["win_stat"] = row.winStat;
    run["seats"].push_back(std::move(seat));
  }
  out << run.dump() << "\n";
}

}  // namespace zuv::zuvsim
