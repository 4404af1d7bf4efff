#include "sim/exact.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <mutex>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <vector>

#include "sim/exact_board_scorer.h"
#include "sim/exact_boards.h"
#include "sim/exact_combinations.h"
#include "sim/exact_cost.h"
#include "sim/exact_deals.h"
#include "sim/exact_unit_sample.h"
#include "sim/per_hand_exact.h"
#include "sim/split_mix64.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

using Clock = std::chrono::steady_clock;

// Tables of fewer deals finish within the time limit on any table shape:
// they are not measured.
constexpr std::uint64_t kMeasureFrom = 1'000'000'000;
constexpr std::chrono::milliseconds kMeasureTime{10};

// A worker hands its finished work to the total about this often; a stop
// drops the unfinished part since the last hand-over.
constexpr auto kCommitInterval = std::chrono::milliseconds(5);

int Cores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

// "about 2 h 05 min": a rough duration, a minute or more.
std::string AboutDuration(double seconds) {
  char buffer[64];
  const double minutes = seconds / 60, hours = minutes / 60;
  if (hours < 1) {
    std::snprintf(buffer, sizeof buffer, "about %.0f min", minutes);
  } else if (hours < 48) {
    std::snprintf(buffer, sizeof buffer, "about %.0f h %02.0f min", std::floor(hours), std::floor(std::fmod(minutes, 60)));
  } else {
    std::snprintf(buffer, sizeof buffer, "about %.0f days", hours / 24);
  }
  return buffer;
}

// "about 31,400,000,000,000 deals" or "about 3.1 x 10^22 deals": a count known to a few percent.
std::string AboutDeals(double deals) {
  if (deals < 1e18) {
    const double unit = std::pow(10.0, std::max(0.0, std::floor(std::log10(deals)) - 2));
    return "about " + GroupedCount(static_cast<std::uint64_t>(std::round(deals / unit) * unit));
  }
  const int exponent = static_cast<int>(std::floor(std::log10(deals)));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "about %.1f x 10^%d", deals / std::pow(10.0, exponent), exponent);
  return buffer;
}

// Whether the units won, summed with every deal's weight, could pass what
// the statistics' 64-bit counters hold: all seats together win a pot of the
// table's units (ExactDeals::unit) a deal, at the deal's weight.
bool WeightedSumsOverflow(const ExactDeals& deals) {
  if (!deals.weighted) return false;
  return static_cast<unsigned __int128>(WeighExactDeals(deals)) * static_cast<std::uint64_t>(deals.unit) >
         static_cast<unsigned __int128>(INT64_MAX);
}

// The table's deals for a run. Per-hand figures keep a pot in
// RunStats::kUnit, the unit their readers take, weighted or not.
ExactDeals PrepareRun(const Scenario& scenario, bool perHand) {
  ExactDeals deals = PrepareExactDeals(scenario);
  if (perHand) deals.unit = RunStats::kUnit;
  return deals;
}

// Why the prepared table cannot be enumerated, given its count; `perHand`
// times the board-by-board way with per-hand figures where it is taken.
std::optional<std::string> Refusal(const ExactDeals& deals, std::uint64_t count, bool byBoards, bool perHand) {
  if (count == 0) return "No deal fits the seats' cards and ranges, the board and the dead cards";
  if (count > kExactDealLimit) {
    const std::string countText =
        count == UINT64_MAX ? AboutDeals(EstimateExactDeals(deals)) : GroupedCount(count);
    return "Too many deals to enumerate exactly (" + countText + " deals, more than " +
           GroupedCount(kExactDealLimit) + "): run a sample instead";
  }
  if (WeightedSumsOverflow(deals)) {
    return "The weights make the exact sums of this table too large to count (" + GroupedCount(count) +
           " deals): run a sample instead, or give the weights fewer decimal places";
  }
  if (count < kMeasureFrom) return std::nullopt;
  // Counted by combinations, the time follows from the table's shape; board by board it is measured.
  const std::optional<double> byCombinations =
      byBoards ? std::nullopt : ExactCombinations::ExpectedSeconds(deals, count);
  const double seconds =
      (byCombinations ? *byCombinations
                      : MeasureSecondsPerDeal(deals, ExactBoards(deals), kMeasureTime, perHand) * static_cast<double>(count)) /
      Cores();
  if (seconds <= kExactSecondsLimit) return std::nullopt;
  return "Too many deals to enumerate exactly (" + GroupedCount(count) + " deals, " + AboutDuration(seconds) + " on " +
         std::to_string(Cores()) + (Cores() == 1 ? " core" : " cores") + "): run a sample instead";
}

