#include <gtest/gtest.h>

#include <cmath>

#include "sim/exact.h"
#include "sim/per_hand_exact.h"
#include "sim/per_hand_figures.h"
#include "sim/run_parallel.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

// AhKh against a narrow range on a flop: each hand of the range is a small
// exact run of its own.
Scenario AceKingAgainstRange(std::string_view range) {
  Scenario s;
  s.active[0] = s.active[1] = s.active[2] = true;
  const auto hero = Cards("AhKh");
  s.fixed[0] = {hero[0], hero[1]};
  s.range[1] = ParseRange(range).combos;
  s.board = Cards("Qh7c2h");
  return s;
}

// The sums over a seat's combinations are its totals.
void ExpectSumRule(const RunStats& stats) {
  for (int seat : stats.perHand.seats) {
    std::int64_t held = 0, won = 0;
    for (const HandFigures& row : PerHandRows(stats, seat)) {
      held += row.held;
      won += row.won;
    }
    EXPECT_EQ(held, stats.hands) << "seat " << seat + 1;
    EXPECT_EQ(won, stats.WinRecord[seat]) << "seat " << seat + 1;
    std::int64_t classWon = 0;
    for (const HandFigures& row : PerClassRows(stats, seat)) classWon += row.won;
    EXPECT_EQ(classWon, won) << "seat " << seat + 1;
  }
}

// The seat's exact win rate with its range narrowed to one combination.
double ExactWithOnlyCombo(Scenario scenario, int seat, const Combo& combo) {
  scenario.range[seat] = {combo};
  scenario.weight[seat].clear();
  ExactOptions options;
  options.threads = 1;
  const RunStats stats = Enumerate(scenario, options).stats;
  return stats.WinRate(seat + 1);
}

TEST(PerHand, SampledHandsMeetTheirExactRatesAndAddUpToTheSeat) {
  const Scenario scenario = AceKingAgainstRange("QQ+, AKs, JTs");
  RunOptions options;
  options.seed = 11;
  options.hands = 300'000;
  options.threads = 2;
  options.perHand = true;
  const RunStats stats = RunParallel(scenario, options);
  ASSERT_EQ(stats.perHand.seats, (std::vector<int>{1, 2}));
  ExpectSumRule(stats);
  const auto rows = PerHandRows(stats, 1);
  EXPECT_EQ(rows.size(), 16u);  // QQ 3, KK 3, AA 3, AKs 3, JTs 4 beside the board and AhKh
  for (const HandFigures& row : rows) {
    const double exact = ExactWithOnlyCombo(scenario, 1, row.combo);
    EXPECT_NEAR(row.winRate, exact, 4.5 * row.winRateSe) << row.name;
    EXPECT_GT(row.winRateSe, 0.0) << row.name;
  }
  options.threads = 1;
  EXPECT_EQ(RunParallel(scenario, options).perHand.won, stats.perHand.won);
}

TEST(PerHand, ExactHandsAreTheirOwnExactRunsAndTheTableIsWhole) {
  Scenario ranges = AceKingAgainstRange("QQ+, AKs");
  ranges.range[2] = ParseRange("JJ, TT, 98s").combos;
  Scenario weighted = AceKingAgainstRange("");
  weighted.SetRange(1, ParseRange("QQ+:0.5, AKs, 98s:0.25"));
  weighted.SetRange(2, ParseRange("JJ:0.75, TT, AQs:0.2"));
  // Any two cards beside AhKh on the turn: suits that swap, and a last seat of many pairs.
  Scenario random = AceKingAgainstRange("");
  random.range[1].clear();
  random.active[2] = false;
  random.board = Cards("Qs7c2d5h");
  for (const Scenario& scenario : {ranges, weighted, random}) {
    const ExactResult result = EnumeratePerHand(scenario);
    ASSERT_TRUE(result.complete);
    const RunStats whole = Enumerate(scenario).stats;
    EXPECT_EQ(result.stats.WinStat2, whole.WinStat2);
    EXPECT_EQ(result.stats.hands, whole.hands);
    ExpectSumRule(result.stats);
    for (int seat : result.stats.perHand.seats) {
      for (const HandFigures& row : PerHandRows(result.stats, seat)) {
        EXPECT_DOUBLE_EQ(row.winRate, ExactWithOnlyCombo(scenario, seat, row.combo)) << row.name;
      }
    }
  }
}

TEST(PerHand, RunsThatDoNotAskKeepNone) {
  EXPECT_TRUE(RunParallel(AceKingAgainstRange("QQ+"), 1, 2000, 1).perHand.Empty());
}

}  // namespace
}  // namespace zuv::sim
