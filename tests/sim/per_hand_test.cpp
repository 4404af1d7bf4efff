#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

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

// A sampled run's squared units add up to the seat's: a k-way pot's square is its units times kUnit / k.
void ExpectSquareSumRule(const RunStats& stats) {
  const PerHandStats perHand = stats.perHand.Folded();
  for (std::size_t slot = 0; slot < perHand.seats.size(); ++slot) {
    std::int64_t squares = 0, seatSquares = 0;
    for (int c = 0; c < kAllCombos; ++c) squares += perHand.wonSquare[perHand.Index(static_cast<int>(slot), c)];
    for (int h = 1; h <= RunStats::kClasses; ++h) {
      for (int k = 1; k <= stats.active; ++k) seatSquares += stats.WinStat2At(perHand.seats[slot] + 1, h, k) * (RunStats::kUnit / k);
    }
    EXPECT_EQ(squares, seatSquares) << "seat " << perHand.seats[slot] + 1;
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

// Pots won by a dealt or a fixed seat, shared by two, three or more, past a fold of the counters.
TEST(PerHand, SampledFiguresAddUpToTheSeatsWhoeverWins) {
  Scenario ten, boardPlays;  // four aces on the board: kickers share many pots among several of six
  std::fill(ten.active.begin(), ten.active.end(), true);
  std::fill(boardPlays.active.begin(), boardPlays.active.begin() + 6, true);
  boardPlays.board = Cards("AcAdAhAs");
  // The heads-up table plays past the two million hands at which the counters fold.
  for (const auto& [scenario, hands] :
       {std::pair{AceKingAgainstRange(""), 2'200'000}, {ten, 70'000}, {boardPlays, 70'000}}) {
    const RunStats stats = RunParallel(scenario, {.seed = 5, .hands = hands, .threads = 1, .perHand = true});
    ExpectSumRule(stats);
    ExpectSquareSumRule(stats);
  }
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
  // Three spades on the turn: rivers leave three or four of a suit, where only some pairs may flush.
  Scenario flushing = random;
  flushing.board = Cards("Qs7s2s5h");
  // The same on a flop with two spades: the seat counted by values, its pairs' figures from
  // sums over boards by card, some boards holding both of a pair's cards.
  Scenario randomOnFlop = random;
  randomOnFlop.board = Cards("Qs7s2d");
  // Whole classes but not all of them, with a dead card: groups of one class and none held.
  Scenario classesOnFlop = AceKingAgainstRange("22+, A2s+, K9+");
  classesOnFlop.active[2] = false;
  classesOnFlop.board = Cards("Qs7s2d");
  classesOnFlop.dead = Cards("3c");
  // Ranges that share combinations on a flop: seat 3 holds many of seat 2's own pairs.
  Scenario sharing = AceKingAgainstRange("QQ+, AQs, KQs");
  sharing.range[2] = ParseRange("JJ+, AQs+, KQs").combos;
  sharing.board = Cards("Jd7c2s");
  for (const Scenario& scenario : {ranges, weighted, random, flushing, randomOnFlop, classesOnFlop, sharing}) {
    const ExactResult result = EnumeratePerHand(scenario);
    ASSERT_TRUE(result.complete);
    const RunStats whole = Enumerate(scenario).stats;
    // Weighted, the whole run counts a pot in fewer units than per-hand figures keep.
    std::vector<std::int64_t> wholeWinStat2 = whole.WinStat2;
    for (std::int64_t& units : wholeWinStat2) units *= result.stats.unit / whole.unit;
    EXPECT_EQ(result.stats.WinStat2, wholeWinStat2);
    EXPECT_EQ(result.stats.hands, whole.hands);
    ExpectSumRule(result.stats);
    // Counted by combinations or board by board, to the last unit.
    ExactOptions byBoards;
    byBoards.byBoards = true;
    const ExactResult boardByBoard = EnumeratePerHand(scenario, byBoards);
    EXPECT_EQ(result.stats.perHand.held, boardByBoard.stats.perHand.held);
    EXPECT_EQ(result.stats.perHand.won, boardByBoard.stats.perHand.won);
    for (int seat : result.stats.perHand.seats) {
      for (const HandFigures& row : PerHandRows(result.stats, seat)) {
        EXPECT_DOUBLE_EQ(row.winRate, ExactWithOnlyCombo(scenario, seat, row.combo)) << row.name;
      }
    }
  }
}

TEST(PerHand, StoppedExactHandsEstimateTheirExactRatesWithinTheirStandardErrors) {
  Scenario scenario;
  scenario.active[0] = scenario.active[1] = true;
  scenario.SetRange(0, ParseRange("QQ+,AKs:0.5"));
  scenario.SetRange(1, ParseRange("JJ-99,AQs+,KQs"));
  const ExactResult exact = EnumeratePerHand(scenario);
  // Board by board every item holds every combination; by combinations a
  // class holds a few, and a combination held by too few of the classes done
  // has no error to show.
  for (const bool byBoards : {true, false}) {
    for (std::uint64_t seed : {1, 2}) {
      std::atomic<bool> stop{false};
      ExactOptions options;
      options.threads = 1;
      options.seed = seed;
      options.stop = &stop;
      options.byBoards = byBoards;
      options.progressInterval = std::chrono::milliseconds(1);
      options.progress = [&](const RunStats& soFar) { stop = stop || soFar.hands > exact.stats.hands / 10; };
      const ExactResult stopped = EnumeratePerHand(scenario, options);
      ASSERT_FALSE(stopped.complete);
      ExpectSumRule(stopped.stats);
      for (int seat : {0, 1}) {
        const int slot = stopped.stats.perHand.Slot(seat);
        const std::vector<HandFigures> truths = PerHandRows(exact.stats, seat);
        for (const HandFigures& row : PerHandRows(stopped.stats, seat)) {
          const double se = stopped.perHandSe[stopped.stats.perHand.Index(slot, ComboIndex(row.combo[0], row.combo[1]))];
          const auto truth = std::find_if(truths.begin(), truths.end(), [&](const HandFigures& r) { return r.combo == row.combo; });
          ASSERT_NE(truth, truths.end()) << row.name;
          if (byBoards) {
            EXPECT_GT(se, 0) << row.name;
          }
          if (std::isnan(se)) continue;
          EXPECT_NEAR(row.winRate, truth->winRate, 4.5 * se) << row.name << " seed " << seed << " by boards " << byBoards;
        }
        if (!byBoards) continue;
        for (const HandFigures& row : PerClassRows(stopped.stats, seat)) {
          EXPECT_GT(stopped.perClassSe[static_cast<std::size_t>(slot) * 169 + row.startClass - 1], 0) << row.name;
        }
      }
    }
  }
}

TEST(PerHand, RunsThatDoNotAskKeepNone) {
  EXPECT_TRUE(RunParallel(AceKingAgainstRange("QQ+"), 1, 2000, 1).perHand.Empty());
}

}  // namespace
}  // namespace zuv::sim
