// Exact enumeration: deal counts, cases counted by hand, and the sampler
// against the exact answer.
#include "sim/exact.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <utility>
#include <vector>

#include "sim/card.h"
#include "sim/exact_board_scorer.h"
#include "sim/exact_boards.h"
#include "sim/exact_combinations.h"
#include "sim/exact_deals.h"
#include "sim/exact_reference.h"
#include "sim/hand_key.h"
#include "sim/hand_range.h"
#include "sim/simulation.h"
#include "sim/start_hands.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;
using Range = std::vector<std::array<int, 2>>;

// Hand-built ranges, so these tests do not depend on the range parser.
void AddPair(Range& range, int value) {
  for (int s = 1; s <= 4; ++s)
    for (int t = s + 1; t <= 4; ++t) range.push_back({MakeCard(value, s), MakeCard(value, t)});
}
void AddSuited(Range& range, int high, int low) {
  for (int s = 1; s <= 4; ++s) range.push_back({MakeCard(low, s), MakeCard(high, s)});
}
void AddOffsuit(Range& range, int high, int low) {
  for (int s = 1; s <= 4; ++s)
    for (int t = 1; t <= 4; ++t)
      if (s != t) range.push_back({MakeCard(low, s), MakeCard(high, t)});
}

Scenario Seats(int n) {
  Scenario s;
  for (int i = 0; i < n; ++i) s.active[i] = true;
  return s;
}

void Fix(Scenario& s, int seat, std::string_view cards) {
  const auto c = Cards(cards);
  s.fixed[seat] = {c[0], c[1]};
}

// Seats 1..n: "AhKh" fixes the cards, anything else is a range; "" any two cards.
Scenario Table(const std::vector<std::string_view>& seats, std::string_view board, std::string_view dead = "") {
  Scenario s = Seats(static_cast<int>(seats.size()));
  for (std::size_t i = 0; i < seats.size(); ++i) {
    const ParsedRange parsed = ParseRange(seats[i].empty() ? "random" : seats[i]);
    if (parsed.combos.size() == 1) {
      Fix(s, static_cast<int>(i), seats[i]);
    } else if (!seats[i].empty()) {
      s.SetRange(static_cast<int>(i), parsed);
    }
  }
  s.board = Cards(board);
  s.dead = Cards(dead);
  return s;
}

TEST(ExactDealCount, HeadsUpPairsPreflop) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhAc");
  Fix(s, 1, "KdKs");
  EXPECT_EQ(CountDeals(s), 1'712'304u);
}

TEST(ExactDealCount, PairAgainstAnyTwoCards) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhAc");
  EXPECT_EQ(CountDeals(s), 2'097'572'400u);
}

TEST(ExactDealCount, TwoOverlappingRanges) {
  Scenario s = Seats(2);
  for (int v : {12, 13, 14}) AddPair(s.range[0], v);
  AddSuited(s.range[0], 14, 13);
  for (int v : {9, 10, 11}) AddPair(s.range[1], v);
  AddSuited(s.range[1], 14, 12);
  AddSuited(s.range[1], 14, 13);
  AddSuited(s.range[1], 13, 12);
  // 22 x 30 pairs of combinations, of which 84 share a card; C(48, 5) boards each.
  EXPECT_EQ(CountDeals(s), 576u * 1'712'304u);
}

