// Simulated hands per second on one thread, with every statistic of the run
// kept (WinRecord, WinStat, WinStat2, Statistic), fixed seeds.
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

Scenario RandomSeats(int n) {
  Scenario s;
  for (int i = 0; i < n; ++i) s.active[i] = true;
  return s;
}

Scenario AcesAgainstRandomSeat() {
  Scenario s = RandomSeats(2);
  s.fixed[0] = {*zuv::sim::ParseCard("As"), *zuv::sim::ParseCard("Ah")};
  return s;
}

// Two fixed seats, cards as "AsAh", and a fixed board ("" = none).
Scenario TwoFixed(std::string_view first, std::string_view second, std::string_view board) {
  Scenario s;
  s.active[0] = s.active[1] = true;
  s.fixed[0] = {*zuv::sim::ParseCard(first.substr(0, 2)), *zuv::sim::ParseCard(first.substr(2))};
  s.fixed[1] = {*zuv::sim::ParseCard(second.substr(0, 2)), *zuv::sim::ParseCard(second.substr(2))};
  s.board = *zuv::sim::ParseCards(board);
  return s;
}

// Seats 1..n holding the given ranges ("" = any two cards).
Scenario Ranges(const std::vector<std::string_view>& ranges) {
  Scenario s;
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    s.active[i] = true;
    if (!ranges[i].empty()) s.SetRange(static_cast<int>(i), zuv::sim::ParseRange(ranges[i]));
  }
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
void BM_AcesAgainstRandomSeat(benchmark::State& state) { Run(state, AcesAgainstRandomSeat()); }
void BM_SixRandomSeats(benchmark::State& state) { Run(state, RandomSeats(6)); }
void BM_TenRandomSeats(benchmark::State& state) { Run(state, RandomSeats(10)); }
void BM_TwoFixedSeatsFixedFlop(benchmark::State& state) { Run(state, TwoFixed("AhKh", "QsQd", "Qh9h2c")); }
void BM_TwoFixedSeats(benchmark::State& state) { Run(state, TwoFixed("AsAh", "KsKh", "")); }
// Two suited cards on the flop: flushes come and go at random.
void BM_TwoFixedSeatsTwoSuitedFlop(benchmark::State& state) { Run(state, TwoFixed("AsKs", "QdQc", "2c4c5h")); }
// Narrow ranges that share cards: most independent draws would collide.
void BM_TwoOverlappingRanges(benchmark::State& state) { Run(state, Ranges({"AA,KK", "AK,AA"})); }
void BM_ThreeOverlappingRanges(benchmark::State& state) {
  Run(state, Ranges({"AA,KK,QQ", "AK,AQ", "KK,QQ,AKs"}));
}
void BM_RangeAgainstRandomSeat(benchmark::State& state) { Run(state, Ranges({"QQ+,AKs", ""})); }
// Tight multiway tables: almost every independent deal collides.
void BM_TenSeatsOnTwentyCards(benchmark::State& state) {
  Run(state, Ranges(std::vector<std::string_view>(10, "TT+,AQs+,AKo")));
}
void BM_TenSeatsOnTwentyCardsWeighted(benchmark::State& state) {
  Run(state, Ranges(std::vector<std::string_view>(10, "TT+:0.8,AQs+,AKo:0.35,AKs:0.5")));
}
void BM_EightSeatsOnSixteenCards(benchmark::State& state) {
  Run(state, Ranges(std::vector<std::string_view>(8, "JJ+,AJ+,KJ+,QJ")));
}
void BM_EightSeatsOnSixteenCardsWeighted(benchmark::State& state) {
  Run(state, Ranges({"JJ+,AJ+,KJ+,QJ:0.3", "JJ+", "AK,QQ+:0.25", "JJ+,AJ+,KJ+,QJ", "JJ+,AJ+:0.6,KJ+,QJ", "JJ+,AJ+,KJ+,QJ",
                     "JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ"}));
}
// Wide ranges whose weights want the aces above all: drawn in proportion to
// the weights, five seats would mostly collide on them.
void BM_FiveSeatsWantingAcesWeighted(benchmark::State& state) {
  Run(state, Ranges(std::vector<std::string_view>(5, "AA:1,KK-22:0.001,AK-32:0.001")));
}
BENCHMARK(BM_TwoRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AcesAgainstRandomSeat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SixRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenRandomSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoFixedSeatsFixedFlop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoFixedSeats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoFixedSeatsTwoSuitedFlop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoOverlappingRanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeOverlappingRanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeAgainstRandomSeat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenSeatsOnTwentyCards)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenSeatsOnTwentyCardsWeighted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EightSeatsOnSixteenCards)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EightSeatsOnSixteenCardsWeighted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FiveSeatsWantingAcesWeighted)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
