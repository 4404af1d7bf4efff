#pragma once
// A whole run spread over threads.

#include <atomic>
#include <cstdint>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

struct RunOptions {
  std::uint64_t seed = 0;
  // Hands to play; with a precision target, the most hands to play.
  std::int64_t hands = 0;
  // <= 0: one thread per core.
  int threads = 0;
  // > 0: stop at the first checkpoint (every kTargetCheckHands hands, and at
  // `hands`) where every active seat's WinRateStandardError is at most this.
  double targetStandardError = 0;
  // If given, grows by the hands played as they are played (in steps of
  // at most BlockSteps::kStepTime, inside blocks on slow tables), so another
  // thread can show how far the run is.
  std::atomic<std::int64_t>* handsDone = nullptr;
  // Keep RunStats::perHand for the random seats.
  bool perHand = false;
};

// Hands between the checks of a precision target: a fixed number of blocks,
// so where a run stops depends on the seed alone, not on the threads.
inline constexpr std::int64_t kTargetCheckHands = 100'000;

// Plays hands 1..options.hands of the scenario (or up to the checkpoint
// where the precision target is met) and returns their statistics; `hands`
// in the result says how many were played. The blocks of hands are the same
// as Simulation's, so the result equals one Simulation::Play of that many
// hands for every thread count. Throws std::invalid_argument for a bad
// scenario.
RunStats RunParallel(const Scenario& scenario, const RunOptions& options);

// The same without a precision target.
RunStats RunParallel(const Scenario& scenario, std::uint64_t seed, std::int64_t hands, int threads,
                     std::atomic<std::int64_t>* handsDone = nullptr);

}  // namespace zuv::sim