TEST(ExactDealCount, ThreeOverlappingRanges) {
  Scenario s = Seats(3);
  for (int v : {12, 13, 14}) AddPair(s.range[0], v);
  AddSuited(s.range[0], 14, 13);
  AddOffsuit(s.range[0], 14, 13);
  for (auto [high, low] : {std::pair{14, 13}, {14, 12}}) {
    AddSuited(s.range[1], high, low);
    AddOffsuit(s.range[1], high, low);
  }
  AddSuited(s.range[1], 13, 12);
  for (int v : {10, 11}) AddPair(s.range[2], v);
  for (int low : {11, 12, 13}) AddSuited(s.range[2], 14, low);
  EXPECT_EQ(CountDeals(s), 19'623'714'264u);
}

TEST(ExactDealCount, TenRandomSeatsSaturateAndAreRefused) {
  const Scenario s = Seats(10);
  EXPECT_EQ(CountDeals(s), UINT64_MAX);
  const auto problem = ExactProblem(s);
  ASSERT_TRUE(problem);
  // C(52,2) C(50,2) ... C(34,2) C(32,5) = 6.03e34 deals, too many to count but not to estimate.
  EXPECT_NE(problem->find("(about 6.0 x 10^34 deals, more than "), std::string::npos) << *problem;
  EXPECT_THROW(Enumerate(s), std::invalid_argument);
}

TEST(ExactDealCount, RefusalGivesTheCount) {
  Scenario s = Seats(3);
  Fix(s, 0, "AhAc");
  const auto problem = ExactProblem(s);
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find(GroupedCount(CountDeals(s)) + " deals, more than "), std::string::npos) << *problem;
}

TEST(ExactDealCount, RefusalByTheTimeMeasuredOnTheTable) {
  // Seven seats with ranges on a flop: fewer deals than the limit, each dear.
  Scenario s = Seats(7);
  s.board = Cards("2c3d4h");
  const char* ranges[] = {"JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ",
                          "AA,KK,AKs",      "QJ,JJ",          "AJ,KJ"};
  for (int i = 0; i < 7; ++i) s.range[i] = ParseRange(ranges[i]).combos;
  ASSERT_LT(CountDeals(s), kExactDealLimit);
  const auto problem = ExactProblem(s);
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find("(" + GroupedCount(CountDeals(s)) + " deals, about "), std::string::npos) << *problem;
}

TEST(ExactDealCount, DeadCardsAndBoardLeaveFewerCards) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhAc");
  AddPair(s.range[1], 14);  // only AsAd is left
  s.board = Cards("2c3c4c");
  s.dead = Cards("9d");
  EXPECT_EQ(CountDeals(s), 946u);  // AsAd, then two of the 44 cards left
}

TEST(ExactDealCount, NoDealFits) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhAc");
  AddSuited(s.range[1], 14, 13);
  s.dead = Cards("AsAd");
  // Refused before any counting: no combination of seat 2 is left.
  EXPECT_THROW(CountDeals(s), std::invalid_argument);
  EXPECT_TRUE(ExactProblem(s));
}

TEST(ExactOdds, IdenticalRangesShareEveryPotEvenly) {
  Scenario s = Seats(2);
  s.board = Cards("7h8h2c3d");
  AddSuited(s.range[0], 14, 13);
  AddPair(s.range[0], 9);
  s.range[1] = s.range[0];
  const ExactResult result = Enumerate(s);
  ASSERT_TRUE(result.complete);
  EXPECT_EQ(static_cast<std::uint64_t>(result.deals), CountDeals(s));
  EXPECT_EQ(result.stats.hands, result.deals);
  EXPECT_EQ(result.stats.WinRecord[0], result.stats.WinRecord[1]);
  EXPECT_EQ(result.stats.WinRecord[0] + result.stats.WinRecord[1], RunStats::kUnit * result.deals);
  EXPECT_EQ(ExactWinRate(result.stats, 1).numerator, 1);
  EXPECT_EQ(ExactWinRate(result.stats, 1).denominator, 2);
}

