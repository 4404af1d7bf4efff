#include "sim/block_steps.h"

#include <algorithm>
#include <limits>

namespace zuv::sim {

void BlockSteps::PlayBlock(Simulation& simulation, std::int64_t block, std::int64_t count, RunStats& stats,
                           const std::function<void(std::int64_t hands)>& afterStep) {
  for (std::int64_t played = 0; played < count;) {
    const std::int64_t left = count - played;
    // In floating point first: a fast table's pace times the step time can be
    // far beyond any block (or infinite when the clock did not move).
    const double paced = handsPerSecond_ * std::chrono::duration<double>(kStepTime).count();
    std::int64_t step = kFirstStep;
    if (handsPerSecond_ > 0) {
      step = paced >= static_cast<double>(left) ? left : std::max<std::int64_t>(1, static_cast<std::int64_t>(paced));
    }
    step = std::min(step, left);
    const auto start = now_();
    if (played == 0) {
      simulation.PlayBlock(block, step, stats);
    } else {
      simulation.Play(step, stats);
    }
    const double seconds = std::chrono::duration<double>(now_() - start).count();
    handsPerSecond_ = seconds > 0 ? static_cast<double>(step) / seconds : std::numeric_limits<double>::infinity();
    played += step;
    afterStep(step);
  }
}

}  // namespace zuv::sim
