#include "run/workers/exact_runner.h"

#include "run/workers/worker_signal.h"

namespace zuv {

namespace {

// Often enough for a live counter and chart.
constexpr std::chrono::milliseconds kProgressInterval{50};

}  // namespace

ExactRunner::ExactRunner(const sim::Scenario& scenario, int threads, std::uint64_t seed, bool perHand)
    : scenario_(scenario), threads_(threads), seed_(seed), perHand_(perHand) {}

ExactRunner::~ExactRunner() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void ExactRunner::Start(std::function<void()> finished) {
  stop_ = false;
  done_ = false;
  dealsDone_ = 0;
  dealsTotal_ = 0;
  worker_ = std::thread([this, finished = std::move(finished)] {
    sim::ExactOptions options;
    options.threads = threads_;
    options.seed = seed_;
    options.stop = &stop_;
    options.dealsDone = &dealsDone_;
    options.dealsTotal = &dealsTotal_;
    // For the statistics window's Hands view.
    options.perHand = perHand_;
    options.progressInterval = kProgressInterval;
    options.progress = [this](const sim::RunStats& sofar) {
      const std::lock_guard lock(progressMutex_);
      progress_.hands = sofar.hands;
      progress_.winRecord = sofar.WinRecord;
      progress_.unit = sofar.unit;
    };
    try {
      result_ = sim::Enumerate(scenario_, options);
    } catch (const std::exception&) {
      // Refused scenarios are caught before the start; nothing was enumerated.
      result_ = {};
    }
    done_ = true;
    WorkerSignalDelay();
    if (finished) finished();
  });
}

BlockRunner::Progress ExactRunner::Snapshot() const {
  const std::lock_guard lock(progressMutex_);
  return progress_;
}

sim::ExactResult ExactRunner::Finish() {
  if (worker_.joinable()) worker_.join();
  return std::move(result_);
}

}  // namespace zuv