TEST(ExactOdds, BoardThatPlaysSplitsEveryPotThreeWays) {
  // Quad aces on the board: the best kicker is the river or a three, the same for all.
  Scenario s = Seats(3);
  s.board = Cards("AsAhAdAc");
  Fix(s, 0, "2c3d");
  Fix(s, 1, "2h3s");
  Fix(s, 2, "2d3h");
  const ExactResult result = Enumerate(s);
  EXPECT_EQ(result.deals, 42);
  for (int seat = 1; seat <= 3; ++seat) {
    EXPECT_EQ(result.stats.WinStat2At(seat, kFourOfAKind, 3), 42 * RunStats::kUnit / 3);
    EXPECT_EQ(result.stats.WinRecord[seat - 1], 42 * RunStats::kUnit / 3);
    EXPECT_EQ(ExactWinRate(result.stats, seat).numerator, 1);
    EXPECT_EQ(ExactWinRate(result.stats, seat).denominator, 3);
  }
  EXPECT_EQ(result.stats.StatisticAt(3, StartHandClass(Cards("2c")[0], Cards("3d")[0]), kFourOfAKind),
            42 * RunStats::kUnit);
}

TEST(ExactOdds, SamplerAgreesWithinFourStandardErrors) {
  Scenario s = Seats(3);
  Fix(s, 0, "AhKh");
  Fix(s, 1, "QsQd");
  s.board = Cards("Qh9h2c");
  const ExactResult exact = Enumerate(s);
  RunStats sampled;
  Simulation(s, 7).Play(200'000, sampled);
  for (int seat = 1; seat <= 3; ++seat) {
    const double exactRate = static_cast<double>(exact.stats.WinRecord[seat - 1]) /
                             (static_cast<double>(RunStats::kUnit) * static_cast<double>(exact.deals));
    EXPECT_NEAR(sampled.WinRate(seat), exactRate, 4 * sampled.WinRateStandardError(seat)) << "seat " << seat;
  }
}

void ExpectSameStats(const RunStats& fast, const RunStats& plain) {
  EXPECT_EQ(fast.hands, plain.hands);
  EXPECT_EQ(fast.WinRecord, plain.WinRecord);
  EXPECT_EQ(fast.WinStat, plain.WinStat);
  EXPECT_EQ(fast.WinStat2, plain.WinStat2);
  EXPECT_EQ(fast.Statistic, plain.Statistic);
}

// The fast enumeration, by joint combinations where they pay and board by
// board, against every deal dealt one by one, to the unit.
void ExpectMatchesDealByDeal(const Scenario& s) {
  const RunStats plain = EnumerateDealByDeal(PrepareExactDeals(s));
  EXPECT_EQ(WeighExactDeals(PrepareExactDeals(s)), static_cast<std::uint64_t>(plain.hands));
  for (bool byBoards : {false, true}) {
    ExactOptions options;
    options.threads = 2;
    options.byBoards = byBoards;
    const ExactResult fast = Enumerate(s, options);
    EXPECT_TRUE(fast.complete);
    EXPECT_EQ(static_cast<std::uint64_t>(fast.deals), CountDeals(s));
    ExpectSameStats(fast.stats, plain);
  }
}

TEST(ExactOdds, OverlappingRangesWithDeadCardsOnTheTurn) {
  Scenario s = Seats(2);
  s.board = Cards("Ks7h7d2s");
  s.dead = Cards("Qc");
  for (int v : {13, 12, 7}) AddPair(s.range[0], v);
  AddSuited(s.range[0], 14, 13);
  AddOffsuit(s.range[1], 14, 13);
  AddPair(s.range[1], 13);
  AddSuited(s.range[1], 8, 7);
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, ThreeSeatsOnTheTurn) {
  Scenario s = Seats(4);
  s.active[1] = false;  // seats 1, 3 and 4
  Fix(s, 0, "AhKh");
  AddPair(s.range[2], 12);
  AddPair(s.range[2], 9);
  AddSuited(s.range[2], 11, 10);
  s.board = Cards("Qh9h2c5s");
  s.dead = Cards("3d4d");
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, FourSeatsWithRangesOverTheSameCards) {
  // Most pairs are taken by the seats before: the deeper seats' candidates thin out.
  Scenario s = Seats(4);
  s.board = Cards("2c3d4h5s");
  s.dead = Cards("Ac");
  const char* ranges[] = {"JJ+,AJ+,KJ+,QJ", "AA,KK,AKs", "QJ,JJ", "AJ,KJ"};
  for (int i = 0; i < 4; ++i) s.range[i] = ParseRange(ranges[i]).combos;
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, ARangeLeftWithOnePairKeepsItsCardsOffTheBoard) {
  ExpectMatchesDealByDeal(Table({"AhKh", "QQ"}, "2c3c4d5h", "QhQc"));
}

TEST(ExactOdds, AnyTwoCardsWhereRiversMakeFiveOfASuit) {
  Scenario s = Seats(2);
  Fix(s, 0, "AsKs");
  s.board = Cards("2h5h9hJh");
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, TwoSeatsWithAnyTwoCardsAndManyDeadCards) {
  Scenario s = Seats(2);
  s.board = Cards("Tc6c3h2d");
  s.dead = Cards("AsKsQsJsTs9s8s7s6s5sAhKhQhJhTh9h8h7h6h5h");
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, WideRangesOfWholeClassesAndOfSingleCombinations) {
  Scenario s = Seats(3);
  Fix(s, 0, "AhKd");
  s.board = Cards("Qh9h2c5h");
  s.range[1] = ParseRange("QQ,JJ,AQs").combos;
  s.range[2] = ParseRange("22+,A2+,K9+").combos;  // whole classes: counted by values
  ExpectMatchesDealByDeal(s);
  s.range[2] = ParseRange("22+,A2+,K9+,8h7h").combos;  // one lone combination: one by one
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, SuitSymmetricFlopsWithIdenticalRanges) {
  // A one-suited flop leaves the other three suits interchangeable.
  Scenario s = Seats(3);
  s.board = Cards("2c7c9c");
  for (Range* range : {&s.range[0], &s.range[1], &s.range[2]}) {
    AddPair(*range, 14);
    AddPair(*range, 8);
    AddSuited(*range, 11, 10);
  }
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, FixedHandsWhoseFlushesTheValuesAloneMiss) {
  // Fixed hands are counted by the board's values, then put right where a flush may come.
  struct Case {
    std::vector<std::string_view> seats;
    std::string_view board, dead;
  };
  const Case cases[] = {
      {{"JhTh", "2c2d", "AsKd"}, "Qh9h2h", ""},  // a flush made already: every board goes by suit
      {{"6c7d", "8h8d"}, "2c3c4c5c", ""},        // straight flushes and a fifth club
      {{"AhKh", "QsQd", "Jh9h"}, "Qh9c2h", ""},  // two seats drawing to one suit
      {{"AsKs", "QsJs"}, "Ts2s3d", "4s"},        // the same suit on both sides, a dead card of it
      {{"AhKh", "2h3h", "AcKd"}, "7s8d9c", ""},  // two cards to come: no flush can be made
  };
  for (const Case& c : cases) ExpectMatchesDealByDeal(Table(c.seats, c.board, c.dead));
}

TEST(ExactCombinations, CountFewWaysOfManyBoardsAndLeaveManyWaysOfFewBoards) {
  struct Case {
    std::vector<std::string_view> seats;
    std::string_view board;
    bool byCombinations;
  };
  const Case cases[] = {
      {{"AhAc", "KdKs"}, "", true},  // one way: a table of fixed hands
      {{"QQ+,AKs", "JJ-99,AQs+,KQs"}, "", true},
      {{"AhAc", ""}, "", true},
      {{"AA,KK,QQ,AK", "AK,AQ,KQs", "JJ,TT,AJs+"}, "", true},
      {{"JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ", "AA,KK,AKs", "QJ,JJ", "AJ,KJ"}, "2c3d4h5s", false},
      {{"AA,KK,QQ,AK,AQ,JJ", ""}, "Qh9h2c", false},  // a seat of any two cards on the flop goes by values
  };
  for (const Case& c : cases) {
    const ExactDeals deals = PrepareExactDeals(Table(c.seats, c.board));
    EXPECT_EQ(ExactCombinations::ExpectedSeconds(deals, CountExactDeals(deals)).has_value(), c.byCombinations)
        << c.seats[0] << " " << c.board;
  }
}

TEST(ExactOdds, PreflopPairsWithSuitsSwappedInTwoBlocks) {
  Scenario s = Seats(2);
  Fix(s, 0, "AsAd");
  Fix(s, 1, "KhKc");
  ExpectMatchesDealByDeal(s);
  // A dead spade tells spades from diamonds: the suits no longer swap.
  s.dead = Cards("2s");
  EXPECT_EQ(CountDeals(s), 1'533'939u);  // five of the 47 cards left
  ExpectMatchesDealByDeal(s);
}

TEST(ExactOdds, BoardCompletionsSumToAllBoards) {
  Scenario s = Seats(2);
  Fix(s, 0, "AsAd");
  Fix(s, 1, "KhKc");
  const ExactBoards symmetric(PrepareExactDeals(s));
  EXPECT_EQ(symmetric.SuitBlocks(), (std::array<int, 4>{0, 1, 0, 1}));
  EXPECT_EQ(symmetric.CompletionCount(), 1'712'304);
  s = Seats(2);
  s.board = Cards("2c7c9c");
  const ExactBoards threeSuits(PrepareExactDeals(s));
  EXPECT_EQ(threeSuits.SuitBlocks(), (std::array<int, 4>{0, 0, 0, 3}));
  EXPECT_EQ(threeSuits.CompletionCount(), 49 * 48 / 2);
  // Items of at least 512 boards: the same completions in a few items.
  const ExactBoards large(PrepareExactDeals(s), 512);
  EXPECT_EQ(large.CompletionCount(), 49 * 48 / 2);
  EXPECT_LE(large.ItemCount(), 3u);
}

TEST(ExactOdds, PerHandFiguresGoByValuesAgainstOneFixedPairOnly) {
  const std::vector<std::pair<Scenario, bool>> cases{
      {Table({"AhKh", ""}, "Qs7s2d"), true},
      {Table({"22+,A2+", "AhKh"}, "Qs7s2d", "3c"), true},
      {Table({"AhKh", "QQ+,AKs"}, "Qs7s2d"), false},       // too few pairs to group
      {Table({"AhKh", "22+,A2+:0.5"}, "Qs7s2d"), false},   // weighted
      {Table({"AhKh", "", ""}, "Qs7s2d"), false},          // more than one seat before the last
      {Table({"AhKh,AdKd", ""}, "Qs7s2d"), false},         // a range of two pairs before it
  };
  for (const auto& [scenario, grouped] : cases) {
    const ExactDeals deals = PrepareExactDeals(scenario);
    EXPECT_EQ(ExactBoardScorer::GroupsLastWithPerHand(deals, true), grouped);
    EXPECT_FALSE(ExactBoardScorer::GroupsLastWithPerHand(deals, false));
  }
}

TEST(ExactOdds, ThreadCountDoesNotChangeTheResult) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhKd");
  s.board = Cards("Jc8d3s");
  ExactOptions options;
  options.threads = 1;
  const ExactResult one = Enumerate(s, options);
  options.threads = 2;
  const ExactResult two = Enumerate(s, options);
  ExpectSameStats(one.stats, two.stats);
}

