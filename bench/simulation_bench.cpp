// Simulated hands per second on one thread, with every statistic of the run
// kept (WinRecord, WinStat, WinStat2, Statistic), fixed seeds.
#include <benchmark/benchmark.h>

#include "sim/card.h"
#include "sim/simulation.h"

namespace {

using zuv::sim::RunStats;
using zuv::sim::Scenario;
using zuv::sim::Simulation;

Scenario RandomSeats(int n) {
  Scenario s;
  for (int i = 0; i < n; ++i) s.active[i] = true;
  return s;
}

Scenario TwoFixedWithFlop() {
  Scenario s;
  s.active[0] = s.active[1] = true;
  s.fixed[0] = {*zuv::sim::ParseCard("Ah"), *zuv::sim::ParseCard("Kh")};
  s.fixed[1] = {*zuv::sim::ParseCard("Qs"), *zuv::sim::ParseCard("Qd")};
  s.board = *zuv::sim::ParseCards("Qh9h2c");
  return s;
}

void Run(benchmark::State& state, const Scenario& scenario) {
  constexpr std::int64_t kHands = 1'000'000;
  Simulation simulation(scenario, 1);
  RunStats stats(scenario.ActiveCount());
  for (auto _ : state) {
    simulation.Play(kHands, stats);
    benchmark::DoNotOptimize(stats.WinRecord.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kHands);
}

void BM_TwoRandomSeats(benchmark::State& state) { Run(state, RandomSeats(2)); }
void BM_SixRandomSeats(benchmark::State& state) { Run(state, RandomSeats(6)); }
void BM_TenRandomSeats(benchmark::State& state) { Run(state, RandomSeats(10)); }
void BM_TwoFixedSeatsFixedFlop(benchmark::State& state) { Run(state, TwoFixedWithFlop()); }
BENCHMARK(BM_TwoRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SixRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoFixedSeatsFixedFlop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
