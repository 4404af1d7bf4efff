#include "sim/run_parallel.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

#include "sim/block_steps.h"
#include "sim/simulation.h"

namespace zuv::sim {

namespace {

bool TargetMet(const RunStats& stats, const Scenario& scenario, double target) {
  for (int i = 0; i < RunStats::kSeats; ++i) {
    if (scenario.active[i] && !(stats.WinRateStandardError(i + 1) <= target)) return false;
  }
  return true;
}

}  // namespace

RunStats RunParallel(const Scenario& scenario, const RunOptions& options) {
  Simulation probe(scenario, options.seed);  // checks the scenario before any thread starts
  const int active = probe.ActiveSeats();
  const std::int64_t hands = std::max<std::int64_t>(options.hands, 0);
  constexpr std::int64_t kBlock = Simulation::kBlockHands;
  // Rounded up without adding first, which could pass the largest int64.
  const std::int64_t blocks = hands / kBlock + (hands % kBlock > 0 ? 1 : 0);
  const bool targeted = options.targetStandardError > 0;
  // Without a target the whole run is one round.
  const std::int64_t roundBlocks = targeted ? kTargetCheckHands / kBlock : std::max<std::int64_t>(blocks, 1);
  int threads = options.threads;
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = static_cast<int>(std::clamp<std::int64_t>(std::min(blocks, roundBlocks), 1, threads));

  // Threads take the blocks of a round in any order; integer sums make the
  // total independent of it. Between rounds, with every thread waiting, the
  // round's statistics are added up and the target checked.
  RunStats total(active);
  std::vector<RunStats> partial(threads, RunStats(active));
  std::atomic<std::int64_t> nextBlock{0};
  std::int64_t roundEnd = std::min(blocks, roundBlocks);
  bool finished = false;
  auto endOfRound = [&]() noexcept {
    for (auto& p : partial) {
      total.Add(p);
      p = RunStats(active);
    }
    finished = roundEnd == blocks || (targeted && TargetMet(total, scenario, options.targetStandardError));
    nextBlock = roundEnd;
    roundEnd += std::min(roundBlocks, blocks - roundEnd);
  };
  std::barrier sync(threads, endOfRound);
  auto work = [&](int t) {
    Simulation simulation(scenario, options.seed);
    if (options.perHand) simulation.KeepPerHand();
    BlockSteps steps;
    auto counted = [&](const BlockSteps::Step& step) {
      if (options.handsDone) options.handsDone->fetch_add(step.hands, std::memory_order_relaxed);
      return true;
    };
    while (!finished) {
      for (std::int64_t b; (b = nextBlock.fetch_add(1)) < roundEnd;) {
        const std::int64_t count = std::min(kBlock, hands - b * kBlock);
        steps.PlayBlock(simulation, b, count, partial[t], counted);
      }
      sync.arrive_and_wait();
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (auto& thread : pool) thread.join();
  return total;
}

RunStats RunParallel(const Scenario& scenario, std::uint64_t seed, std::int64_t hands, int threads,
                     std::atomic<std::int64_t>* handsDone) {
  RunOptions options;
  options.seed = seed;
  options.hands = hands;
  options.threads = threads;
  options.handsDone = handsDone;
  return RunParallel(scenario, options);
}

}  // namespace zuv::sim
