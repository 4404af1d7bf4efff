// The runners' threads against the engine played on one thread, with the
// waiting side reading progress all the while, as the window does.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "run/workers/block_runner.h"
#include "run/workers/exact_runner.h"
#include "run/workers/worker_signal.h"
#include "sim/exact.h"
#include "sim/simulation.h"

namespace zuv {
namespace {

// Seat 1 holds As Ah, seats 2 and 3 are dealt at random.
sim::Scenario ThreeSeats() {
  sim::Scenario s;
  s.active[0] = s.active[1] = s.active[2] = true;
  s.fixed[0] = {13, 26};
  return s;
}

// Reads progress until the runner says it is done; the hands seen never go back.
template <class Runner>
void WatchUntilDone(const Runner& runner, const std::atomic<int>& signals) {
  std::int64_t seen = 0;
  while (signals == 0) {
    const auto progress = runner.Snapshot();
    EXPECT_GE(progress.hands, seen);
    seen = progress.hands;
    std::this_thread::yield();
  }
  EXPECT_TRUE(runner.Done());
}

TEST(BlockRunner, ThreadsPlayTheHandsOfOneThreadAndSignalOnceWhenAllAreDone) {
  constexpr std::int64_t kHands = 5 * sim::Simulation::kBlockHands + 321;
  sim::RunStats alone(3);
  sim::Simulation(ThreeSeats(), 7).Play(kHands, alone);

  DelayWorkerSignalForTests(std::chrono::milliseconds(20));
  BlockRunner runner(ThreeSeats(), 7, 3);
  std::atomic<int> signals{0};
  runner.Start(0, kHands, [&signals] { ++signals; });
  WatchUntilDone(runner, signals);
  std::int64_t reached = 0;
  const sim::RunStats threaded = runner.Finish(reached);
  DelayWorkerSignalForTests(std::chrono::milliseconds(0));

  EXPECT_EQ(signals, 1);
  EXPECT_EQ(reached, kHands);
  EXPECT_EQ(threaded.hands, kHands);
  EXPECT_EQ(threaded.WinRecord, alone.WinRecord);
}

TEST(BlockRunner, AStopIsHeardWithinAStepAndKeepsTheFirstWholeBlocks) {
  constexpr std::int64_t kBlock = sim::Simulation::kBlockHands;
  constexpr std::int64_t kHands = 1000 * kBlock;
  // Each reading of this clock is a second after the last, so every step is
  // one hand and a block a thousand steps; the clock asks for the stop
  // itself, in the middle of a step or between two, with the workers a few
  // blocks in.
  constexpr std::int64_t kStopReading = 15001;
  for (int threads : {1, 3}) {
    std::atomic<std::int64_t> readings{0};
    std::int64_t handsAtStop = 0;
    BlockRunner runner(ThreeSeats(), 7, threads, [&] {
      const std::int64_t reading = ++readings;
      if (reading == kStopReading) {
        handsAtStop = runner.Snapshot().hands;
        runner.RequestStop();
      }
      return BlockRunner::Clock::time_point(std::chrono::seconds(reading));
    });
    std::atomic<int> signals{0};
    runner.Start(0, kHands, [&signals] { ++signals; });
    WatchUntilDone(runner, signals);
    std::int64_t reached = 0;
    const sim::RunStats stats = runner.Finish(reached);

    // A worker in a step ends it (one more reading), then plays no further hand.
    EXPECT_LE(readings - kStopReading, 2 * threads) << threads;
    EXPECT_EQ(reached % kBlock, 0) << threads;
    EXPECT_EQ(stats.hands, reached) << threads;
    if (threads == 1) {
      // The block in play is given up, or kept if the stop came in its last step.
      EXPECT_GE(reached, handsAtStop / kBlock * kBlock);
      EXPECT_LE(reached, handsAtStop / kBlock * kBlock + kBlock);
    }
    sim::RunStats alone(3);
    sim::Simulation(ThreeSeats(), 7).Play(reached, alone);
    EXPECT_EQ(stats.WinRecord, alone.WinRecord) << threads;
    EXPECT_EQ(stats.WinStat, alone.WinStat) << threads;
  }
}

TEST(ExactRunner, EnumeratesWhatTheEngineEnumeratesAndSignalsOnce) {
  sim::Scenario table = ThreeSeats();
  table.board = {6, 7, 8, 9};
  const sim::ExactResult direct = sim::Enumerate(table);

  DelayWorkerSignalForTests(std::chrono::milliseconds(20));
  ExactRunner runner(table, 2);
  std::atomic<int> signals{0};
  runner.Start([&signals] { ++signals; });
  WatchUntilDone(runner, signals);
  const sim::ExactResult threaded = runner.Finish();
  DelayWorkerSignalForTests(std::chrono::milliseconds(0));

  EXPECT_EQ(signals, 1);
  ASSERT_TRUE(threaded.complete);
  EXPECT_EQ(threaded.deals, direct.deals);
  EXPECT_EQ(threaded.stats.WinRecord, direct.stats.WinRecord);
}

}  // namespace
}  // namespace zuv