// The work items in the run's random order.
std::vector<std::uint32_t> ShuffledItems(std::size_t count, std::uint64_t seed) {
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  SplitMix64 random(seed);
  for (std::size_t i = count; i > 1; --i) std::swap(order[i - 1], order[random.Next() % i]);
  return order;
}

// Calls options.progress with a copy of the statistics so far.
void ReportProgress(const ExactOptions& options, std::mutex& mutex, const RunStats& total) {
  RunStats snapshot;
  {
    const std::lock_guard lock(mutex);
    snapshot = total;
  }
  FillWinSums(snapshot);
  options.progress(snapshot);
}

// Runs work(true) on this thread, the one that reports progress, and work(false) on threads - 1 more.
template <typename Work>
void RunOnThreads(int threads, Work& work) {
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, false);
  work(true);
  for (auto& thread : pool) thread.join();
}

// The result of `deals` enumerated of `count`, the work done in `units` of
// `allUnits` (a sample of them if the run stopped).
ExactResult Result(RunStats total, std::int64_t deals, std::uint64_t count, const ExactUnitSample& sample,
                   std::size_t allUnits) {
  ExactResult result;
  FillWinSums(total);
  result.deals = deals;
  result.totalDeals = static_cast<std::int64_t>(count);
  result.complete = static_cast<std::uint64_t>(deals) == count;
  for (int p = 0; p < RunStats::kSeats; ++p) {
    result.winRateSe[p] = result.complete ? 0.0 : sample.StandardError(p, static_cast<std::int64_t>(allUnits), total.unit);
  }
  result.stats = std::move(total);
  return result;
}

// The standard errors of the per-hand win rates, from `sample` of `allUnits` work units.
void FillPerHandErrors(ExactResult& result, const PerHandUnitSample& sample, std::size_t allUnits) {
  const std::int64_t units = sample.Units();
  const auto all = static_cast<std::int64_t>(allUnits);
  result.perHandSe.resize(result.stats.perHand.held.size());
  for (std::size_t e = 0; e < result.perHandSe.size(); ++e) result.perHandSe[e] = sample.ComboError(e, units, all);
  result.perClassSe.resize(result.stats.perHand.seats.size() * kStartHandClasses);
  for (std::size_t e = 0; e < result.perClassSe.size(); ++e) {
    result.perClassSe[e] = sample.ClassError(static_cast<int>(e / kStartHandClasses),
                                             static_cast<int>(e % kStartHandClasses) + 1, units, all);
  }
}

