#include "sim/simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <numeric>

#include "sim/block_steps.h"
#include "sim/evaluator.h"
#include "sim/hand_range.h"
#include "sim/run_parallel.h"
#include "sim/start_hands.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

Scenario Table(int seats) {
  Scenario s;
  for (int i = 0; i < seats; ++i) s.active[i] = true;
  return s;
}

void Fix(Scenario& s, int seat, const char* two) {
  const auto c = Cards(two);
  s.active[seat - 1] = true;
  s.fixed[seat - 1] = {c[0], c[1]};
}

std::int64_t Sum(const std::vector<std::int64_t>& v) { return std::accumulate(v.begin(), v.end(), std::int64_t{0}); }

bool SameStats(const RunStats& a, const RunStats& b) {
  return a.hands == b.hands && a.active == b.active && a.WinRecord == b.WinRecord && a.WinStat == b.WinStat &&
         a.WinStat2 == b.WinStat2 && a.Statistic == b.Statistic;
}

TEST(Simulation, EveryHandAddsExactlyOnePotToEveryRecord) {
  for (int seats : {2, 3, 7, 10}) {
    Simulation simulation(Table(seats), 5);
    RunStats stats(seats);
    simulation.Play(3000, stats);
    const std::int64_t pots = 3000 * RunStats::kUnit;
    EXPECT_EQ(std::accumulate(stats.WinRecord.begin(), stats.WinRecord.end(), std::int64_t{0}), pots);
    EXPECT_EQ(Sum(stats.WinStat2), pots);
    EXPECT_EQ(Sum(stats.Statistic), pots);
    for (int p = 0; p < 10; ++p) {
      EXPECT_EQ(std::accumulate(stats.WinStat[p].begin(), stats.WinStat[p].end(), std::int64_t{0}),
                stats.WinRecord[p]);
    }
    // Only the slice of this table size is used.
    std::int64_t slice = 0;
    for (int s = 1; s <= 169; ++s)
      for (int h = 1; h <= 9; ++h) slice += stats.StatisticAt(seats, s, h);
    EXPECT_EQ(slice, pots);
    EXPECT_EQ(stats.hands, 3000);
    EXPECT_EQ(stats.WinStat2.size(), 90u * seats);
  }
}

TEST(Simulation, HandByHandEqualsOneCallAcrossBlockBoundaries) {
  Scenario s = Table(4);
  s.active[1] = false;
  s.active[6] = true;
  Fix(s, 3, "AhKd");
  Simulation whole(s, 99), stepped(s, 99);
  RunStats a(4), b(4);
  LastHand lastWhole, lastStep;
  whole.Play(2345, a, &lastWhole);
  for (int i = 0; i < 2345; ++i) stepped.Play(1, b, &lastStep);
  EXPECT_TRUE(SameStats(a, b));
  EXPECT_EQ(lastWhole.hole, lastStep.hole);
  EXPECT_EQ(lastWhole.board, lastStep.board);
  EXPECT_EQ(lastWhole.winner, lastStep.winner);
  EXPECT_EQ(stepped.HandsPlayed(), 2345);
  EXPECT_EQ(lastStep.hole[2], (std::array<int, 2>{Cards("Ah")[0], Cards("Kd")[0]}));
  EXPECT_EQ(lastStep.hole[1], (std::array<int, 2>{0, 0}));
  EXPECT_EQ(lastStep.hand[1], 0);
}

