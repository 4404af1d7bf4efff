#include "sim/rank_rules.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace zuv::sim {

namespace {

// A short list of values, highest first, kept on the stack: the evaluator's
// tables are built from tens of thousands of hands at start-up.
struct Values {
  std::array<int, 13> v{};
  int n = 0;
  void push_back(int value) { v[n++] = value; }
  int operator[](int i) const { return v[i]; }
  int size() const { return n; }
  bool empty() const { return n == 0; }
};

HandKey KeyOf(int handClass, const Values& values) {
  HandKey key = static_cast<HandKey>(handClass) << 20;
  for (int i = 0; i < values.size() && i < 5; ++i) key |= static_cast<HandKey>(values[i]) << (16 - 4 * i);
  return key;
}

}  // namespace

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
  Values values;
  for (int v = 14; v >= 2 && values.size() < 5; --v) {
    if (valueMask & (1u << (v - 2))) values.push_back(v);
  }
  return KeyOf(kFlush, values);
}

HandKey BestHandOfCounts(const std::array<int, 13>& counts) {
  // Values grouped by count, each list highest first.
  Values quads, trips, pairs, singles;
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
  auto highestExcept = [&](std::initializer_list<int> excluded, int howMany) {
    Values out;
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
  return KeyOf(kHighCard, highestExcept({}, 5));
}

}  // namespace zuv::sim