// Tables counted by the seats' joint combinations (ExactCombinations): each
// class is a unit of work of well under a millisecond, taken in the seed's
// random order, so that the classes done when a run stops are a random
// sample of them. A stop is heard between classes. Per-hand figures go
// straight to each way's combinations, so they need no spreading over the
// suits, and a class is a unit of their sample as of the seats'.
ExactResult ByCombinations(const ExactDeals& deals, std::uint64_t count, const ExactCombinations& combinations,
                           const ExactStop& stop, const ExactOptions& options) {
  const std::vector<std::uint32_t> order = ShuffledItems(combinations.ClassCount(), options.seed);
  // A thread for a handful of classes costs more than it saves.
  constexpr std::size_t kClassesPerThread = 8;
  const int threads = static_cast<int>(std::clamp<std::size_t>(
      static_cast<std::size_t>(options.threads > 0 ? options.threads : Cores()), 1,
      std::max<std::size_t>(order.size() / kClassesPerThread, 1)));
  const int seats = deals.SeatCount();
  const std::vector<int> dealtSeats = options.perHand ? DealtSeats(deals) : std::vector<int>();
  auto emptyStats = [&] {
    RunStats stats(seats, deals.unit);
    if (options.perHand) stats.perHand = PerHandStats(dealtSeats);
    return stats;
  };
  // Every combination its own orbit: the ways' figures are not spread.
  constexpr std::array<int, 4> kSuitsApart{0, 1, 2, 3};
  auto emptyHandSample = [&] {
    return options.perHand ? PerHandUnitSample(static_cast<int>(dealtSeats.size()), kSuitsApart)
                           : PerHandUnitSample();
  };
  std::mutex mutex;
  RunStats total = emptyStats();  // guarded by mutex
  std::int64_t totalDeals = 0;  // guarded by mutex
  ExactUnitSample sample;  // guarded by mutex
  PerHandUnitSample handSample = emptyHandSample();  // guarded by mutex
  std::atomic<std::size_t> nextClass{0};
  auto work = [&](bool reportsProgress) {
    RunStats pending = emptyStats();
    ExactUnitSample pendingSample;
    PerHandUnitSample pendingHandSample = emptyHandSample();
    std::int64_t pendingDeals = 0;
    FixedSeatWork fixedSeatWork;
    auto commit = [&] {
      const std::lock_guard lock(mutex);
      total.Add(pending);
      totalDeals += pendingDeals;
      sample.Add(pendingSample);
      if (options.perHand) handSample.TakeUnits(pendingHandSample);
      pending = emptyStats();
      pendingSample = {};
      pendingDeals = 0;
    };
    auto lastCommit = Clock::now(), lastProgress = lastCommit;
    for (std::size_t i = nextClass++; i < order.size() && !stop.Now(); i = nextClass++) {
      const std::int64_t handsBefore = pending.hands;
      std::array<std::int64_t, 10> won{};
      const std::int64_t classDeals = combinations.Score(order[i], pending, won, fixedSeatWork);
      pendingDeals += classDeals;
      pendingSample.Add(pending.hands - handsBefore, won);
      if (options.perHand) {
        combinations.VisitPerHand(order[i], fixedSeatWork, [&](std::size_t entry, std::int64_t held, std::int64_t units) {
          pending.perHand.held[entry] += held;
          pending.perHand.won[entry] += units;
          pendingHandSample.Note(entry, held, units);
        });
        pendingHandSample.EndUnit();
      }
      if (options.dealsDone) options.dealsDone->fetch_add(classDeals, std::memory_order_relaxed);
      const auto now = Clock::now();
      if (now - lastCommit < kCommitInterval) continue;
      commit();
      lastCommit = now;
      if (reportsProgress && options.progress && now - lastProgress >= options.progressInterval) {
        ReportProgress(options, mutex, total);
        lastProgress = now;
      }
    }
    commit();
  };
  RunOnThreads(threads, work);
  ExactResult result = Result(std::move(total), totalDeals, count, sample, order.size());
  if (options.perHand) {
    if (!result.complete) {
      // Each class holds a few of a seat's combinations: judge each over the classes that hold it.
      PerHandUnitSample population = emptyHandSample();
      for (std::size_t i = 0; i < order.size(); ++i) {
        combinations.VisitPerHandEntries(i, [&](std::size_t entry, const auto&, int) { population.Note(entry, 1, 0); });
        population.EndUnit();
      }
      handSample.JudgeWithin(population);
    }
    FillPerHandErrors(result, handSample, order.size());
  }
  return result;
}

}  // namespace

