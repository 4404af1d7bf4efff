#include "sim/exact.h"

#include <algorithm>
#include <mutex>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <vector>

#include "sim/exact_deals.h"
#include "sim/exact_board_scorer.h"
#include "sim/exact_boards.h"

namespace zuv::sim {

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
  const std::int64_t all = RunStats::kUnit * stats.hands;
  const std::int64_t divisor = std::gcd(units, all);
  return {units / divisor, all / divisor};
}

std::uint64_t CountDeals(const Scenario& scenario) { return CountExactDeals(PrepareExactDeals(scenario)); }

std::optional<std::string> ExactProblem(const Scenario& scenario) {
  if (auto problem = CheckScenario(scenario)) return problem;
  const std::uint64_t deals = CountDeals(scenario);
  if (deals == 0) return "No deal fits the seats' cards and ranges, the board and the dead cards";
  if (deals > kExactDealLimit) {
    const std::string count = deals == UINT64_MAX ? "far more than " + GroupedCount(kExactDealLimit)
                                                  : GroupedCount(deals) + ", more than " + GroupedCount(kExactDealLimit);
    return "Too many deals to enumerate exactly (" + count + "): run a sample instead";
  }
  return std::nullopt;
}

ExactResult Enumerate(const Scenario& scenario, const ExactOptions& options) {
  if (auto problem = ExactProblem(scenario)) throw std::invalid_argument(*problem);
  const ExactDeals deals = PrepareExactDeals(scenario);
  const ExactBoards boards(deals);
  const int seats = deals.SeatCount();
  int threads = options.threads > 0 ? options.threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = static_cast<int>(std::clamp<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), 1,
                                                      boards.ItemCount()));

  using Clock = std::chrono::steady_clock;
  std::mutex mutex;
  RunStats total(seats);  // guarded by mutex
  std::atomic<std::size_t> nextItem{0};
  // Merging a thread's statistics into the total costs a pass over them: not
  // every board, but often enough for the progress snapshots.
  const auto mergeInterval = options.progressInterval / 2;

  auto work = [&](bool reportsProgress) {
    ExactBoardScorer scorer(deals, options.stop);
    RunStats local(seats);
    std::int64_t unreported = 0;
    int sincePoll = 0;
    bool stopped = false;
    auto lastMerge = Clock::now(), lastProgress = lastMerge;
    auto merge = [&] {
      const std::lock_guard lock(mutex);
      total.Add(local);
      local = RunStats(seats);
    };
    // Every few boards: hear a stop, raise the live count, share the statistics.
    auto poll = [&] {
      stopped = options.stop && options.stop->load(std::memory_order_relaxed);
      if (options.dealsDone) options.dealsDone->fetch_add(unreported, std::memory_order_relaxed);
      unreported = 0;
      const auto now = Clock::now();
      if (now - lastMerge >= mergeInterval) {
        merge();
        lastMerge = now;
      }
      if (reportsProgress && options.progress && now - lastProgress >= options.progressInterval) {
        RunStats snapshot;
        {
          const std::lock_guard lock(mutex);
          snapshot = total;
        }
        FillWinSums(snapshot);
        options.progress(snapshot);
        lastProgress = now;
      }
    };
    constexpr int kBoardsPerPoll = 16;
    while (!stopped) {
      const std::size_t item = nextItem.fetch_add(1, std::memory_order_relaxed);
      if (item >= boards.ItemCount()) break;
      boards.VisitItem(item, [&](const BoardCompletion& completion) {
        if (stopped) return;
        unreported += scorer.Score(completion, local);
        if (++sincePoll == kBoardsPerPoll) {
          sincePoll = 0;
          poll();
        }
      });
    }
    if (options.dealsDone) options.dealsDone->fetch_add(unreported, std::memory_order_relaxed);
    merge();
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, false);
  work(true);
  for (auto& thread : pool) thread.join();

  ExactResult result;
  FillWinSums(total);
  result.deals = total.hands;
  result.complete = static_cast<std::uint64_t>(result.deals) == CountExactDeals(deals);
  result.stats = std::move(total);
  return result;
}

}  // namespace zuv::sim
