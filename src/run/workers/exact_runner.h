#pragma once
// An exact run (every deal enumerated) on a worker thread while the interface
// thread goes on serving events. Plain C++: the window reads the progress and
// the result only from its own thread, through this class.

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "run/workers/block_runner.h"
#include "sim/exact.h"
#include "sim/scenario.h"

namespace zuv {

class ExactRunner {
 public:
  // `threads` <= 0: one per core. The scenario must pass sim::ExactProblem
  // with per-hand figures if the run keeps them (`perHand`).
  // `seed` chooses the order of the work, as zuvsim's --seed does.
  ExactRunner(const sim::Scenario& scenario, int threads, std::uint64_t seed = 0, bool perHand = true);
  ~ExactRunner();
  ExactRunner(const ExactRunner&) = delete;
  ExactRunner& operator=(const ExactRunner&) = delete;

  // `finished` is called on the worker thread once the enumeration has ended.
  void Start(std::function<void()> finished = {});
  void RequestStop() { stop_ = true; }
  bool Done() const { return done_; }
  // Deals and win units of the deals finished at the last progress report.
  BlockRunner::Progress Snapshot() const;
  // Deals done so far, live, and the table's (0 until the enumeration has
  // counted them): with weighted ranges the progress counts weights instead.
  std::int64_t DealsDone() const { return dealsDone_; }
  std::int64_t DealsTotal() const { return dealsTotal_; }
  // Joins the worker and returns what it enumerated.
  sim::ExactResult Finish();

 private:
  const sim::Scenario scenario_;
  const int threads_;
  const std::uint64_t seed_;
  const bool perHand_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{true};
  std::atomic<std::int64_t> dealsDone_{0};
  std::atomic<std::int64_t> dealsTotal_{0};
  std::thread worker_;
  sim::ExactResult result_;

  mutable std::mutex progressMutex_;
  BlockRunner::Progress progress_;
};

}  // namespace zuv
