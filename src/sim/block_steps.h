#pragma once
// A block of hands played in steps short enough that a progress display
// moves on slow tables too: narrow ranges at many seats, or weights that
// throw most draws back, can take seconds per block. Steps change no hand:
// Simulation::Play goes on in a block exactly where the last call left it,
// so only the moments progress is shown depend on the clock. Between two
// steps the caller may give the block up, which is how a stop is heard
// within a step rather than at the end of a block.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>

#include "sim/run_stats.h"
#include "sim/simulation.h"

namespace zuv::sim {

class BlockSteps {
 public:
  using Clock = std::chrono::steady_clock;
  // What a step takes at most once the table's pace is known: well inside
  // the second within which a watcher should see the count move.
  static constexpr std::chrono::milliseconds kStepTime{100};
  // The first step of a worker: one hand, as a hand of weighted ranges at
  // many seats can take a good part of a second. Steps at most double from
  // one to the next: the time of a hand varies a lot on such tables, and a
  // few fast hands are no promise for the next hundred.
  static constexpr std::int64_t kFirstStep = 1;

  // What a step played: its hands and the units each seat index won in them.
  struct Step {
    std::int64_t hands = 0;
    std::array<std::int64_t, RunStats::kSeats> won{};
  };
  // Called after each step once `stats` holds it; false gives the rest of
  // the block up.
  using AfterStep = std::function<bool(const Step& step)>;

  // `now` reads the clock; tests give one that runs as they say.
  explicit BlockSteps(std::function<Clock::time_point()> now = Clock::now) : now_(std::move(now)) {}

  // Whether the first `count` hands of the next block would be played in a
  // single step, at the pace so far: such a block cannot be given up.
  bool InOneStep(std::int64_t count) const { return NextStep() >= count; }

  // Plays the first `count` hands of block `block` into `stats`, as
  // Simulation::PlayBlock does, and calls `afterStep` after each step. Returns
  // false if `afterStep` gave the block up before its last hand: `stats` then
  // holds only part of the block, and is for the caller to throw away.
  bool PlayBlock(Simulation& simulation, std::int64_t block, std::int64_t count, RunStats& stats,
                 const AfterStep& afterStep);

 private:
  // The hands of the next step before the end of a block cuts it short.
  std::int64_t NextStep() const;

  std::function<Clock::time_point()> now_;
  // The pace so far: the hands of every step and the seconds they took.
  std::int64_t hands_ = 0;
  double seconds_ = 0;
  std::int64_t lastStep_ = 0;  // before the end of a block cut it short
};

}  // namespace zuv::sim
