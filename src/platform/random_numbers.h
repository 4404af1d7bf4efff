#pragma once

#include <cstdint>

namespace zuv {

// The seeds of simulation runs. A run with a fixed seed restarts the sequence
// from that seed; a run without one continues it, so unseeded runs differ from
// each other and from the runs before. The sequence starts from the system's
// entropy, so two program starts give different unseeded runs.
class RandomNumbers {
 public:
  RandomNumbers();

  // Restarts the sequence from a seed as the seed field holds it: the next
  // run plays with that very seed (sim::SeedOfNumber), as zuvsim --seed does.
  void reset(double seed);
  // The seed of the next run.
  std::uint64_t next();
  // The seed that next() gave last (0 before the first run): what a run's
  // results name as their seed.
  std::uint64_t last() const { return last_; }

 private:
  std::uint64_t state_;
  std::uint64_t last_ = 0;
};

}  // namespace zuv
