// Exact enumeration of whole scenarios, on 1 and 2 threads. Every run's
// statistics are consumed; the deal count is reported as items.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string_view>
#include <vector>

#include "sim/card.h"
#include "sim/exact.h"
#include "sim/hand_range.h"

namespace {

using zuv::sim::Scenario;

// Each seat: two cards or a range.
Scenario Table(const std::vector<std::string_view>& seats, std::string_view board = "",
               std::string_view dead = "") {
  Scenario s;
  s.board = *zuv::sim::ParseCards(board);
  s.dead = *zuv::sim::ParseCards(dead);
  int i = 0;
  for (std::string_view seat : seats) {
    s.active[i] = true;
    if (auto cards = zuv::sim::ParseCards(seat); cards && cards->size() == 2) {
      s.fixed[i] = {(*cards)[0], (*cards)[1]};
    } else if (seat != "random") {
      auto range = zuv::sim::ParseRange(seat);
      if (!range.problem.empty()) throw std::invalid_argument(range.problem);
      s.SetRange(i, range);
    }
    ++i;
  }
  return s;
}

void Run(benchmark::State& state, const Scenario& scenario, bool perHand = false) {
  zuv::sim::ExactOptions options;
  options.threads = static_cast<int>(state.range(0));
  options.perHand = perHand;
  std::int64_t deals = 0;
  for (auto _ : state) {
    const auto result = zuv::sim::Enumerate(scenario, options);
    benchmark::DoNotOptimize(result.stats.WinRecord.data());
    deals = result.deals;
  }
  state.SetItemsProcessed(state.iterations() * deals);
  state.counters["deals"] = static_cast<double>(deals);
}

void BM_PairAgainstPair(benchmark::State& state) { Run(state, Table({"AhAc", "KdKs"})); }
void BM_TwoRanges(benchmark::State& state) { Run(state, Table({"QQ+,AKs", "JJ-99,AQs+,KQs"})); }
void BM_PairAgainstRandom(benchmark::State& state) { Run(state, Table({"AhAc", "random"})); }
void BM_ThreeRanges(benchmark::State& state) {
  Run(state, Table({"AA,KK,QQ,AK", "AK,AQ,KQs", "JJ,TT,AJs+"}));
}
// The first `seats` of six seats with ranges over the same cards, on 2c3d4h5s with Ac dead.
Scenario RangesOnTheTurn(int seats) {
  const std::vector<std::string_view> ranges{"JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ", "JJ+,AJ+,KJ+,QJ",
                                             "AA,KK,AKs",      "QJ,JJ",          "AJ,KJ"};
  return Table({ranges.begin(), ranges.begin() + seats}, "2c3d4h5s", "Ac");
}
// Six seats with ranges over the same cards: the cost per deal of many seats.
void BM_SixRangesOnTheTurn(benchmark::State& state) { Run(state, RangesOnTheTurn(6)); }
// Two to six of those seats on one thread: what each seat adds to the cost of a deal.
void BM_SeatsOnTheTurn(benchmark::State& state) { Run(state, RangesOnTheTurn(static_cast<int>(state.range(1)))); }
// The same two ranges with weights: every deal counts the product of its seats' weights.
void BM_TwoWeightedRanges(benchmark::State& state) {
  Run(state, Table({"QQ+:0.5,AKs", "JJ-99:0.75,AQs+,KQs:0.25"}));
}
void BM_ThreeWeightedRanges(benchmark::State& state) {
  Run(state, Table({"AA,KK:0.5,QQ,AK:0.25", "AK,AQ:0.75,KQs", "JJ:0.5,TT,AJs+"}));
}
// Per-hand figures of every ranged or random seat, counted within the enumeration.
void BM_TwoRangesPerHand(benchmark::State& state) { Run(state, Table({"QQ+,AKs", "JJ-99,AQs+,KQs"}), true); }
void BM_ThreeRangesPerHand(benchmark::State& state) {
  Run(state, Table({"AA,KK,QQ,AK", "AK,AQ,KQs", "JJ,TT,AJs+"}), true);
}
void BM_PairAgainstRandomOnTheFlopPerHand(benchmark::State& state) {
  Run(state, Table({"AhAc", "random"}, "Kd7s2c"), true);
}
void BM_PairAgainstRandomOnTheFlop(benchmark::State& state) { Run(state, Table({"AhAc", "random"}, "Kd7s2c")); }
// Any two cards preflop, counted by combinations with per-hand figures or without.
void BM_PairAgainstRandomPerHand(benchmark::State& state) { Run(state, Table({"AhAc", "random"}), true); }
void BM_PairRangeAndRandom(benchmark::State& state) { Run(state, Table({"AhKh", "QQ+,AKs,AQs", "random"})); }
void BM_PairRangeAndRandomPerHand(benchmark::State& state) {
  Run(state, Table({"AhKh", "QQ+,AKs,AQs", "random"}), true);
}
void BM_SixRangesOnTheTurnPerHand(benchmark::State& state) { Run(state, RangesOnTheTurn(6), true); }
// Two random seats go board by board, the last one counted by the values of its cards.
void BM_PairAndTwoRandomOnTheFlop(benchmark::State& state) {
  Run(state, Table({"AhAc", "random", "random"}, "2c3d4h"), state.range(1) != 0);
}
// Many boards of few deals each: what each board costs weighs most.
void BM_PairsAndRandomPreflop(benchmark::State& state) {
  Run(state, Table({"AhAc", "KdKs", "QQ", "random"}), state.range(1) != 0);
}
BENCHMARK(BM_PairAgainstPair)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TwoRanges)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairAgainstRandom)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeRanges)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TwoWeightedRanges)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeWeightedRanges)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SixRangesOnTheTurn)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TwoRangesPerHand)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeRangesPerHand)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairAgainstRandomOnTheFlop)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairAgainstRandomOnTheFlopPerHand)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairAgainstRandomPerHand)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairRangeAndRandom)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PairRangeAndRandomPerHand)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SixRangesOnTheTurnPerHand)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
// {threads, per-hand figures}
BENCHMARK(BM_PairAndTwoRandomOnTheFlop)->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairsAndRandomPreflop)->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);
// {threads, seats}
BENCHMARK(BM_SeatsOnTheTurn)->ArgsProduct({{1}, {2, 3, 4, 5, 6}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
