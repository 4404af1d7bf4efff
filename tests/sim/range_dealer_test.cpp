#include "sim/range_dealer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "sim/evaluator.h"
#include "sim/exact.h"
#include "sim/run_parallel.h"
#include "sim/simulation.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

std::vector<Combo> Range(std::string_view text) {
  auto parsed = ParseRange(text);
  if (!parsed.problem.empty()) throw std::invalid_argument(parsed.problem);
  return parsed.combos;
}

// Seats 1..n with the given ranges ("" = any two cards) on a fixed board.
Scenario Ranged(const std::vector<std::string_view>& ranges, std::string_view board, std::string_view dead = "") {
  Scenario s;
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    s.active[i] = true;
    if (!ranges[i].empty()) s.SetRange(static_cast<int>(i), ParseRange(ranges[i]));
  }
  s.board = Cards(board);
  s.dead = Cards(dead);
  return s;
}

using Holes = std::array<std::array<int, 2>, 10>;

// Adds each seat's pot share of one deal, 1/k to each of k winners.
void Score(int seats, const Holes& hole, const std::array<int, 5>& board, double weight, std::vector<double>& sum,
           std::vector<double>* sumSquares = nullptr) {
  std::array<HandKey, 10> key{};
  HandKey best = 0;
  for (int p = 0; p < seats; ++p) {
    key[p] = EvaluateSeven({hole[p][0], hole[p][1], board[0], board[1], board[2], board[3], board[4]});
    best = std::max(best, key[p]);
  }
  int winners = 0;
  for (int p = 0; p < seats; ++p) winners += key[p] == best ? 1 : 0;
  for (int p = 0; p < seats; ++p) {
    const double share = key[p] == best ? 1.0 / winners : 0.0;
    sum[p] += weight * share;
    if (sumSquares) (*sumSquares)[p] += share * share;
  }
}

// Exact pot shares of seats 1..n on a fixed turn: every joint choice of
// combinations without a repeated card (any two cards for a seat without a
// range), each with every river, weighing the product of its seats' weights.
std::vector<double> ExactShares(const Scenario& s) {
  const int seats = s.ActiveCount();
  const std::uint64_t known = KnownCards(s);
  std::vector<std::vector<Combo>> ranges;
  std::vector<std::vector<Weight>> weights;
  for (int p = 0; p < seats; ++p) {
    ranges.push_back(PossibleCombos(s.range[p].empty() ? Range("random") : s.range[p], known));
    weights.push_back(PossibleWeights(s.range[p], s.weight[p], known));
  }
  std::vector<double> sum(seats, 0.0);
  double deals = 0;
  Holes hole{};
  std::array<int, 5> board{s.board[0], s.board[1], s.board[2], s.board[3], 0};
  std::function<void(int, std::uint64_t, double)> choose = [&](int p, std::uint64_t used, double weight) {
    if (p == seats) {
      for (int river = 1; river <= 52; ++river) {
        if (used & CardMask(river)) continue;
        board[4] = river;
        Score(seats, hole, board, weight, sum);
        deals += weight;
      }
      return;
    }
    for (std::size_t k = 0; k < ranges[p].size(); ++k) {
      const Combo& c = ranges[p][k];
      const std::uint64_t m = CardMask(c[0]) | CardMask(c[1]);
      if (used & m) continue;
      hole[p] = c;
      choose(p + 1, used | m, weight * (weights[p].empty() ? 1.0 : weights[p][k]));
    }
  };
  choose(0, known, 1.0);
  for (auto& x : sum) x /= deals;
  return sum;
}

// Sample means and their standard errors of each seat's share.
struct Sample {
  std::vector<double> mean, se;
};

Sample FromRun(const RunStats& stats, int seats) {
  Sample sample;
  for (int p = 1; p <= seats; ++p) {
    sample.mean.push_back(stats.WinRate(p));
    sample.se.push_back(stats.WinRateStandardError(p));
  }
  return sample;
}

// Plays `hands` deals made by `deal` (hole cards and the river) on a turn board.
Sample FromDealer(const Scenario& s, std::int64_t hands,
                  const std::function<void(Random&, Holes&, std::array<int, 5>&)>& deal) {
  const int seats = s.ActiveCount();
  std::vector<double> sum(seats, 0.0), squares(seats, 0.0);
  Random random(11);
  Holes hole{};
  std::array<int, 5> board{s.board[0], s.board[1], s.board[2], s.board[3], 0};
  for (std::int64_t i = 0; i < hands; ++i) {
    deal(random, hole, board);
    Score(seats, hole, board, 1.0, sum, &squares);
  }
  Sample sample;
  for (int p = 0; p < seats; ++p) {
    const double mean = sum[p] / static_cast<double>(hands);
    sample.mean.push_back(mean);
    sample.se.push_back(std::sqrt((squares[p] / static_cast<double>(hands) - mean * mean) / static_cast<double>(hands - 1)));
  }
  return sample;
}