TEST(ExactOdds, StopEndsEarlyWithTheDealsSoFar) {
  Scenario s = Seats(2);
  Fix(s, 0, "AhAc");  // two billion deals: seconds of work
  std::atomic<bool> stop{false};
  std::atomic<std::int64_t> done{0};
  int reportsAfterStop = 0;
  ExactOptions options;
  options.stop = &stop;
  options.dealsDone = &done;
  options.progressInterval = std::chrono::milliseconds(20);
  // Stops once some work is handed over (a stop drops the rest).
  options.progress = [&](const RunStats& soFar) {
    reportsAfterStop += stop;
    EXPECT_EQ(soFar.WinRecord[0] + soFar.WinRecord[1], RunStats::kUnit * soFar.hands);
    stop = stop || soFar.hands > 0;
  };
  const ExactResult result = Enumerate(s, options);
  EXPECT_EQ(reportsAfterStop, 0);
  EXPECT_FALSE(result.complete);
  EXPECT_GT(result.deals, 0);
  EXPECT_LT(static_cast<std::uint64_t>(result.deals), CountDeals(s));
  EXPECT_EQ(result.stats.hands, result.deals);
  EXPECT_EQ(done.load(), result.deals);
}

TEST(ExactOdds, StoppedRunEstimatesTheExactRatesWithinTheirStandardErrors) {
  for (const char* first : {"QQ,KK,AA,AKs", "QQ:0.3,KK,AA:0.55,AKs:0.1"}) {
    Scenario s = Seats(2);
    s.SetRange(0, ParseRange(first));
    s.range[1] = ParseRange("JJ,TT,99,AQs,AKs,KQs").combos;
    const ExactResult exact = Enumerate(s);
    for (std::uint64_t seed : {1, 2, 3}) {
      std::atomic<bool> stop{false};
      ExactOptions options;
      options.threads = 1;
      options.seed = seed;
      options.stop = &stop;
      options.progressInterval = std::chrono::milliseconds(1);
      options.progress = [&](const RunStats& soFar) { stop = stop || soFar.hands > exact.stats.hands / 20; };
      const ExactResult stopped = Enumerate(s, options);
      ASSERT_FALSE(stopped.complete);
      for (int seat = 1; seat <= 2; ++seat) {
        const double se = stopped.winRateSe[seat - 1];
        EXPECT_GT(se, 0) << first << " " << seed;
        EXPECT_NEAR(stopped.stats.WinRate(seat), exact.stats.WinRate(seat), 4 * se) << first << " " << seed;
      }
    }
  }
}