TEST(Simulation, SlowBlocksShowProgressInShortStepsAndPlayTheSameHands) {
  // Four seats that nearly always want the same aces take seconds per block;
  // the clock here says how long a hand takes, from none to a quarter second.
  Scenario s = Table(4);
  for (int i = 0; i < 4; ++i) s.SetRange(i, ParseRange("AA:1,KK-22:0.001,AK-32:0.001"));
  RunStats whole(4);
  Simulation(s, 8).PlayBlock(3, 40, whole);
  for (auto handTime : {std::chrono::milliseconds(0), std::chrono::milliseconds(20), std::chrono::milliseconds(250)}) {
    RunStats stepped(4);
    BlockSteps steps([&] { return BlockSteps::Clock::time_point(handTime * stepped.hands); });
    Simulation simulation(s, 8);
    std::vector<std::int64_t> shown;
    std::array<std::int64_t, RunStats::kSeats> won{};
    EXPECT_TRUE(steps.PlayBlock(simulation, 3, 40, stepped, [&](const BlockSteps::Step& step) {
      shown.push_back(step.hands);
      for (int p = 0; p < RunStats::kSeats; ++p) won[p] += step.won[p];
      return true;
    }));
    EXPECT_TRUE(SameStats(stepped, whole)) << handTime.count();
    EXPECT_EQ(std::accumulate(shown.begin(), shown.end(), std::int64_t{0}), 40) << handTime.count();
    EXPECT_EQ(won, whole.WinRecord) << handTime.count();
    // Given up after its first step, the block plays no further hand.
    RunStats givenUp(4);
    BlockSteps again([&] { return BlockSteps::Clock::time_point(handTime * givenUp.hands); });
    Simulation fresh(s, 8);
    EXPECT_FALSE(again.PlayBlock(fresh, 3, 40, givenUp, [](const BlockSteps::Step&) { return false; }));
    EXPECT_EQ(givenUp.hands, shown[0]) << handTime.count();
    // Steps of at most the step time (one hand at least); from the first hand
    // they double up to that, so there are not many more than full steps.
    const std::int64_t most = handTime.count() == 0 ? 40 : std::max<std::int64_t>(1, BlockSteps::kStepTime / handTime);
    for (std::int64_t hands : shown) EXPECT_LE(hands, most) << handTime.count();
    EXPECT_LE(shown.size(), static_cast<std::size_t>((40 + most - 1) / most + std::bit_width(static_cast<std::uint64_t>(most))))
        << handTime.count();
  }
}

