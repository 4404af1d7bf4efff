// What keeping per-hand results costs a sampled run: the same tables with
// and without them, one thread, fixed seeds. Run with repetitions and compare
// the medians of each Off/On pair.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "sim/card.h"
#include "sim/hand_range.h"
#include "sim/simulation.h"

namespace {

using zuv::sim::RunStats;
using zuv::sim::Scenario;
using zuv::sim::Simulation;

// Seats 1..n: two cards, or a range ("random" for any two cards).
Scenario Table(const std::vector<std::string_view>& seats) {
  Scenario s;
  for (std::size_t i = 0; i < seats.size(); ++i) {
    s.active[i] = true;
    if (seats[i] == "random") continue;
    if (const auto cards = zuv::sim::ParseCards(seats[i]); cards && cards->size() == 2) {
      s.fixed[i] = {(*cards)[0], (*cards)[1]};
    } else {
      s.range[i] = zuv::sim::ParseRange(seats[i]).combos;
    }
  }
  return s;
}

void Run(benchmark::State& state, const Scenario& scenario) {
  constexpr std::int64_t kHands = 1'000'000;
  Simulation simulation(scenario, 1);
  if (state.range(0)) simulation.KeepPerHand();
  RunStats stats;
  for (auto _ : state) {
    simulation.Play(kHands, stats);
    benchmark::DoNotOptimize(stats.WinRecord.data());
    benchmark::DoNotOptimize(stats.perHand.won.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kHands);
}

void BM_TwoRandomSeats(benchmark::State& state) { Run(state, Table({"random", "random"})); }
void BM_AcesAgainstRandomSeat(benchmark::State& state) { Run(state, Table({"AsAh", "random"})); }
void BM_RangeAgainstRandomSeat(benchmark::State& state) { Run(state, Table({"QQ+,AKs", "random"})); }
void BM_FixedAgainstRangeOnFlop(benchmark::State& state) {
  Scenario s = Table({"AhKh", "QQ+,AKs,JTs", "random"});
  s.board = *zuv::sim::ParseCards("Qh7c2h");
  Run(state, s);
}
void BM_TenRandomSeats(benchmark::State& state) {
  Run(state, Table({"random", "random", "random", "random", "random", "random", "random", "random", "random", "random"}));
}
// Argument 0: per-hand results off, 1: on.
BENCHMARK(BM_TwoRandomSeats)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AcesAgainstRandomSeat)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeAgainstRandomSeat)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FixedAgainstRangeOnFlop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenRandomSeats)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