TEST(ExactOdds, StopIsHeardInsideALongBoard) {
  Scenario s = Seats(3);  // any two cards each, one river card to come: seconds per board
  s.board = Cards("Tc6c3h2d");
  std::atomic<bool> stop{false};
  std::atomic<std::chrono::steady_clock::time_point> stopped{};
  ExactOptions options;
  options.stop = &stop;
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stopped = std::chrono::steady_clock::now();
    stop = true;
  });
  const ExactResult result = Enumerate(s, options);
  const auto returned = std::chrono::steady_clock::now();
  stopper.join();
  // A stop heard only between boards would take seconds (tens under a sanitizer).
  EXPECT_LT(returned - stopped.load(), std::chrono::seconds(2));
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.stats.hands, result.deals);
  EXPECT_EQ(result.stats.WinRecord[0] + result.stats.WinRecord[1] + result.stats.WinRecord[2],
            RunStats::kUnit * result.deals);
}

TEST(WeightedExactOdds, EveryDealCountsTheProductOfItsSeatsWeights) {
  // The scoring paths: the last seat scanned, the last two searched, deeper
  // seats thinned out, a last seat of any two cards counted by values, and
  // weights that tell suits apart on a one-suited flop.
  ExpectMatchesDealByDeal(Table({"AhKh", "QQ+:0.5,AKs,JTs:0.25"}, "Qh7c2h5d"));
  ExpectMatchesDealByDeal(Table({"KK:0.3,QQ,77:0.6,AKs", "AKo:0.75,KK,87s:0.1"}, "Ks7h7d2s", "Qc"));
  ExpectMatchesDealByDeal(
      Table({"JJ+:0.5,AJ+,KJ+:0.2,QJ", "AA,KK:0.4,AKs", "QJ:0.3,JJ", "AJ,KJ:0.9"}, "2c3d4h5s", "Ac"));
  ExpectMatchesDealByDeal(Table({"AhKd", "QQ:0.5,JJ,AQs:0.2", ""}, "Qh9h2c5h"));
  ExpectMatchesDealByDeal(Table({"AA,88,JTs", "AA,88,JTs,JhTh:0.25", "AA,88:0.5,JTs"}, "2c7c9c"));
  // Every pair, weighted: not a seat of any two cards.
  ExpectMatchesDealByDeal(Table({"QQ:0.5,AKs", "22+,A2+,K2+,Q2+,J2+,T2+,92+,82+,72+,62+,52+,42+,32,T9s:0.5"}, "Qh7c2h5d"));
}

