// The simulation run driven through the window (offscreen) against the same
// run in the engine alone, the default run from Start to the statistics
// window, and how long the interface thread waits while long and exact runs
// work. Fixed seeds; every result is consumed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <thread>

#include "platform/event_loop.h"
#include "program/startup.h"
#include "sim/card.h"
#include "sim/run_stats.h"
#include "sim/simulation.h"
#include "state/app.h"

namespace {

constexpr double kSeed = 20261207;

std::unique_ptr<zuv::App> StartProgram() {
  auto app = std::make_unique<zuv::App>();
  app->dataFolders = {ZUV_SOURCE_DIR};
  if (auto problem = zuv::zuvpoker(*app)) {
    fprintf(stderr, "%s\n", qPrintable(*problem));
    std::exit(1);
  }
  app->SETUP.SetSeed = 1;
  app->SETUP.Seed = kSeed;
  zuv::drawnow();
  return app;
}

void CloseStatisticsWindow(zuv::App& app) {
  delete app.FIGURE.WinStatFigHandle.data();
  zuv::drawnow();
}

void RunInWindow(benchmark::State& state) {
  auto app = StartProgram();
  app->SETUP.NrOfSims = static_cast<int>(state.range(0));
  for (auto _ : state) {
    app->run("CBStartSimulation");
    benchmark::DoNotOptimize(app->SIM.WinRecord.data());
    state.PauseTiming();
    CloseStatisticsWindow(*app);
    state.ResumeTiming();
  }
  state.counters["hands/s"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}

void RunInEngine(benchmark::State& state) {
  zuv::sim::Scenario scenario;
  scenario.active[0] = scenario.active[1] = true;
  for (auto _ : state) {
    zuv::sim::Simulation simulation(scenario, static_cast<std::uint64_t>(kSeed));
    zuv::sim::RunStats stats(2);
    simulation.Play(state.range(0), stats);
    benchmark::DoNotOptimize(stats.WinRecord.data());
  }
  state.counters["hands/s"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}

// A long run through the window on `state.range(0)` worker threads (0: one per
// core). The first seat's pots are reported so that the runs can be compared.
void LongRunInWindow(benchmark::State& state) {
  auto app = StartProgram();
  app->SETUP.NrOfSims = 100000000;
  app->runThreads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    app->run("CBStartSimulation");
    benchmark::DoNotOptimize(app->SIM.WinRecord.data());
    state.PauseTiming();
    CloseStatisticsWindow(*app);
    state.ResumeTiming();
  }
  state.counters["hands/s"] = benchmark::Counter(1e8 * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["seat1pots"] = app->SIM.WinRecord[0];
}

// Stop pressed during a long run on `state.range(0)` worker threads (0: one
// per core), until the statistics window of the hands so far is on screen.
// state.range(1) = 0: two random seats; 10: a slow table, ten seats of the
// same narrow range (about 20 ms a hand, 20 s a block), Stop pressed once
// the steps have reached their full length.
void StopLatencyInWindow(benchmark::State& state) {
  auto app = StartProgram();
  app->SETUP.NrOfSims = 1000000000;
  app->runThreads = static_cast<int>(state.range(0));
  const int slowSeats = static_cast<int>(state.range(1));
  for (int p = 1; p <= slowSeats; ++p) {
    app->activeplayers(p) = 1;
    app->simulateplayers(p) = 1;
    app->player(p).Range = "99+,AJ+,KJ+,QJ";
  }
  const int pressAfterMilliseconds = slowSeats > 0 ? 2000 : 300;
  for (auto _ : state) {
    std::chrono::steady_clock::time_point pressed;
    // Fires inside the event loop that serves the window while the run works.
    QTimer::singleShot(pressAfterMilliseconds, [&] {
      pressed = std::chrono::steady_clock::now();
      app->run("CBStopSimulation");
    });
    app->run("CBStartSimulation");
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count());
    benchmark::DoNotOptimize(app->SIM.WinRecord.data());
    CloseStatisticsWindow(*app);
  }
}

// A timer on the interface thread that notes the longest time between two of
// its turns: an event waits at most that long. The gap in which the
// statistics window opens is the end of the run, not a wait during it.
class GapProbe {
 public:
  explicit GapProbe(zuv::App& app) : app_(app) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const auto now = std::chrono::steady_clock::now();
      if (!app_.FIGURE.WinStatFigHandle) longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    last_ = std::chrono::steady_clock::now();
    timer_.start();
  }
  double LongestMilliseconds() const { return std::chrono::duration<double, std::milli>(longest_).count(); }

 private:
  zuv::App& app_;
  QTimer timer_;
  std::chrono::steady_clock::time_point last_;
  std::chrono::steady_clock::duration longest_{};
};

// The interface thread's longest wait while a run works on every core
// (`longest_gap_ms`, aim under 50) and the share of all cores the program kept
// busy (`cores_busy`, 1 = every core all the time). state.range(0) = 0: a
// 200,000,000-hand run of two random seats; 1: the exact run of AsAd against
// three seats dealt any two cards on a 2s8h8d flop (792,432,887,400 deals),
// gone through board by board and long enough (seconds on every core) to show
// the interface's waits: smaller tables are done in a fraction of a second.
void WindowWhileRunning(benchmark::State& state) {
  auto app = StartProgram();
  if (state.range(0) == 1) {
    auto fix = [&](const char* text) {
      const std::vector<int> cards = *zuv::sim::ParseCards(text);
      for (int card : cards) app->cardsindeck(card) = 0;
      return cards;
    };
    app->activeplayers(1) = 1;
    app->simulateplayers(1) = 0;
    app->player(1).Cards = fix("AsAd");
    app->TABLE.boardcards = fix("2s8h8d");
    app->SETUP.SimulateFlop = 0;
    app->run("CBTogglePlayerActivate(3)");
    app->run("CBTogglePlayerActivate(4)");
    app->run("CBExactOdds");
  } else {
    app->SETUP.NrOfSims = 200000000;
  }
  double longest = 0, busy = 0;
  for (auto _ : state) {
    const std::clock_t cpuStart = std::clock();
    const auto wallStart = std::chrono::steady_clock::now();
    {
      GapProbe probe(*app);
      app->run("CBStartSimulation");
      longest = std::max(longest, probe.LongestMilliseconds());
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    busy = cpu / (wall * std::max(1u, std::thread::hardware_concurrency()));
    benchmark::DoNotOptimize(app->SIM.WinRecord.data());
    state.PauseTiming();
    CloseStatisticsWindow(*app);
    state.ResumeTiming();
  }
  state.counters["longest_gap_ms"] = longest;
  state.counters["cores_busy"] = busy;
}

}  // namespace

// Stop, on one thread and on every core, to the statistics window on screen: what a user waits after Stop.
BENCHMARK(StopLatencyInWindow)->Args({1, 0})->Args({0, 0})->UseManualTime()->Unit(benchmark::kMillisecond);
// The same on a slow table, where a block takes seconds: target a fraction of a second.
BENCHMARK(StopLatencyInWindow)
    ->Name("StopLatencyInWindow/slowTable")
    ->Args({1, 10})
    ->Args({0, 10})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// Two random seats, a million hands: the window's run should cost at most 1.5 times the engine's.
BENCHMARK(RunInEngine)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RunInWindow)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
// 100,000,000 hands of two random seats through the window, every core against
// one thread: target at most 0.6 times the one-thread time, with the same seat1pots.
BENCHMARK(LongRunInWindow)->Name("LongRunInWindow/threads")->Arg(1)->Arg(0)->Unit(benchmark::kSecond)->UseRealTime();
// The interface thread's longest wait during a long run and an exact run on every core: target under 50 ms.
BENCHMARK(WindowWhileRunning)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();
// The default run, Start to the statistics window on screen: target 0.3 s.
BENCHMARK(RunInWindow)->Name("DefaultRunToStatisticsWindow")->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
