#include "sim/block_steps.h"

#include <algorithm>
#include <limits>

namespace zuv::sim {

std::int64_t BlockSteps::NextStep() const {
  // What the step time holds at the pace so far, in floating point first:
  // on a fast table it can be far beyond any block (or infinite while the
  // clock has not moved).
  const double pace = seconds_ > 0 ? static_cast<double>(hands_) / seconds_ : std::numeric_limits<double>::infinity();
  const double paced = pace * std::chrono::duration<double>(kStepTime).count();
  std::int64_t step = lastStep_ == 0 ? kFirstStep : std::min(2 * lastStep_, Simulation::kBlockHands);
  if (paced < static_cast<double>(step)) step = std::max<std::int64_t>(1, static_cast<std::int64_t>(paced));
  return step;
}

bool BlockSteps::PlayBlock(Simulation& simulation, std::int64_t block, std::int64_t count, RunStats& stats,
                           const AfterStep& afterStep) {
  for (std::int64_t played = 0; played < count;) {
    std::int64_t step = NextStep();
    // The end of a block cuts a step short, but not the pace the next one grows from.
    lastStep_ = step;
    step = std::min(step, count - played);
    Step done{step, stats.WinRecord};
    const auto start = now_();
    if (played == 0) {
      simulation.PlayBlock(block, step, stats);
    } else {
      simulation.Play(step, stats);
    }
    seconds_ += std::chrono::duration<double>(now_() - start).count();
    hands_ += step;
    played += step;
    for (int p = 0; p < RunStats::kSeats; ++p) done.won[p] = stats.WinRecord[p] - done.won[p];
    if (!afterStep(done) && played < count) return false;
  }
  return true;
}

}  // namespace zuv::sim