// Whether every seat lies within 4.5 standard errors of the exact share.
bool AgreesWithExact(const Sample& sample, const std::vector<double>& exact, std::string* report) {
  bool agrees = true;
  for (std::size_t p = 0; p < exact.size(); ++p) {
    const double z = (sample.mean[p] - exact[p]) / sample.se[p];
    *report += "seat " + std::to_string(p + 1) + ": " + std::to_string(sample.mean[p]) + " vs " +
               std::to_string(exact[p]) + " (z " + std::to_string(z) + ")\n";
    // A share that never varies (a seat that cannot win) must be exact.
    agrees = agrees && (sample.se[p] > 0 ? std::abs(z) <= 4.5 : std::abs(sample.mean[p] - exact[p]) < 1e-12);
  }
  return agrees;
}

// Each seat in turn takes a uniform combination among those that fit the cards
// already dealt; then the river. Not the deal of a shuffled deck when ranges
// share cards.
void DealSeatBySeat(const Scenario& s, Random& random, Holes& hole, std::array<int, 5>& board) {
  const int seats = s.ActiveCount();
  for (;;) {
    std::uint64_t used = KnownCards(s);
    bool stuck = false;
    for (int p = 0; p < seats && !stuck; ++p) {
      const auto fits = PossibleCombos(s.range[p], used);
      stuck = fits.empty();
      if (stuck) break;
      hole[p] = fits[random.Below(static_cast<std::uint32_t>(fits.size()))];
      used |= CardMask(hole[p][0]) | CardMask(hole[p][1]);
    }
    if (stuck) continue;
    do {
      board[4] = 1 + static_cast<int>(random.Below(52));
    } while (used & CardMask(board[4]));
    return;
  }
}

// Deals with RangeDealer into holes and river, as Simulation lays its cards out.
void DealWith(const RangeDealer& dealer, int seats, Random& random, Holes& hole, std::array<int, 5>& board) {
  std::array<int, 25> out{};
  dealer.Deal(random, out.data());
  for (int p = 0; p < seats; ++p) hole[p] = {out[p], out[seats + p]};
  board[4] = out[2 * seats];
}

TEST(RangeDealing, OverlappingRangesMatchExactSharesWhereSeatBySeatDealingFails) {
  const Scenario s = Ranged({"AA,KK,QQ", "AK,AQ", "KK,QQ,AKs"}, "2c7d8h3s");
  const auto exact = ExactShares(s);
  const std::int64_t hands = 400'000;
  std::string report;
  EXPECT_TRUE(AgreesWithExact(FromRun(RunParallel(s, 5, hands, 2), 3), exact, &report)) << report;

  std::string biased;
  EXPECT_FALSE(AgreesWithExact(
      FromDealer(s, hands, [&](Random& r, Holes& h, std::array<int, 5>& b) { DealSeatBySeat(s, r, h, b); }), exact,
      &biased))
      << biased;
}