TEST(WeightedExactOdds, AreTheWeightedSumsOfEachCombinationsOwnExactOdds) {
  // A nine-place weight beside three-place ones: 20 million deals weighing up
  // to 750 million each, more than 64 bits hold at 2520 units a pot.
  const Scenario weighted = Table({"AhKh", "QQ+:0.5,AKs:0.000000001,JTs:0.75,T9s:0.125", ""}, "Qh7c2h");
  ASSERT_EQ(ExactProblem(weighted), std::nullopt);
  using Wide = __int128;
  std::array<Wide, 3> won{};
  Wide hands = 0;
  for (std::size_t k = 0; k < weighted.range[1].size(); ++k) {
    Scenario one = weighted;
    one.range[1] = {weighted.range[1][k]};
    one.weight[1].clear();
    if (CheckScenario(one)) continue;  // a card taken by the fixed hand or the board
    const RunStats stats = Enumerate(one).stats;
    const Wide weight = weighted.WeightOf(1, k);
    hands += weight * stats.hands;
    for (int p = 0; p < 3; ++p) won[p] += weight * stats.WinRecord[p];
  }
  for (bool byBoards : {false, true}) {
    ExactOptions options;
    options.byBoards = byBoards;
    const ExactResult result = Enumerate(weighted, options);
    ASSERT_TRUE(result.complete);
    EXPECT_EQ(static_cast<std::uint64_t>(result.deals), CountDeals(weighted));
    for (int seat = 1; seat <= 3; ++seat) {
      const WinFraction rate = ExactWinRate(result.stats, seat);
      EXPECT_EQ(Wide{rate.numerator} * RunStats::kUnit * hands, Wide{rate.denominator} * won[seat - 1])
          << seat << (byBoards ? " board by board" : " by combinations");
    }
  }
}