TEST(Simulation, ParallelRunsGiveTheSameNumbersForAnyThreadCount) {
  Scenario s = Table(6);
  s.board = Cards("2c4c5h");
  Simulation single(s, 1234);
  RunStats expected(6);
  single.Play(10'500, expected);
  for (int threads : {1, 2, 3, 8}) {
    EXPECT_TRUE(SameStats(RunParallel(s, 1234, 10'500, threads), expected)) << threads << " threads";
  }
  EXPECT_FALSE(SameStats(RunParallel(s, 1235, 10'500, 2), expected));
}

TEST(Simulation, PrecisionTargetStopsAtTheFirstCheckpointThatMeetsIt) {
  Scenario ranged = Table(3);
  ranged.range[0] = ParseRange("QQ+,AKs").combos;
  ranged.dead = Cards("2c");
  // 72o seldom wins, so seat 1's standard error is the smallest of the three.
  Scenario weakFirst = Table(3);
  Fix(weakFirst, 1, "7c2d");
  Fix(weakFirst, 2, "AsAh");
  for (const Scenario& s : {ranged, weakFirst}) {
    RunOptions options;
    options.seed = 17;
    options.hands = 5'000'000;
    options.targetStandardError = 0.0012;
    options.threads = 1;
    const RunStats one = RunParallel(s, options);
    if (s.fixed[0][0] != 0) {
      EXPECT_LT(one.WinRateStandardError(1), std::min(one.WinRateStandardError(2), one.WinRateStandardError(3)));
    }
    EXPECT_EQ(one.hands % kTargetCheckHands, 0);
    EXPECT_GT(one.hands, kTargetCheckHands);
    EXPECT_LT(one.hands, options.hands);
    for (int p = 1; p <= 3; ++p) EXPECT_LE(one.WinRateStandardError(p), options.targetStandardError);
    // The checkpoint before fell short on some seat, and the hands are those of a plain run.
    const RunStats before = RunParallel(s, 17, one.hands - kTargetCheckHands, 1);
    EXPECT_GT(
        std::max({before.WinRateStandardError(1), before.WinRateStandardError(2), before.WinRateStandardError(3)}),
        options.targetStandardError);
    EXPECT_TRUE(SameStats(one, RunParallel(s, 17, one.hands, 2)));
    for (int threads : {2, 3}) {
      options.threads = threads;
      EXPECT_TRUE(SameStats(RunParallel(s, options), one)) << threads << " threads";
    }
  }
}

TEST(Simulation, PrecisionTargetKeepsTheHandCountAsTheBound) {
  RunOptions options;
  options.seed = 3;
  options.threads = 2;
  options.hands = 234'567;
  options.targetStandardError = 1e-6;
  EXPECT_EQ(RunParallel(Table(2), options).hands, 234'567);
  // The largest count: block arithmetic must not overflow; a loose target
  // ends the run at the first checkpoint.
  options.hands = std::numeric_limits<std::int64_t>::max();
  options.targetStandardError = 0.01;
  std::atomic<std::int64_t> done{0};
  options.handsDone = &done;
  EXPECT_EQ(RunParallel(Table(2), options).hands, kTargetCheckHands);
  EXPECT_EQ(done.load(), kTargetCheckHands);
}

// The card sequence of a block, from the dealer alone.
struct Recipe {
  Recipe(const Scenario& s, std::uint64_t seed, std::int64_t block)
      : random(Simulation::BlockSeed(seed, block)), dealer(FreeCards(s)), deck(dealer.Fresh()) {}
  static std::vector<int> FreeCards(const Scenario& s) {
    std::array<bool, 53> used{};
    for (const auto& h : s.fixed) used[h[0]] = used[h[1]] = true;
    for (int c : s.board) used[c] = true;
    std::vector<int> free;
    for (int c = 1; c <= 52; ++c)
      if (!used[c]) free.push_back(c);
    return free;
  }
  std::vector<int> Draw(int n) {
    std::vector<int> out(n);
    dealer.Deal(random, deck, n, out.data());
    return out;
  }
  Random random;
  CardDealer dealer;
  CardDealer::Deck deck;
};

TEST(Simulation, DealsFirstCardsInSeatOrderThenSecondCardsThenTheBoard) {
  // Seats 2 and 5 dealt, seat 9 fixed, flop fixed: per hand six cards.
  Scenario s;
  s.active[1] = s.active[4] = s.active[8] = true;
  Fix(s, 9, "AsAh");
  s.board = Cards("2c4c5h");
  Recipe recipe(s, 77, 0);
  Simulation simulation(s, 77);
  RunStats stats(3);
  for (int hand = 0; hand < 1200; ++hand) {
    if (hand == 1000) recipe = Recipe(s, 77, 1);
    LastHand last;
    simulation.Play(1, stats, &last);
    const auto d = recipe.Draw(2 * 2 + 2);  // seats 2 and 5, then turn and river
    EXPECT_EQ(last.hole[1], (std::array<int, 2>{d[0], d[2]}));
    EXPECT_EQ(last.hole[4], (std::array<int, 2>{d[1], d[3]}));
    EXPECT_EQ(last.board, (std::array<int, 5>{40, 42, 17, d[4], d[5]}));
  }
}

TEST(Simulation, GoldenFirstHandsOfSeedZero) {
  // Pins generator, block seeding and dealing: a change here changes what
  // every saved seed reproduces.
  Simulation simulation(Table(2), 0);
  RunStats stats(2);
  std::vector<std::string> dealt;
  for (int i = 0; i < 3; ++i) {
    LastHand last;
    simulation.Play(1, stats, &last);
    std::string text;
    for (int p = 0; p < 2; ++p) text += CardSymbol(last.hole[p][0]) + CardSymbol(last.hole[p][1]) + " ";
    for (int b : last.board) text += CardSymbol(b);
    dealt.push_back(text);
  }
  EXPECT_EQ(dealt, (std::vector<std::string>{"4d5h 2dJh 6h7c3hJd8d", "QcJd 9d8h 8cAhJh4sTh", "8d3s TdJd 5s3c5hKh7s"}));
}

TEST(Simulation, SplitPotGivesHalfToEachWinner) {
  Scenario s;
  Fix(s, 1, "2c3d");
  Fix(s, 2, "2h3c");
  s.board = Cards("AsKsQsJs");
  Simulation simulation(s, 0);
  RunStats stats(2);
  simulation.Play(1000, stats);
  // Equal values and no spade in either hand: every river splits the pot.
  EXPECT_EQ(stats.WinRecord[0], 500 * RunStats::kUnit);
  EXPECT_EQ(stats.WinRecord[1], 500 * RunStats::kUnit);
  EXPECT_DOUBLE_EQ(stats.PotsSplit(1), 500.0);
  EXPECT_DOUBLE_EQ(stats.PotsAlone(1), 0.0);
  std::int64_t twoWay = 0;
  for (int h = 1; h <= 9; ++h) twoWay += stats.WinStat2At(1, h, 2);
  EXPECT_EQ(twoWay, 500 * RunStats::kUnit);
}

TEST(Simulation, StatisticUsesTheWinnersStartClassAndTableSize) {
  Scenario s;
  Fix(s, 1, "AsAh");
  Fix(s, 2, "7d2c");
  s.board = Cards("AdAcKh7h");  // seat 1 holds quads on every river
  Simulation simulation(s, 0);
  RunStats stats(2);
  simulation.Play(100, stats);
  EXPECT_EQ(stats.StatisticAt(2, 1, 8), 100 * RunStats::kUnit);
  EXPECT_EQ(stats.WinStat[0][7], 100 * RunStats::kUnit);
  EXPECT_EQ(stats.WinStat2At(1, 8, 1), 100 * RunStats::kUnit);
  EXPECT_DOUBLE_EQ(stats.WinRate(1), 1.0);
}

TEST(Simulation, StandardErrorMatchesTheHandByHandPayouts) {
  // Three seats on a paired board split often, so payouts of 1/2 and 1/3 occur.
  Scenario s = Table(3);
  s.board = Cards("2c2d2h7s");
  Simulation simulation(s, 31);
  RunStats stats(3);
  double sum = 0, sumSquares = 0;
  const int hands = 20'000;
  for (int i = 0; i < hands; ++i) {
    LastHand last;
    simulation.Play(1, stats, &last);
    double x = 0;
    for (int w : last.winner) x += w == 1 ? 1.0 / static_cast<double>(last.winner.size()) : 0.0;
    sum += x;
    sumSquares += x * x;
  }
  const double mean = sum / hands;
  const double variance = (sumSquares / hands - mean * mean) * hands / (hands - 1);
  EXPECT_NEAR(stats.WinRate(1), mean, 1e-12);
  EXPECT_NEAR(stats.WinRateStandardError(1), std::sqrt(variance / hands), 1e-12);
  EXPECT_GT(stats.PotsSplit(1), 0.0);
}

TEST(Simulation, RejectsABadScenario) {
  EXPECT_THROW(Simulation(Table(1), 0), std::invalid_argument);
  EXPECT_THROW(RunParallel(Table(1), 0, 10, 2), std::invalid_argument);
}

// Exact pot share of seat 1 against seat 2 over every completion of the board.
double ExactShare(const std::array<int, 2>& a, const std::array<int, 2>& b, const std::vector<int>& fixedBoard,
                  bool randomOpponent) {
  std::array<bool, 53> used{};
  used[a[0]] = used[a[1]] = true;
  if (!randomOpponent) used[b[0]] = used[b[1]] = true;
  for (int c : fixedBoard) used[c] = true;
  std::vector<int> free;
  for (int c = 1; c <= 52; ++c)
    if (!used[c]) free.push_back(c);
  const int missing = 5 - static_cast<int>(fixedBoard.size());
  double share = 0;
  std::int64_t count = 0;
  auto score = [&](const std::array<int, 5>& board, const std::array<int, 2>& opp) {
    const HandKey ka = EvaluateSeven({a[0], a[1], board[0], board[1], board[2], board[3], board[4]});
    const HandKey kb = EvaluateSeven({opp[0], opp[1], board[0], board[1], board[2], board[3], board[4]});
    share += ka > kb ? 1.0 : ka == kb ? 0.5 : 0.0;
    ++count;
  };
  // Choose `missing` board cards (and the opponent's two) from the free cards.
  std::array<int, 5> board{};
  for (std::size_t i = 0; i < fixedBoard.size(); ++i) board[i] = fixedBoard[i];
  std::vector<int> pick(missing);
  auto boards = [&](auto&& self, int depth, int from, const std::vector<int>& pool,
                    const std::array<int, 2>& opp) -> void {
    if (depth == missing) {
      score(board, opp);
      return;
    }
    for (int i = from; i < static_cast<int>(pool.size()); ++i) {
      board[5 - missing + depth] = pool[i];
      self(self, depth + 1, i + 1, pool, opp);
    }
  };
  if (!randomOpponent) {
    boards(boards, 0, 0, free, b);
  } else {
    for (std::size_t i = 0; i < free.size(); ++i)
      for (std::size_t j = i + 1; j < free.size(); ++j) {
        std::vector<int> rest;
        for (std::size_t k = 0; k < free.size(); ++k)
          if (k != i && k != j) rest.push_back(free[k]);
        boards(boards, 0, 0, rest, {free[i], free[j]});
      }
  }
  return share / static_cast<double>(count);
}

void ExpectNearExact(const Scenario& s, double exact, std::int64_t hands) {
  const RunStats stats = RunParallel(s, 2024, hands, 2);
  const double se = stats.WinRateStandardError(1);
  EXPECT_GT(se, 0.0);
  EXPECT_NEAR(stats.WinRate(1), exact, 4.5 * se) << "standard error " << se;
  EXPECT_NEAR(stats.WinRate(1) + stats.WinRate(2), 1.0, 1e-12);
}

TEST(SimulationExact, FixedFlopAndTurnEveryRiver) {
  Scenario s;
  Fix(s, 1, "AhKh");
  Fix(s, 2, "QsQd");
  s.board = Cards("Qh9h2c5d");
  const double exact = ExactShare(s.fixed[0], s.fixed[1], s.board, false);
  ExpectNearExact(s, exact, 2'000'000);
}

TEST(SimulationExact, FixedFlopAgainstARandomHand) {
  // A two-suited flop (flushes come and go) and a rainbow one.
  for (const char* flop : {"QhJh2c", "Qh7d2s"}) {
    Scenario s;
    Fix(s, 1, "AhKh");
    s.active[1] = true;
    s.board = Cards(flop);
    const double exact = ExactShare(s.fixed[0], {0, 0}, s.board, true);
    ExpectNearExact(s, exact, 2'000'000);
  }
}

TEST(SimulationExact, PreflopTwoFixedHandsEveryBoard) {
  Scenario s;
  Fix(s, 1, "AsKs");
  Fix(s, 2, "7h7d");
  const double exact = ExactShare(s.fixed[0], s.fixed[1], {}, false);
  ExpectNearExact(s, exact, 2'000'000);
}

TEST(SimulationExact, SymmetricRandomSeatsShareEvenly) {
  for (int seats : {2, 3, 10}) {
    const RunStats stats = RunParallel(Table(seats), 8, 1'000'000, 2);
    for (int p = 1; p <= seats; ++p) {
      EXPECT_NEAR(stats.WinRate(p), 1.0 / seats, 4.5 * stats.WinRateStandardError(p)) << seats << " seats, seat " << p;
    }
  }
}

}  // namespace
}  // namespace zuv::sim
