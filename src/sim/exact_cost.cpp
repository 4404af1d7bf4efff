#include "sim/exact_cost.h"

#include <time.h>

#include <algorithm>
#include <cstdint>

#include "sim/exact_board_scorer.h"
#include "sim/split_mix64.h"

namespace zuv::sim {

namespace {

// This thread's processor time: a busy machine slows the wall clock, not the cost.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

}  // namespace

double MeasureSecondsPerDeal(const ExactDeals& deals, const ExactBoards& boards,
                             std::chrono::milliseconds budget, bool perHand) {
  // The budget is processor time, so that a busy machine does not cut the
  // measurement short; the wall clock only ends a board that alone takes long.
  ExactStop stop;
  stop.deadline = std::chrono::steady_clock::now() + 10 * budget;
  ExactBoardScorer scorer(deals, stop, perHand);
  RunStats scratch(deals.SeatCount());
  if (perHand) scratch.perHand = PerHandStats(DealtSeats(deals));
  SplitMix64 random(0xC057);
  const double start = ThreadSeconds();
  const double seconds = std::chrono::duration<double>(budget).count();
  double spent = 0;
  std::int64_t scored = 0;
  // Whole items at random (a board cut short still counts the deals it
  // did), so that cheap and dear parts of the table mix as in a run.
  while (!scorer.Stopped() && spent < seconds) {
    boards.VisitItem(random.Next() % boards.ItemCount(), [&](const BoardCompletion& completion) {
      if (!scorer.Stopped()) scored += scorer.Score(completion, scratch);
    });
    spent = ThreadSeconds() - start;
  }
  return spent / static_cast<double>(std::max<std::int64_t>(scored, 1));
}
}  // namespace zuv::sim