std::string GroupedCount(std::uint64_t count) {
  std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

WinFraction ExactWinRate(const RunStats& stats, int seat) {
  if (stats.hands == 0) return {};
  const std::int64_t units = stats.WinRecord[seat - 1];
  const std::int64_t all = stats.unit * stats.hands;
  const std::int64_t divisor = std::gcd(units, all);
  return {units / divisor, all / divisor};
}

std::uint64_t CountDeals(const Scenario& scenario) { return CountExactDeals(PrepareExactDeals(scenario)); }

std::optional<std::string> ExactProblem(const Scenario& scenario, bool perHand) {
  if (auto problem = CheckScenario(scenario)) return problem;
  const ExactDeals deals = PrepareRun(scenario, perHand);
  return Refusal(deals, CountExactDeals(deals), false, perHand);
}

ExactResult Enumerate(const Scenario& scenario, const ExactOptions& options) {
  if (auto problem = CheckScenario(scenario)) throw std::invalid_argument(*problem);
  const ExactDeals deals = PrepareRun(scenario, options.perHand);
  const std::uint64_t count = CountExactDeals(deals);
  // The time a table would take is the caller's to judge (ExactProblem), before
  // it asks for the run: a second measurement here could disagree with the
  // first on a busy machine and refuse a run the user was promised.
  if (count == 0 || count > kExactDealLimit || WeightedSumsOverflow(deals)) {
    throw std::invalid_argument(*Refusal(deals, count, options.byBoards, options.perHand));
  }
  if (options.dealsTotal) options.dealsTotal->store(static_cast<std::int64_t>(count));
  ExactStop stop;
  stop.flag = options.stop;
  if (options.timeLimit.count() > 0) stop.deadline = Clock::now() + options.timeLimit;
  if (!options.byBoards) {
    if (const auto combinations = ExactCombinations::Of(deals, count)) {
      return ByCombinations(deals, count, *combinations, stop, options);
    }
  }
  const ExactBoards boards(
      deals, ExactBoardScorer::GroupsLastWithPerHand(deals, options.perHand) ? ExactBoardScorer::kGroupedItemBoards : 1);

  const std::vector<std::uint32_t> order = ShuffledItems(boards.ItemCount(), options.seed);
  const int seats = deals.SeatCount();
  int threads = options.threads > 0 ? options.threads : Cores();
  threads = static_cast<int>(std::clamp<std::size_t>(static_cast<std::size_t>(threads), 1, order.size()));

  // A fresh RunStats, with per-hand figures when asked for.
  const std::vector<int> dealtSeats = DealtSeats(deals);
  auto emptyStats = [&] {
    RunStats stats(seats, deals.unit);
    if (options.perHand) stats.perHand = PerHandStats(dealtSeats);
    return stats;
  };
  std::mutex mutex;
  RunStats total = emptyStats();  // guarded by mutex; hands: the deals' weights summed
  std::int64_t totalDeals = 0;  // guarded by mutex
  ExactUnitSample sample;  // guarded by mutex
  // Per-hand figures take each item as one unit, as the seats' totals do: a
  // unit per hand-over would leave a run stopped after a few hand-overs
  // with a handful of units, too few to judge their spread.
  auto emptyHandSample = [&] {
    return options.perHand ? PerHandUnitSample(static_cast<int>(dealtSeats.size()), boards.SuitBlocks())
                           : PerHandUnitSample();
  };
  PerHandUnitSample handSample = emptyHandSample();  // guarded by mutex
  std::atomic<std::size_t> nextItem{0};

  auto work = [&](bool reportsProgress) {
    ExactBoardScorer scorer(deals, stop, options.perHand);
    // The items finished since the last hand-over, and their live count.
    RunStats pending = emptyStats();
    ExactUnitSample pendingSample;
    PerHandUnitSample pendingHandSample = emptyHandSample();
    std::int64_t reported = 0, unreported = 0, pendingDeals = 0;
    bool commitDue = false;
    int sincePoll = 0;
    auto lastCommit = Clock::now(), lastProgress = lastCommit;
    auto commit = [&] {
      if (options.dealsDone) options.dealsDone->fetch_add(unreported, std::memory_order_relaxed);
      unreported = 0;
      {
        const std::lock_guard lock(mutex);
        total.Add(pending);
        totalDeals += pendingDeals;
        sample.Add(pendingSample);
        if (options.perHand) handSample.TakeUnits(pendingHandSample);
      }
      pendingDeals = 0;
      // Cleared in place: a fresh RunStats would cost an allocation of 120 KB each time.
      pending.hands = 0;
      std::fill(pending.WinStat2.begin(), pending.WinStat2.end(), 0);
      std::fill(pending.Statistic.begin(), pending.Statistic.end(), 0);
      std::fill(pending.perHand.held.begin(), pending.perHand.held.end(), 0);
      std::fill(pending.perHand.won.begin(), pending.perHand.won.end(), 0);
      pendingSample = {};
      reported = 0;
      commitDue = false;
    };
    // Every few boards: raise the live count, hand over, report progress.
    auto poll = [&] {
      if (options.dealsDone) options.dealsDone->fetch_add(unreported, std::memory_order_relaxed);
      reported += unreported;
      unreported = 0;
      const auto now = Clock::now();
      if (now - lastCommit >= kCommitInterval) {
        commitDue = true;
        lastCommit = now;
      }
      if (reportsProgress && options.progress && now - lastProgress >= options.progressInterval) {
        ReportProgress(options, mutex, total);
        lastProgress = now;
      }
    };
    // Often enough to hear a stop within milliseconds, seldom enough that
    // the clock is not read for every small board.
    constexpr int kBoardsPerPoll = 256;
    constexpr std::int64_t kDealsPerPoll = 1 << 16;
    std::size_t next = 0, batchEnd = 0;
    while (!scorer.Stopped()) {
      if (next == batchEnd) {
        // Items in batches while many are left: the shared counter is a
        // contended cache line, dear next to the many items of a few boards.
        const std::size_t left = order.size() - std::min(order.size(), nextItem.load(std::memory_order_relaxed));
        const std::size_t batch = std::clamp<std::size_t>(left / (64 * static_cast<std::size_t>(threads)), 1, 16);
        next = nextItem.fetch_add(batch, std::memory_order_relaxed);
        batchEnd = std::min(next + batch, order.size());
        if (next >= order.size()) break;
      }
      std::int64_t itemDeals = 0;
      const std::int64_t handsBefore = pending.hands;
      boards.VisitItem(order[next++], [&](const BoardCompletion& completion) {
        if (scorer.Stopped()) return;
        const std::int64_t done = scorer.Score(completion, pending);
        itemDeals += done;
        unreported += done;
        if (++sincePoll == kBoardsPerPoll || unreported >= kDealsPerPoll) {
          sincePoll = 0;
          if (stop.Now()) {
            scorer.Stop();
          } else {
            poll();
          }
        }
      });
      if (scorer.Stopped()) break;
      pendingDeals += itemDeals;
      // The sample weighs each item by its deals' weights, as the win rates do.
      pendingSample.Add(pending.hands - handsBefore, scorer.TakeSeatUnits(pending));
      if (options.perHand) {
        scorer.TakePerHandItem([&](std::size_t entry, std::int64_t held, std::int64_t won) {
          pending.perHand.held[entry] += held;
          pending.perHand.won[entry] += won;
          pendingHandSample.NoteOnce(entry, held, won);  // each entry once an item
        });
        pendingHandSample.EndUnit();
      }
      if (commitDue) commit();
    }
    if (scorer.Stopped()) {
      // An item left half done is no sample of anything: drop what is not handed over.
      if (options.dealsDone) options.dealsDone->fetch_sub(reported, std::memory_order_relaxed);
      return;
    }
    commit();
  };
  RunOnThreads(threads, work);

  ExactResult result = Result(std::move(total), totalDeals, count, sample, order.size());
  if (options.perHand) {
    SpreadOverSuitSymmetry(result.stats.perHand, boards.SuitBlocks());
    FillPerHandErrors(result, handSample, order.size());
  }
  return result;
}

}  // namespace zuv::sim