TEST(WeightedExactOdds, ZeroAndEqualWeightsCountAsTheRangeWithoutThem) {
  const std::vector<std::pair<Scenario, Scenario>> alike = {
      {Table({"AhKh", "QQ+,JJ:0,AKs"}, "Qh7c2h"), Table({"AhKh", "QQ+,AKs"}, "Qh7c2h")},
      {Table({"AhKh", "QQ+:0.5,AKs:0.5", "99:0.2,88:0.2"}, "Qh7c2h"), Table({"AhKh", "QQ+,AKs", "99,88"}, "Qh7c2h")},
  };
  for (const auto& [withWeights, without] : alike) {
    const ExactResult a = Enumerate(withWeights), b = Enumerate(without);
    EXPECT_EQ(a.deals, b.deals);
    ExpectSameStats(a.stats, b.stats);
  }
}

TEST(WeightedExactOdds, WeightsWhoseSumsCouldOverflowAreRefused) {
  // Weights of nine places on three seats: every deal may weigh up to 10^27,
  // beyond 64 bits whatever the units of a pot.
  const Scenario s = Table({"AA:0.000000001,KK", "QQ:0.000000001,JJ", "TT:0.000000001,99"}, "");
  const auto problem = ExactProblem(s);
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("weights"), std::string::npos) << *problem;
  EXPECT_THROW(Enumerate(s), std::invalid_argument);
}

}  // namespace
}  // namespace zuv::sim
