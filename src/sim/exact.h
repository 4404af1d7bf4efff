#pragma once
// Exact odds: every deal of a scenario enumerated once, with the statistics a
// sampled run keeps (RunStats), in whole units.
//
// A deal is one joint assignment of hole cards (a fixed seat keeps its cards,
// a seat with a range takes one of its combinations, any other seat any two
// free cards; no card twice, none of the dead cards) together with one
// completion of the board from the cards left. Every deal counts once, so a
// seat's exact win rate is WinRecord / (RunStats::kUnit * deals).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

// The largest number of deals Enumerate accepts. Deals per CPU second depend
// on the table: from about 0.65 billion (a wide range against two fixed
// cards preflop) to 5 billion (narrow ranges preflop). At the slowest rate
// the limit takes about 40 s on two cores.
inline constexpr std::uint64_t kExactDealLimit = 50'000'000'000ull;

struct ExactOptions {
  // Worker threads; <= 0: one per core.
  int threads = 0;
  // When it becomes true the enumeration stops within about 0.1 s and returns
  // the deals finished so far.
  const std::atomic<bool>* stop = nullptr;
  // If given, raised live by the number of deals enumerated.
  std::atomic<std::int64_t>* dealsDone = nullptr;
  // If given, called on the calling thread about every `progressInterval`
  // with the statistics of the deals finished so far (hands = their count).
  std::function<void(const RunStats&)> progress;
  std::chrono::milliseconds progressInterval{100};
};

struct ExactResult {
  // Statistics of the enumerated deals; stats.hands == deals.
  RunStats stats;
  // Deals enumerated: all of the scenario's unless stopped.
  std::int64_t deals = 0;
  // False when the stop flag ended the enumeration early.
  bool complete = false;
};

// Number of deals of the scenario, counted without enumerating them;
// UINT64_MAX when there are more than that (ten seats dealt at random have
// more than 2^64) or when several wide ranges make them too many to count.
// Throws std::invalid_argument with CheckScenario's text for a bad scenario.
std::uint64_t CountDeals(const Scenario& scenario);

// Why Enumerate would refuse the scenario, as one line (a bad scenario, no
// deal at all, or more than kExactDealLimit deals), or nullopt.
std::optional<std::string> ExactProblem(const Scenario& scenario);

// Enumerates every deal. Throws std::invalid_argument with ExactProblem's text.
ExactResult Enumerate(const Scenario& scenario, const ExactOptions& options = {});

// A win rate as a fraction in lowest terms.
struct WinFraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
};

// Seat 1..10's exact share of the pots: WinRecord / (kUnit * hands), reduced.
WinFraction ExactWinRate(const RunStats& stats, int seat);

// "1,712,304": a deal count with thousands separators.
std::string GroupedCount(std::uint64_t count);

}  // namespace zuv::sim
