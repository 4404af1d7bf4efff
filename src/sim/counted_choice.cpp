#include "sim/counted_choice.h"

#include <functional>

namespace zuv::sim {

namespace {

constexpr std::uint64_t kMostWays = std::uint64_t{1} << 62;

// Uniform in [0, n) for 1 <= n < 2^64, exactly unbiased (Lemire's method).
std::uint64_t Below64(Random& random, std::uint64_t n) {
  unsigned __int128 m = static_cast<unsigned __int128>(random.Next64()) * n;
  auto low = static_cast<std::uint64_t>(m);
  if (low < n) {
    const std::uint64_t threshold = (0 - n) % n;
    while (low < threshold) {
      m = static_cast<unsigned __int128>(random.Next64()) * n;
      low = static_cast<std::uint64_t>(m);
    }
  }
  return static_cast<std::uint64_t>(m >> 64);
}

}  // namespace

std::optional<CountedChoice> CountedChoice::Build(const std::vector<std::vector<Combo>>& ranges,
                                                  std::size_t maxStates) {
  CountedChoice choice;
  const std::size_t n = ranges.size();
  for (const auto& range : ranges) {
    choice.masks_.emplace_back();
    for (const auto& c : range) choice.masks_.back().push_back((std::uint64_t{1} << c[0]) | (std::uint64_t{1} << c[1]));
  }
  choice.later_.assign(n + 1, 0);
  for (std::size_t d = n; d-- > 0;) {
    choice.later_[d] = choice.later_[d + 1];
    for (auto m : choice.masks_[d]) choice.later_[d] |= m;
  }
  choice.ways_.resize(n);
  std::size_t states = 0;
  std::size_t steps = 0;
  // Combinations looked at: bounds the time spent on ranges too wide to count.
  const std::size_t maxSteps = 16 * maxStates;
  bool fits = true;
  std::function<std::uint64_t(std::size_t, std::uint64_t)> count = [&](std::size_t d, std::uint64_t used) {
    if (d == n || !fits) return std::uint64_t{1};
    const std::uint64_t key = used & choice.later_[d];
    if (auto it = choice.ways_[d].find(key); it != choice.ways_[d].end()) return it->second;
    std::uint64_t sum = 0;
    for (auto m : choice.masks_[d]) {
      if (++steps > maxSteps) fits = false;
      if (m & used) continue;
      sum += count(d + 1, used | m);
      if (sum > kMostWays) fits = false;
      if (!fits) return std::uint64_t{1};
    }
    if (++states > maxStates) fits = false;
    choice.ways_[d].emplace(key, sum);
    return sum;
  };
  choice.total_ = count(0, 0);
  if (!fits) return std::nullopt;
  return choice;
}

std::uint64_t CountedChoice::Ways(std::size_t range, std::uint64_t used) const {
  if (range == masks_.size()) return 1;
  return ways_[range].find(used & later_[range])->second;
}

std::uint64_t CountedChoice::Choose(Random& random, std::uint32_t* pick) const {
  std::uint64_t used = 0;
  for (std::size_t d = 0; d < masks_.size(); ++d) {
    std::uint64_t r = Below64(random, Ways(d, used));
    const auto& masks = masks_[d];
    for (std::uint32_t i = 0; i < masks.size(); ++i) {
      if (masks[i] & used) continue;
      const std::uint64_t ways = Ways(d + 1, used | masks[i]);
      if (r < ways) {
        pick[d] = i;
        used |= masks[i];
        break;
      }
      r -= ways;
    }
  }
  return used;
}

}  // namespace zuv::sim
