#pragma once
// A uniform joint choice of one combination per range with no card twice,
// by counting: each range in turn takes a combination with probability
// proportional to the number of ways the later ranges can still be served.
// Exact for any ranges, and fast where drawing every range at random would
// mostly collide (many seats wanting the same few cards), as long as the
// counts fit in memory: they are remembered by the cards taken that later
// ranges could use.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "sim/hand_range.h"
#include "sim/random.h"

namespace zuv::sim {

class CountedChoice {
 public:
  // nullopt when counting needs more than `maxStates` remembered states (or
  // 16 times as many steps) or the number of joint choices passes 2^62.
  static std::optional<CountedChoice> Build(const std::vector<std::vector<Combo>>& ranges, std::size_t maxStates);

  // The number of joint choices.
  std::uint64_t Total() const { return total_; }

  // Writes the index of the chosen combination of each range to `pick`;
  // returns the cards taken as a mask of bits 1 << card. Total() must be > 0.
  std::uint64_t Choose(Random& random, std::uint32_t* pick) const;

 private:
  CountedChoice() = default;
  std::uint64_t Ways(std::size_t range, std::uint64_t used) const;

  std::vector<std::vector<std::uint64_t>> masks_;  // per range, per combination
  std::vector<std::uint64_t> later_;               // cards of ranges d.. onwards
  // Per range d: ways to serve ranges d.. given the cards taken (& later_[d]).
  std::vector<std::unordered_map<std::uint64_t, std::uint64_t>> ways_;
  std::uint64_t total_ = 0;
};

}  // namespace zuv::sim
