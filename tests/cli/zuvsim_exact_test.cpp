// zuvsim's numbers against cases counted here: exact enumeration to the last
// deal, samples within their standard error, ranges and dead cards.
#include <gtest/gtest.h>

#include <numeric>

#include "sim/card.h"
#include "sim/evaluator.h"
#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

using testing::Json;
using testing::RunZuvsim;

struct RiverCount {
  std::int64_t halfPots = 0;  // seat 1's pots in halves: a tie pays one half
  std::int64_t rivers = 0;
  std::string Fraction() const {
    const std::int64_t common = std::gcd(halfPots, 2 * rivers);
    return std::to_string(halfPots / common) + "/" + std::to_string(2 * rivers / common);
  }
  double Share() const { return static_cast<double>(halfPots) / (2.0 * static_cast<double>(rivers)); }
};

// Seat 1's pots over every river that is neither held, on the board, nor dead.
RiverCount CountRivers(const char* a, const char* b, const char* board4, const char* dead = "") {
  const auto ha = *sim::ParseCards(a), hb = *sim::ParseCards(b), bd = *sim::ParseCards(board4);
  const auto gone = *sim::ParseCards(dead);
  RiverCount count;
  for (int river = 1; river <= 52; ++river) {
    bool used = false;
    for (const auto* cards : {&ha, &hb, &bd, &gone}) {
      for (int c : *cards) used = used || c == river;
    }
    if (used) continue;
    const sim::HandKey ka = sim::EvaluateSeven({ha[0], ha[1], bd[0], bd[1], bd[2], bd[3], river});
    const sim::HandKey kb = sim::EvaluateSeven({hb[0], hb[1], bd[0], bd[1], bd[2], bd[3], river});
    count.halfPots += ka > kb ? 2 : ka == kb ? 1 : 0;
    ++count.rivers;
  }
  return count;
}

TEST(ZuvsimExact, WinRateMatchesCountedRiverOdds) {
  const double exact = CountRivers("AhKh", "QsQd", "Qh9h2c5d").Share();
  const auto run = Json(RunZuvsim("--json --hands 1000000 --threads 2 --board Qh9h2c5d AhKh QsQd"));
  EXPECT_EQ(run["exact"], false);
  EXPECT_EQ(run["deals"], 1000000);
  const double rate = run["seats"][0]["win_rate"];
  const double se = run["seats"][0]["win_rate_se"];
  EXPECT_GT(se, 0);
  EXPECT_NEAR(rate, exact, 4.5 * se);
}

TEST(ZuvsimExact, EveryRiverCountedOnceWithDeadCardsLeftOut) {
  for (const char* dead : {"", "Ad8c", "Js3h7s"}) {
    const auto counted = CountRivers("AhKh", "QsQd", "Qh9h2c5d", dead);
    const std::string deadOption = *dead ? std::string(" --dead ") + dead : "";
    const auto run = Json(RunZuvsim("--exact --json --board Qh9h2c5d AhKh QsQd" + deadOption));
    EXPECT_EQ(run["exact"], true);
    EXPECT_EQ(run["dead"], dead);
    EXPECT_EQ(run["deals"], counted.rivers) << dead;
    EXPECT_EQ(run["hands"], run["deals"]);
    EXPECT_EQ(run["seats"][0]["win_fraction"], counted.Fraction()) << dead;
    EXPECT_EQ(run["seats"][0]["win_rate_se"], 0.0);
  }
}

TEST(ZuvsimExact, IdenticalRangesSplitExactlyInHalf) {
  const auto run = Json(RunZuvsim("--exact --json --board 2c7d9h 'AA,KK' 'AA,KK'"));
  for (const auto& seat : run["seats"]) {
    EXPECT_EQ(seat["cards"], "AA,KK");
    EXPECT_EQ(seat["combos"], 12);  // six aces and six kings, none on the board
    EXPECT_EQ(seat["win_fraction"], "1/2");
  }
}

TEST(ZuvsimExact, SampledRangesAgreeWithExactOddsAndKeepTheirTexts) {
  const std::string table = " --board 2c7d9h --dead Kd 'AA,KK' 'AK,AQ'";
  const auto exact = Json(RunZuvsim("--exact --json" + table));
  const auto sample = Json(RunZuvsim("--json --hands 400000" + table));
  EXPECT_EQ(sample["seats"][0]["combos"], 6 + 3);  // Kd is dead
  EXPECT_EQ(sample["seats"][1]["cards"], "AK,AQ");
  EXPECT_EQ(sample["seats"][1]["combos"], 12 + 16);
  for (int s = 0; s < 2; ++s) {
    const double se = sample["seats"][s]["win_rate_se"];
    EXPECT_NEAR(sample["seats"][s]["win_rate"].get<double>(), exact["seats"][s]["win_rate"].get<double>(), 4.5 * se);
  }
  const auto text = RunZuvsim("--hands 1000" + table);
  EXPECT_NE(text.out.find("   2  AK,AQ (28 combos)"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find(", board 2c7d9h fixed, dead Kd\n"), std::string::npos) << text.out;
}

TEST(ZuvsimExact, ExactTextSaysDealsAndHasNoSamplingError) {
  const auto r = RunZuvsim("--exact --board Qh9h2c5d --dead Ad AhKh QsQd");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("exact odds: 43 deals, ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find(", dead Ad\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   1  AhKh "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("       -"), std::string::npos) << r.out;
}

TEST(ZuvsimExact, TimeLimitStopsWithAnEstimateAndItsStandardErrors) {
  // About a second and a half of processor time: a table of fixed hands against any two cards now takes a tenth.
  const auto run = Json(RunZuvsim("--exact --time-limit 0.3 --seed 4 --json AhKh QQ,JJ,TT random"));
  EXPECT_EQ(run["complete"], false);
  EXPECT_EQ(run["seed"], 4);
  EXPECT_GT(run["deals"].get<std::int64_t>(), 0);
  EXPECT_LT(run["deals"].get<std::int64_t>(), run["total_deals"].get<std::int64_t>());
  // How small the errors are depends on the machine's speed; that they are
  // there, and the pots still add up, does not.
  double pots = 0;
  for (const auto& seat : run["seats"]) {
    EXPECT_FALSE(seat.contains("win_fraction"));
    EXPECT_GT(seat["win_rate_se"].get<double>(), 0);
    EXPECT_LT(seat["win_rate_se"].get<double>(), 0.1);
    pots += seat["win_rate"].get<double>();
  }
  EXPECT_NEAR(pots, 1.0, 1e-9);
  const auto text = RunZuvsim("--exact --time-limit 0.3 AhKh QQ,JJ,TT random");
  EXPECT_EQ(text.out.rfind("estimate, stopped after ", 0), 0u) << text.out;
  EXPECT_NE(text.out.find(" of 27,831,789,216 deals ("), std::string::npos) << text.out;
  // Stopped before its first deals (a board here takes about half a second),
  // a run has no rates to report; whether any deal was counted depends on the
  // machine, but a report always rests on some.
  const auto early = RunZuvsim("--exact --time-limit 0.001 --json --board 2c3d4h5s random random random");
  if (early.status == 0) {
    EXPECT_GT(Json(early)["deals"].get<std::int64_t>(), 0);
  } else {
    EXPECT_EQ(early.status, 2);
    EXPECT_NE(early.err.find("before it had counted a single deal"), std::string::npos) << early.err;
  }
}

}  // namespace
}  // namespace zuv::zuvsim
