#include "sim/run_parallel.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "sim/simulation.h"

namespace zuv::sim {

RunStats RunParallel(const Scenario& scenario, std::uint64_t seed, std::int64_t hands, int threads,
                     std::atomic<std::int64_t>* handsDone) {
  Simulation probe(scenario, seed);  // checks the scenario before any thread starts
  const int active = probe.ActiveSeats();
  // Rounded up without adding first, which could pass the largest int64.
  const std::int64_t blocks = hands / Simulation::kBlockHands + (hands % Simulation::kBlockHands > 0 ? 1 : 0);
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = static_cast<int>(std::clamp<std::int64_t>(blocks, 1, threads));

  // Threads take blocks in any order; integer sums make the total independent of it.
  std::atomic<std::int64_t> nextBlock{0};
  std::vector<RunStats> partial(threads, RunStats(active));
  auto work = [&](int t) {
    Simulation simulation(scenario, seed);
    for (std::int64_t b; (b = nextBlock.fetch_add(1)) < blocks;) {
      const std::int64_t count = std::min(Simulation::kBlockHands, hands - b * Simulation::kBlockHands);
      simulation.PlayBlock(b, count, partial[t]);
      if (handsDone) handsDone->fetch_add(count, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (auto& thread : pool) thread.join();

  RunStats total(active);
  for (const auto& p : partial) total.Add(p);
  return total;
}

}  // namespace zuv::sim