// Deals with RangeDealer::For(s, tableLimit, countedStates), checks which way
// it chose and compares its shares with the exact ones.
void ExpectDealerMatchesExact(const Scenario& s, std::size_t tableLimit, std::size_t countedStates, bool counts) {
  const auto dealer = RangeDealer::For(s, tableLimit, countedStates);
  ASSERT_TRUE(dealer.has_value());
  EXPECT_EQ(dealer->Counts(), counts);
  const int seats = s.ActiveCount();
  std::string report;
  EXPECT_TRUE(AgreesWithExact(
      FromDealer(s, 300'000, [&](Random& r, Holes& h, std::array<int, 5>& b) { DealWith(*dealer, seats, r, h, b); }),
      ExactShares(s), &report))
      << report;
}

TEST(RangeDealing, DrawnSeatsWithRejectionMatchExactShares) {
  // A table of one seat: the other two are drawn and whole deals rejected.
  ExpectDealerMatchesExact(Ranged({"AA,KK", "AK,AA", "KK,AQs,QQ"}, "2c7d8h3s", "Qh"), 1, 0, false);
}

TEST(RangeDealing, CountedChoiceMatchesExactShares) {
  // Four seats wanting the same eight cards: drawing would mostly collide.
  ExpectDealerMatchesExact(Ranged({"AA,KK", "AA,KK", "AK,KK", "AA,AK"}, "2c7d8h3s"), 1,
                           RangeDealer::kCountedStates, true);
}

TEST(RangeDealing, ARangeAgainstAnyTwoCardsAndDeadCardsMatchExactShares) {
  const Scenario s = Ranged({"AA,KK", "", "AK,AA"}, "Ks7d8h3s", "Ad2c");
  std::string report;
  EXPECT_TRUE(AgreesWithExact(FromRun(RunParallel(s, 9, 300'000, 2), 3), ExactShares(s), &report)) << report;
}

TEST(RangeDealing, TightRangesOverDifferentCardsMatchExactOdds) {
  // Seven seats wanting different parts of the same few ranks, chosen by
  // counting: the cards one seat takes decide what is left for the others.
  const Scenario s = Ranged({"KK+,AKs", "QQ+", "JJ+", "QQ+,AK", "JJ+", "KK,QQ,AQs", "JJ,QQ"}, "2c3d4h5s");
  ExactOptions options;
  options.threads = 2;
  const ExactResult exact = Enumerate(s, options);
  std::vector<double> shares;
  for (int p = 1; p <= 7; ++p) {
    shares.push_back(static_cast<double>(exact.stats.WinRecord[p - 1]) /
                     (static_cast<double>(RunStats::kUnit) * static_cast<double>(exact.deals)));
  }
  std::string report;
  EXPECT_TRUE(AgreesWithExact(FromRun(RunParallel(s, 3, 200'000, 2), 7), shares, &report)) << report;
}

TEST(RangeDealing, DealsOnlyRangeCombinationsAndNeverADeadCard) {
  Scenario s = Ranged({"AA,KK", "AK,AA", "", "22-44,AhKh"}, "");
  s.fixed[4] = {Cards("Ac")[0], Cards("Kc")[0]};
  s.active[4] = true;
  s.dead = Cards("As9c");
  Simulation simulation(s, 3);
  RunStats stats(5);
  for (int i = 0; i < 3000; ++i) {
    LastHand last;
    simulation.Play(1, stats, &last);
    std::uint64_t seen = 0;
    for (int p = 0; p < 5; ++p) {
      const Combo c{std::min(last.hole[p][0], last.hole[p][1]), std::max(last.hole[p][0], last.hole[p][1])};
      if (!s.range[p].empty()) {
        EXPECT_TRUE(std::binary_search(s.range[p].begin(), s.range[p].end(), c));
      }
      seen |= CardMask(c[0]) | CardMask(c[1]);
    }
    for (int b : last.board) {
      EXPECT_FALSE(seen & CardMask(b));
      seen |= CardMask(b);
    }
    EXPECT_EQ(std::popcount(seen), 15);
    for (int d : s.dead) EXPECT_FALSE(seen & CardMask(d));
  }
}

bool SameStats(const RunStats& a, const RunStats& b) {
  return a.hands == b.hands && a.WinRecord == b.WinRecord && a.WinStat2 == b.WinStat2 && a.Statistic == b.Statistic;
}

TEST(RangeDealing, ARangeOfEveryFreeCombinationDealsAsAnyTwoCards) {
  Scenario plain = Ranged({"", "", ""}, "2c7d8h");
  plain.dead = Cards("Ts");
  Scenario every = plain;
  every.range[1] = PossibleCombos(Range("random"), KnownCards(plain));
  EXPECT_FALSE(RangeDealer::For(every).has_value());
  every.range[2] = Range("random");
  EXPECT_TRUE(SameStats(RunParallel(plain, 4, 5000, 1), RunParallel(every, 4, 5000, 1)));
}

TEST(RangeDealing, SameNumbersForAnyThreadCount) {
  const Scenario s = Ranged({"AA,KK,QQ", "AK,AQ", "", "KK,QQ,AKs"}, "", "5c");
  Simulation single(s, 42);
  RunStats expected(4);
  single.Play(7'500, expected);
  for (int threads : {1, 2, 3}) EXPECT_TRUE(SameStats(RunParallel(s, 42, 7'500, threads), expected)) << threads;

  // Eight seats sharing the sixteen cards JJ to AA: chosen by counting.
  const Scenario crowded = Ranged({"JJ+", "JJ+", "JJ+", "JJ+", "JJ+", "JJ+", "JJ+", "JJ+"}, "");
  ASSERT_TRUE(RangeDealer::For(crowded)->Counts());
  Simulation counted(crowded, 42);
  RunStats countedStats(8);
  counted.Play(3'500, countedStats);
  EXPECT_TRUE(SameStats(RunParallel(crowded, 42, 3'500, 2), countedStats));
}

TEST(JointChoice, FindsAChoiceOrProvesThereIsNone) {
  EXPECT_EQ(FindJointChoice({Range("AA"), Range("AA")}), JointChoice::kExists);
  EXPECT_EQ(FindJointChoice({Range("AA"), Range("AA"), Range("AA")}), JointChoice::kNone);
  EXPECT_EQ(FindJointChoice({Range("AhKh"), Range("AhKh")}), JointChoice::kNone);
  // Nine seats want two of the 16 cards of four ranks: pigeonholes, proved quickly.
  const std::vector<std::vector<Combo>> crowded(9, Range("JJ+"));
  EXPECT_EQ(FindJointChoice(crowded), JointChoice::kNone);
  EXPECT_EQ(FindJointChoice(std::vector<std::vector<Combo>>(8, Range("JJ+"))), JointChoice::kExists);
}

TEST(WeightedRangeDealing, EveryWayOfDealingMatchesExactWeightedShares) {
  // Listed, drawn with rejection, and counted; weights on both kinds of seat.
  ExpectDealerMatchesExact(Ranged({"AA:0.2,KK", "AK:0.5,AA:0.9", "KK:0.1,AQs,QQ:0.6"}, "2c7d8h3s", "Qh"),
                           RangeDealer::kTableLimit, 0, false);
  ExpectDealerMatchesExact(Ranged({"AA:0.2,KK", "AK:0.5,AA:0.9", "KK:0.1,AQs,QQ:0.6"}, "2c7d8h3s", "Qh"), 1, 0,
                           false);
  ExpectDealerMatchesExact(Ranged({"AA:0.3,KK", "AA,KK:0.25", "AK,KK:0.7", "AA:0.05,AK"}, "2c7d8h3s"), 1,
                           RangeDealer::kCountedStates, true);
  // Weights a thousand times apart: listed seats with their light combinations
  // as one stand-in, then drawn seats, whose heavy aces collide most.
  const Scenario apart = Ranged({"AA,KK:0.001,AK:0.002", "AA,QQ:0.003,AK:0.001,KQs:0.01", "AA:0.9,KK:0.05,AQs:0.001"},
                                "2c7d8h3s");
  ExpectDealerMatchesExact(apart, RangeDealer::kTableLimit, 0, false);
  ExpectDealerMatchesExact(apart, 1, 0, false);
}

TEST(WeightedRangeDealing, CountingGroupsOfAlikeSeatsMatchesExactShares) {
  // Three seats alike, counted as one group, and one that differs; weights
  // counted as they are, then weights too fine for that, rounded and repeated.
  ExpectDealerMatchesExact(Ranged({"AA:0.5,KK", "AA:0.5,KK", "AK,KK:0.3", "AA:0.5,KK"}, "2c7d8h3s"), 1,
                           RangeDealer::kCountedStates, true);
  ExpectDealerMatchesExact(
      Ranged({"AA:0.5,KK:0.0123457", "AA:0.5,KK:0.0123457", "AK,KK:0.3", "AA:0.5,KK:0.0123457"}, "2c7d8h3s"), 1,
      RangeDealer::kCountedStates, true);
}

TEST(WeightedRangeDealing, TightTablesGiveEverySeatAnEqualShare) {
  const std::vector<std::pair<std::string_view, std::size_t>> tables = {
      {"TT+,AQs+,AKo", 10}, {"TT+:0.8,AQs+,AKo:0.35,AKs:0.5", 10}, {"JJ+,AJ+,KJ+,QJ", 8}};
  for (const auto& [range, seats] : tables) {
    const Scenario s = Ranged(std::vector<std::string_view>(seats, range), "");
    ASSERT_TRUE(RangeDealer::For(s)->Counts()) << range;
    const RunStats stats = RunParallel(s, 3, 200'000, 2);
    for (int p = 1; p <= static_cast<int>(seats); ++p) {
      EXPECT_NEAR(stats.WinRate(p), 1.0 / static_cast<double>(seats), 4.5 * stats.WinRateStandardError(p)) << range;
    }
  }
}

TEST(WeightedRangeDealing, EqualWeightsDealAsNoWeights) {
  const Scenario plain = Ranged({"AA,KK,QQ", "AK,AQ", "", "KK,QQ,AKs"}, "", "5c");
  const Scenario full = Ranged({"AA:1,KK:1,QQ:1.0", "AK,AQ", "", "KK,QQ,AKs"}, "", "5c");
  Scenario half = plain;
  for (int p : {0, 1, 3}) half.weight[p].assign(half.range[p].size(), kFullWeight / 2);
  const RunStats expected = RunParallel(plain, 42, 5'000, 1);
  EXPECT_TRUE(SameStats(RunParallel(full, 42, 5'000, 1), expected));
  EXPECT_TRUE(SameStats(RunParallel(half, 42, 5'000, 1), expected));
}

}  // namespace
}  // namespace zuv::sim
