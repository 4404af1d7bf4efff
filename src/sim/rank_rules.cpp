#include "sim/rank_rules.h"

#include <vector>

namespace zuv::sim {

int StraightTop(std::uint32_t valueMask) {
  for (int top = 14; top >= 6; --top) {
    const std::uint32_t run = 0x1Fu << (top - 6);
    if ((valueMask & run) == run) return top;
  }
  const std::uint32_t wheel = 0x100Fu;  // A, 2, 3, 4, 5
  return (valueMask & wheel) == wheel ? 5 : 0;
}

HandKey BestHandOfSuit(std::uint32_t valueMask) {
  if (const int top = StraightTop(valueMask)) return MakeHandKey(kStraightFlush, {top});
  std::vector<int> values;
  for (int v = 14; v >= 2 && values.size() < 5; --v) {
    if (valueMask & (1u << (v - 2))) values.push_back(v);
  }
  return HandKeyFrom(kFlush, values);
}

HandKey BestHandOfCounts(const std::array<int, 13>& counts) {
  // Values grouped by count, each list highest first.
  std::vector<int> quads, trips, pairs, singles;
  std::uint32_t present = 0;
  for (int v = 14; v >= 2; --v) {
    const int n = counts[v - 2];
    if (n > 0) present |= 1u << (v - 2);
    if (n == 4) quads.push_back(v);
    if (n == 3) trips.push_back(v);
    if (n == 2) pairs.push_back(v);
    if (n == 1) singles.push_back(v);
  }
  // Highest value present other than the excluded ones (kickers).
  auto highestExcept = [&](std::vector<int> excluded, int howMany) {
    std::vector<int> out;
    for (int v = 14; v >= 2 && static_cast<int>(out.size()) < howMany; --v) {
      if (!(present & (1u << (v - 2)))) continue;
      bool skip = false;
      for (int e : excluded) skip = skip || e == v;
      if (!skip) out.push_back(v);
    }
    return out;
  };

  if (!quads.empty()) {
    return MakeHandKey(kFourOfAKind, {quads[0], highestExcept({quads[0]}, 1)[0]});
  }
  if (!trips.empty() && (trips.size() >= 2 || !pairs.empty())) {
    const int pair = trips.size() >= 2 ? std::max(trips[1], pairs.empty() ? 0 : pairs[0]) : pairs[0];
    return MakeHandKey(kFullHouse, {trips[0], pair});
  }
  if (const int top = StraightTop(present)) return MakeHandKey(kStraight, {top});
  if (!trips.empty()) {
    const auto k = highestExcept({trips[0]}, 2);
    return MakeHandKey(kTrips, {trips[0], k[0], k[1]});
  }
  if (pairs.size() >= 2) {
    // A third pair only counts as a kicker.
    return MakeHandKey(kTwoPairs, {pairs[0], pairs[1], highestExcept({pairs[0], pairs[1]}, 1)[0]});
  }
  if (pairs.size() == 1) {
    const auto k = highestExcept({pairs[0]}, 3);
    return MakeHandKey(kPair, {pairs[0], k[0], k[1], k[2]});
  }
  return HandKeyFrom(kHighCard, highestExcept({}, 5));
}

}  // namespace zuv::sim
