#pragma once
// A whole run spread over threads.

#include <atomic>
#include <cstdint>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

// Plays hands 1..`hands` of the scenario with `seed` on `threads` threads
// (<= 0: one per core) and returns their statistics. The blocks of hands are
// the same as Simulation's, so the result equals one Simulation::Play(hands)
// for every thread count. Throws std::invalid_argument for a bad scenario.
// `handsDone`, if given, grows by each block's hands as the block is
// finished, so another thread can show how far the run is.
RunStats RunParallel(const Scenario& scenario, std::uint64_t seed, std::int64_t hands, int threads,
                     std::atomic<std::int64_t>* handsDone = nullptr);

}  // namespace zuv::sim
