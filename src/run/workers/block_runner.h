#pragma once
// A sampled run's blocks of hands played on worker threads while the
// interface thread goes on serving events. Plain C++: the window reads the
// progress and the result only from its own thread, through this class.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "sim/block_steps.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv {

class BlockRunner {
 public:
  // Win units and hands played so far, for the live counter and chart: they
  // grow in steps (sim::BlockSteps), inside a block on slow tables. They take
  // in the blocks a stop gives up, so after a stop they can be more than the
  // hands Finish keeps.
  struct Progress {
    std::int64_t hands = 0;
    std::array<std::int64_t, sim::RunStats::kSeats> winRecord{};
    std::int64_t unit = sim::RunStats::kUnit;  // units of a pot in winRecord (sim::RunStats::unit)
  };
  using Clock = sim::BlockSteps::Clock;

  // `threads` <= 0: one per core. `now` reads the clock that paces the
  // steps; tests give one that runs as they say.
  BlockRunner(const sim::Scenario& scenario, std::uint64_t seed, int threads,
              std::function<Clock::time_point()> now = Clock::now);
  ~BlockRunner();
  BlockRunner(const BlockRunner&) = delete;
  BlockRunner& operator=(const BlockRunner&) = delete;

  // Plays hands `fromHand` + 1 .. `toHand` (fromHand a multiple of the block
  // size) on the worker threads. `finished` is called on the last worker's
  // thread once they have all stopped.
  void Start(std::int64_t fromHand, std::int64_t toHand, std::function<void()> finished = {});
  // The workers stop at the end of their current step (sim::BlockSteps, a
  // tenth of a second at most), giving up the blocks they are playing.
  // Blocks are handed out in order, and a run keeps the blocks before the
  // first one given up: whole blocks that other workers finished after it
  // are dropped too, so the hands kept are always the first ones from
  // `fromHand`, up to a multiple of the block size.
  void RequestStop() { stop_ = true; }
  // Joins the workers and returns the statistics of the hands kept since
  // Start, and the hand the run has reached.
  sim::RunStats Finish(std::int64_t& reachedHand);

  Progress Snapshot() const;
  // Every worker has stopped (or none was started).
  bool Done() const { return running_ == 0; }
  int Threads() const { return threads_; }

 private:
  // A whole block played while a lower one that may yet be given up was in
  // play: it is kept only once every block below it is whole.
  struct Waiting {
    std::int64_t block = 0;
    sim::RunStats stats;
  };

  void Work(int worker);
  // Moves the waiting blocks below every block that may be given up into
  // kept_. Called with blocksMutex_ held.
  void KeepWaitingBlocks();

  const sim::Scenario scenario_;
  const std::uint64_t seed_;
  const int threads_;
  const std::function<Clock::time_point()> now_;
  std::int64_t toHand_ = 0;
  std::int64_t fromBlock_ = 0;
  std::int64_t endBlock_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> running_{0};
  std::function<void()> finished_;
  // Blocks played straight into a worker's own statistics: every block
  // below them was whole, or in a single step that cannot be given up.
  std::vector<sim::RunStats> partial_;
  std::vector<std::thread> pool_;

  std::mutex blocksMutex_;
  std::int64_t nextBlock_ = 0;
  std::set<std::int64_t> stepped_;  // blocks in play in several steps
  std::vector<Waiting> waiting_;
  sim::RunStats kept_;  // waiting blocks that every block below has caught up

  mutable std::mutex progressMutex_;
  Progress progress_;
};

}  // namespace zuv
