// Thread scaling: the threaded run that zuvsim makes, and the zuvsim binary
// itself (process start included), with 1 and 2 threads; and a small exact
// table as a whole process.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "sim/run_parallel.h"

namespace {

void BM_RunParallel(benchmark::State& state) {
  zuv::sim::Scenario s;
  s.active[0] = s.active[1] = true;
  constexpr std::int64_t kHands = 20'000'000;
  for (auto _ : state) {
    auto stats = zuv::sim::RunParallel(s, 0, kHands, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(stats.WinRecord.data());
  }
  state.SetItemsProcessed(state.iterations() * kHands);
}
BENCHMARK(BM_RunParallel)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZuvsimBinary(benchmark::State& state) {
  constexpr std::int64_t kHands = 20'000'000;
  const std::string command = std::string("'") + ZUVSIM_PATH + "' --json --hands " + std::to_string(kHands) +
                              " --threads " + std::to_string(state.range(0)) + " random random >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("zuvsim failed");
  }
  state.SetItemsProcessed(state.iterations() * kHands);
}
BENCHMARK(BM_ZuvsimBinary)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A small exact table as a whole process: start-up is most of its time.
void BM_ZuvsimExactTwoFixedHands(benchmark::State& state) {
  const std::string command = std::string("'") + ZUVSIM_PATH + "' --json --exact --threads 2 AhAc KdKs >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("zuvsim failed");
  }
}
BENCHMARK(BM_ZuvsimExactTwoFixedHands)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
