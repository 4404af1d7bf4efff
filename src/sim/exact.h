#pragma once
// Exact odds: every deal of a scenario enumerated once, with the statistics a
// sampled run keeps (RunStats), in whole units.
//
// A deal is one joint assignment of hole cards (a fixed seat keeps its cards,
// a seat with a range takes one of its combinations, any other seat any two
// free cards; no card twice, none of the dead cards) together with one
// completion of the board from the cards left. Every deal counts once, so a
// seat's exact win rate is WinRecord / (RunStats::kUnit * deals). With
// weighted ranges a deal counts the product of its seats' weights (each
// seat's weights divided by their greatest common divisor, so the sums stay
// whole and small): hands and units are weighted sums, still exact, and a pot
// is RunStats::unit units, fewer than kUnit, so that the sums fit in 64 bits.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

// The largest number of deals Enumerate accepts, whatever the table.
inline constexpr std::uint64_t kExactDealLimit = 1'000'000'000'000ull;
// Enumerate refuses a table that it expects to take longer than this on the
// machine's cores: the cost per deal is measured on the table (from about 20
// million deals per processor second with many seats holding ranges, to 5
// billion with two narrow ranges).
inline constexpr double kExactSecondsLimit = 60;

struct ExactOptions {
  // Worker threads; <= 0: one per core.
  int threads = 0;
  // The work is done in a random order chosen by the seed, so that the deals
  // done when the run stops early are a random sample of all of them. The
  // complete result does not depend on it.
  std::uint64_t seed = 0;
  // When it becomes true the enumeration stops within about 0.1 s and returns
  // an estimate from the work finished so far.
  const std::atomic<bool>* stop = nullptr;
  // If not zero, the enumeration stops after this long in the same way.
  std::chrono::milliseconds timeLimit{0};
  // If given, set to the number of deals of the whole table before any work.
  std::atomic<std::int64_t>* dealsTotal = nullptr;
  // If given, raised live by the number of deals enumerated (work that a stop
  // then leaves unfinished is taken off again).
  std::atomic<std::int64_t>* dealsDone = nullptr;
  // If given, called on the calling thread about every `progressInterval`
  // with the statistics of the deals finished so far (hands = their count,
  // or with weighted ranges their weights summed).
  std::function<void(const RunStats&)> progress;
  std::chrono::milliseconds progressInterval{100};
  // Keep per-hand figures (RunStats::perHand) for every seat dealt from a
  // range or at random, counted within the one enumeration.
  bool perHand = false;
  // Go board by board even where counting by the seats' joint combinations
  // (ExactCombinations) would be quicker; the two ways give the same figures.
  bool byBoards = false;
};

struct ExactResult {
  // Statistics of the enumerated deals; stats.hands == deals, or with
  // weighted ranges the deals' weights summed.
  RunStats stats;
  // Deals enumerated: all of the scenario's unless stopped.
  std::int64_t deals = 0;
  // Deals of the whole table.
  std::int64_t totalDeals = 0;
  // False when a stop or the time limit ended the enumeration early.
  bool complete = false;
  // Standard error of each seat index 0..9's win rate as an estimate of the
  // exact one: 0 when complete, NaN when too little was done to tell.
  std::array<double, 10> winRateSe{};
  // With per-hand figures, the same for each combination's win rate (in the
  // order of RunStats::perHand's arrays) and for each starting-hand class's
  // (slot * 169 + class - 1).
  std::vector<double> perHandSe, perClassSe;
};

// Number of deals of the scenario, counted without enumerating them;
// UINT64_MAX when there are more than that (ten seats dealt at random have
// more than 2^64) or when several wide ranges make them too many to count.
// Throws std::invalid_argument with CheckScenario's text for a bad scenario.
std::uint64_t CountDeals(const Scenario& scenario);

// Why Enumerate would refuse the scenario, as one line (a bad scenario, no
// deal at all, more than kExactDealLimit deals, weights whose exact sums
// could overflow the statistics' counters, or an expected time above
// kExactSecondsLimit, stated), or nullopt. Tables of many deals cost a
// measurement of a few hundredths of a second. With `perHand` the time is
// that of EnumeratePerHand: counted by combinations where a plain run is, and
// measured with per-hand figures where it goes board by board.
std::optional<std::string> ExactProblem(const Scenario& scenario, bool perHand = false);

// Enumerates every deal. Throws std::invalid_argument with ExactProblem's text
// for a bad table, one without a deal, one above kExactDealLimit or one whose
// weighted sums could overflow; the
// expected time is not checked again here.
ExactResult Enumerate(const Scenario& scenario, const ExactOptions& options = {});

// A win rate as a fraction in lowest terms.
struct WinFraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
};

// Seat 1..10's exact share of the pots: WinRecord / (unit * hands), reduced.
WinFraction ExactWinRate(const RunStats& stats, int seat);

// "1,712,304": a deal count with thousands separators.
std::string GroupedCount(std::uint64_t count);

}  // namespace zuv::sim
