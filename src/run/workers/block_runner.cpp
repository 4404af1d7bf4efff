#include "run/workers/block_runner.h"

#include <algorithm>

#include "run/workers/worker_signal.h"
#include "sim/block_steps.h"
#include "sim/simulation.h"

namespace zuv {

namespace {

constexpr std::int64_t kBlock = sim::Simulation::kBlockHands;

int ThreadCount(int wanted) {
  if (wanted > 0) return wanted;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

BlockRunner::BlockRunner(const sim::Scenario& scenario, std::uint64_t seed, int threads)
    : scenario_(scenario), seed_(seed), threads_(ThreadCount(threads)) {}

BlockRunner::~BlockRunner() {
  stop_ = true;
  for (auto& thread : pool_) thread.join();
}

void BlockRunner::Start(std::int64_t fromHand, std::int64_t toHand, std::function<void()> finished) {
  toHand_ = toHand;
  fromBlock_ = fromHand / kBlock;
  endBlock_ = (toHand + kBlock - 1) / kBlock;
  nextBlock_ = fromBlock_;
  stop_ = false;
  finished_ = std::move(finished);
  progress_ = {};
  const int workers = static_cast<int>(std::clamp<std::int64_t>(endBlock_ - fromBlock_, 1, threads_));
  partial_.assign(workers, sim::RunStats(scenario_.ActiveCount()));
  running_ = workers;
  for (int w = 0; w < workers; ++w) pool_.emplace_back(&BlockRunner::Work, this, w);
}

void BlockRunner::Work(int worker) {
  sim::Simulation simulation(scenario_, seed_);
  simulation.KeepPerHand();
  sim::RunStats& stats = partial_[worker];
  std::array<std::int64_t, sim::RunStats::kSeats> before = stats.WinRecord;
  // Progress after every step, not only every block: the counter and chart
  // move on tables where a block takes seconds.
  auto publish = [&](std::int64_t hands) {
    const std::lock_guard lock(progressMutex_);
    progress_.hands += hands;
    for (int p = 0; p < sim::RunStats::kSeats; ++p) progress_.winRecord[p] += stats.WinRecord[p] - before[p];
    before = stats.WinRecord;
  };
  sim::BlockSteps steps;
  for (std::int64_t b; !stop_ && (b = nextBlock_.fetch_add(1)) < endBlock_;) {
    steps.PlayBlock(simulation, b, std::min(kBlock, toHand_ - b * kBlock), stats, publish);
  }
  // The signal is the last worker's last act: Finish joins this thread, so
  // what the signal reaches is still there while it runs.
  if (--running_ == 0 && finished_) {
    WorkerSignalDelay();
    finished_();
  }
}

sim::RunStats BlockRunner::Finish(std::int64_t& reachedHand) {
  for (auto& thread : pool_) thread.join();
  pool_.clear();
  sim::RunStats total(scenario_.ActiveCount());
  for (const auto& p : partial_) total.Add(p);
  partial_.clear();
  reachedHand = fromBlock_ * kBlock + progress_.hands;
  return total;
}

BlockRunner::Progress BlockRunner::Snapshot() const {
  const std::lock_guard lock(progressMutex_);
  return progress_;
}

}  // namespace zuv
