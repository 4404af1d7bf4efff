#include "run/workers/block_runner.h"

#include <algorithm>
#include <limits>

#include "run/workers/worker_signal.h"
#include "sim/simulation.h"

namespace zuv {

namespace {

constexpr std::int64_t kBlock = sim::Simulation::kBlockHands;

int ThreadCount(int wanted) {
  if (wanted > 0) return wanted;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

BlockRunner::BlockRunner(const sim::Scenario& scenario, std::uint64_t seed, int threads,
                         std::function<Clock::time_point()> now)
    : scenario_(scenario),
      seed_(seed),
      threads_(ThreadCount(threads)),
      now_(std::move(now)),
      kept_(scenario.ActiveCount()) {}

BlockRunner::~BlockRunner() {
  stop_ = true;
  for (auto& thread : pool_) thread.join();
}

void BlockRunner::Start(std::int64_t fromHand, std::int64_t toHand, std::function<void()> finished) {
  toHand_ = toHand;
  fromBlock_ = fromHand / kBlock;
  endBlock_ = (toHand + kBlock - 1) / kBlock;
  nextBlock_ = fromBlock_;
  stepped_.clear();
  waiting_.clear();
  kept_ = sim::RunStats(scenario_.ActiveCount());
  stop_ = false;
  finished_ = std::move(finished);
  progress_ = {};
  const int workers = static_cast<int>(std::clamp<std::int64_t>(endBlock_ - fromBlock_, 1, threads_));
  partial_.assign(workers, sim::RunStats(scenario_.ActiveCount()));
  running_ = workers;
  for (int w = 0; w < workers; ++w) pool_.emplace_back(&BlockRunner::Work, this, w);
}

void BlockRunner::KeepWaitingBlocks() {
  const std::int64_t lowest = stepped_.empty() ? std::numeric_limits<std::int64_t>::max() : *stepped_.begin();
  std::erase_if(waiting_, [&](Waiting& w) {
    if (w.block >= lowest) return false;
    kept_.Add(w.stats);
    return true;
  });
}

void BlockRunner::Work(int worker) {
  sim::Simulation simulation(scenario_, seed_);
  simulation.KeepPerHand();
  // Progress after every step, not only every block: the counter and chart
  // move on tables where a block takes seconds.
  auto publish = [&](const sim::BlockSteps::Step& step) {
    {
      const std::lock_guard lock(progressMutex_);
      progress_.hands += step.hands;
      for (int p = 0; p < sim::RunStats::kSeats; ++p) progress_.winRecord[p] += step.won[p];
    }
    return !stop_;
  };
  sim::BlockSteps steps(now_);
  for (;;) {
    std::int64_t block = 0, count = 0;
    bool stepped = false, straight = false;
    {
      const std::lock_guard lock(blocksMutex_);
      if (stop_ || nextBlock_ >= endBlock_) break;
      block = nextBlock_++;
      count = std::min(kBlock, toHand_ - block * kBlock);
      stepped = !steps.InOneStep(count);
      // Blocks are handed out in order, so every block in play is below this
      // one; when none of them can be given up, this one is sure to be kept.
      straight = !stepped && stepped_.empty();
      if (stepped) stepped_.insert(block);
    }
    // A fast table plays its blocks in single steps, straight into the
    // worker's statistics: a copy per block would cost as much as its hands.
    if (straight) {
      steps.PlayBlock(simulation, block, count, partial_[worker], publish);
      continue;
    }
    sim::RunStats played(scenario_.ActiveCount());
    // A block given up stays among the stepped ones, so no block above it is kept.
    if (!steps.PlayBlock(simulation, block, count, played, publish)) break;
    const std::lock_guard lock(blocksMutex_);
    stepped_.erase(block);
    waiting_.push_back({block, std::move(played)});
    KeepWaitingBlocks();
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
  total.Add(kept_);
  waiting_.clear();
  reachedHand = fromBlock_ * kBlock + total.hands;
  return total;
}

BlockRunner::Progress BlockRunner::Snapshot() const {
  const std::lock_guard lock(progressMutex_);
  return progress_;
}

}  // namespace zuv
