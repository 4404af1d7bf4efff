#pragma once
// A sampled run's blocks of hands played on worker threads while the
// interface thread goes on serving events. Plain C++: the window reads the
// progress and the result only from its own thread, through this class.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv {

class BlockRunner {
 public:
  // Win units and hands played so far, for the live counter and chart: they
  // grow in steps (sim::BlockSteps), inside a block on slow tables.
  struct Progress {
    std::int64_t hands = 0;
    std::array<std::int64_t, sim::RunStats::kSeats> winRecord{};
  };

  // `threads` <= 0: one per core.
  BlockRunner(const sim::Scenario& scenario, std::uint64_t seed, int threads);
  ~BlockRunner();
  BlockRunner(const BlockRunner&) = delete;
  BlockRunner& operator=(const BlockRunner&) = delete;

  // Plays hands `fromHand` + 1 .. `toHand` (fromHand a multiple of the block
  // size) on the worker threads. `finished` is called on the last worker's
  // thread once they have all stopped.
  void Start(std::int64_t fromHand, std::int64_t toHand, std::function<void()> finished = {});
  // The workers stop after the block each one is playing. Blocks are handed
  // out in order and every block taken is finished, so the hands played are
  // always those up to a multiple of the block size.
  void RequestStop() { stop_ = true; }
  // Joins the workers and returns the statistics of every hand they played
  // since Start, and the hand the run has reached.
  sim::RunStats Finish(std::int64_t& reachedHand);

  Progress Snapshot() const;
  // Every worker has stopped (or none was started).
  bool Done() const { return running_ == 0; }
  int Threads() const { return threads_; }

 private:
  void Work(int worker);

  const sim::Scenario scenario_;
  const std::uint64_t seed_;
  const int threads_;
  std::int64_t toHand_ = 0;
  std::int64_t fromBlock_ = 0;
  std::int64_t endBlock_ = 0;
  std::atomic<std::int64_t> nextBlock_{0};
  std::atomic<bool> stop_{false};
  std::atomic<int> running_{0};
  std::function<void()> finished_;
  std::vector<sim::RunStats> partial_;
  std::vector<std::thread> pool_;

  mutable std::mutex progressMutex_;
  Progress progress_;
};

}  // namespace zuv
