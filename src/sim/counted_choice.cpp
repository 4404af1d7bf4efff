#include "sim/counted_choice.h"

#include "sim/weighted_pick.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace zuv::sim {

namespace {

// Weights are counted in steps of 1/kWeightSteps of a group's heaviest.
constexpr std::uint64_t kWeightSteps = 256;
constexpr unsigned __int128 kMostWays = static_cast<unsigned __int128>(1) << 120;
// Visit's answers that are no state: every seat served, or no way on.
constexpr std::int32_t kServed = -1;
constexpr std::int32_t kNoWay = -2;

struct Key {
  std::uint64_t taken;  // positions of cards taken as higher cards of earlier combinations
  std::uint32_t need;   // seats each group still needs, in mixed radix
  std::uint32_t card;   // position of the card reached
  bool operator==(const Key&) const = default;
};

struct KeyHash {
  std::size_t operator()(const Key& k) const {
    return std::hash<std::uint64_t>()(k.taken * 0x9E3779B97F4A7C15ull ^ (std::uint64_t{k.need} << 8 | k.card));
  }
};

// A combination as the counting sees it, under its lower card.
struct Link {
  std::int16_t group;
  std::uint16_t combo;
  std::uint32_t higher;  // position of its higher card
  std::uint64_t weight;  // its weight rounded up, in steps
  double share;          // its true weight as a share of a full weight
};

}  // namespace

std::optional<CountedChoice> CountedChoice::Build(const std::vector<std::vector<Combo>>& ranges,
                                                  const std::vector<std::vector<Weight>>& weights,
                                                  std::size_t maxStates) {
  CountedChoice choice;
  for (std::uint32_t r = 0; r < ranges.size(); ++r) {
    auto same = std::find_if(choice.groups_.begin(), choice.groups_.end(), [&](const Group& g) {
      return ranges[g.members[0]] == ranges[r] && weights[g.members[0]] == weights[r];
    });
    if (same == choice.groups_.end()) {
      choice.groups_.emplace_back();
      same = choice.groups_.end() - 1;
    }
    same->members.push_back(r);
  }

  // Cards by position in increasing order, and each combination under its lower card.
  std::uint64_t cards = 0;
  for (const auto& range : ranges) {
    for (const auto& c : range) cards |= (std::uint64_t{1} << c[0]) | (std::uint64_t{1} << c[1]);
  }
  std::array<std::uint32_t, 64> position{};
  std::uint32_t positions = 0;
  for (int card = 0; card < 64; ++card) {
    if (cards >> card & 1) position[card] = positions++;
  }
  std::vector<std::vector<Link>> under(positions);
  std::vector<std::uint32_t> stride, size;
  std::uint32_t need = 0;
  double arrangements = 1;
  // The rounded weights' steps as shares of a full weight, per seat chosen:
  // how much counting weighs a choice more than its true weight at most.
  double stepShare = 1;
  // Weights are counted exactly, as multiples of their group's greatest
  // common divisor, where that takes no more bits than the rounded steps
  // would (so the counts stay as narrow) and saves every repeat.
  int exactBits = 0, roundedBits = 0;
  std::vector<Weight> divisor(choice.groups_.size(), 0);
  for (std::size_t g = 0; g < choice.groups_.size(); ++g) {
    const auto& w = weights[choice.groups_[g].members[0]];
    if (w.empty()) continue;
    for (Weight x : w) divisor[g] = std::gcd(divisor[g], x);
    const auto members = static_cast<int>(choice.groups_[g].members.size());
    exactBits += members * std::bit_width(*std::max_element(w.begin(), w.end()) / divisor[g]);
    roundedBits += members * std::bit_width(kWeightSteps);
  }
  const bool exact = exactBits <= roundedBits;
  for (std::size_t g = 0; g < choice.groups_.size(); ++g) {
    Group& group = choice.groups_[g];
    const auto& range = ranges[group.members[0]];
    const auto& w = weights[group.members[0]];
    const Weight heaviest = w.empty() ? kFullWeight : *std::max_element(w.begin(), w.end());
    const double step = exact ? divisor[g] / (1.0 * kFullWeight) : heaviest / (1.0 * kWeightSteps * kFullWeight);
    if (!w.empty()) {
      for (std::size_t m = 0; m < group.members.size(); ++m) stepShare *= step;
    }
    for (std::uint16_t k = 0; k < range.size(); ++k) {
      const std::uint32_t a = position[range[k][0]], b = position[range[k][1]];
      group.mask.push_back((std::uint64_t{1} << range[k][0]) | (std::uint64_t{1} << range[k][1]));
      std::uint64_t steps = 1;
      if (!w.empty() && exact) {
        steps = w[k] / divisor[g];
      } else if (!w.empty()) {
        steps = (kWeightSteps * w[k] + heaviest - 1) / heaviest;
        group.keep.push_back(kWeightSteps * w[k]);
        group.keepOf.push_back(steps * heaviest);
      }
      const double share = w.empty() ? 1.0 : static_cast<double>(w[k]) / kFullWeight;
      under[std::min(a, b)].push_back({static_cast<std::int16_t>(g), k, std::max(a, b), steps, share});
    }
    const auto members = static_cast<std::uint32_t>(group.members.size());
    stride.push_back(g == 0 ? 1 : stride[g - 1] * (size[g - 1] + 1));
    size.push_back(members);
    need += members * stride[g];
    for (std::uint32_t m = 2; m <= members; ++m) arrangements *= m;
  }

  auto needOf = [&](std::uint32_t code, std::size_t g) { return code / stride[g] % (size[g] + 1); };
  std::unordered_map<Key, std::int32_t, KeyHash> known;
  std::vector<double> counts;    // per state: its completions without weights
  std::vector<double> weighted;  // and with their true weights, in shares of a full weight
  bool fits = true;
  // Combinations looked at: bounds the time spent on ranges too wide to count.
  std::size_t steps = 0;
  std::function<std::int32_t(std::uint32_t, std::uint64_t, std::uint32_t)> visit = [&](std::uint32_t card,
                                                                                       std::uint64_t taken,
                                                                                       std::uint32_t code) {
    while (card < positions && (taken >> card & 1)) taken &= ~(std::uint64_t{1} << card++);
    if (code == 0) return kServed;
    std::uint32_t seats = 0;
    for (std::size_t g = 0; g < size.size(); ++g) seats += needOf(code, g);
    if (positions - card - static_cast<std::uint32_t>(std::popcount(taken)) < 2 * seats || !fits) return kNoWay;
    const Key key{taken, code, card};
    if (const auto it = known.find(key); it != known.end()) return it->second;

    std::vector<Option> options;
    double count = 0, weightedCount = 0;
    auto add = [&](std::int32_t next, std::uint64_t weight, double share, std::int16_t group, std::uint16_t combo) {
      if (next == kNoWay) return;
      const Count ways = next == kServed ? 1 : choice.states_[next].ways;
      options.push_back({ways * weight, next, group, combo});
      count += next == kServed ? 1 : counts[next];
      weightedCount += share * (next == kServed ? 1 : weighted[next]);
    };
    add(visit(card + 1, taken, code), 1, 1.0, -1, 0);
    steps += under[card].size();
    if (steps > 16 * maxStates) fits = false;
    for (const Link& link : under[card]) {
      if (needOf(code, link.group) == 0 || (taken >> link.higher & 1)) continue;
      add(visit(card + 1, taken | std::uint64_t{1} << link.higher, code - stride[link.group]), link.weight, link.share,
          link.group,
          link.combo);
    }
    State state;
    state.firstOption = static_cast<std::uint32_t>(choice.options_.size());
    state.options = static_cast<std::uint32_t>(options.size());
    for (const Option& option : options) state.ways += option.ways;
    if (state.ways == 0 || !fits) return kNoWay;
    if (state.ways > kMostWays || choice.states_.size() >= maxStates) {
      fits = false;
      return kNoWay;
    }
    choice.options_.insert(choice.options_.end(), options.begin(), options.end());
    choice.states_.push_back(state);
    counts.push_back(count);
    weighted.push_back(weightedCount);
    const auto index = static_cast<std::int32_t>(choice.states_.size() - 1);
    known.emplace(key, index);
    return index;
  };
  choice.start_ = visit(0, 0, need);
  if (!fits) return std::nullopt;
  choice.total_ = choice.start_ >= 0 ? counts[choice.start_] * arrangements : 0;
  choice.weightedTotal_ = choice.start_ >= 0 ? weighted[choice.start_] * arrangements : 0;
  // A state visit costs a few draws of one combination; rounded weights
  // repeat a choice as often as they weigh it more than its true weight.
  choice.cost_ = 4.0 * (positions + ranges.size());
  if (stepShare != 1 && choice.weightedTotal_ > 0) {
    const double rounded = static_cast<double>(choice.states_[choice.start_].ways) * arrangements * stepShare;
    choice.cost_ *= std::max(1.0, rounded / choice.weightedTotal_);
  }
  return choice;
}

std::uint64_t CountedChoice::Choose(Random& random, std::uint32_t* pick) const {
  std::array<std::array<std::uint16_t, 10>, 10> chosen;
  for (;;) {
    std::array<std::uint32_t, 10> taken{};
    std::uint64_t used = 0;
    for (std::int32_t s = start_; s >= 0;) {
      const State& state = states_[s];
      const Option* option = &options_[state.firstOption];
      if (state.options > 1) {
        for (Count r = Below128(random, state.ways); r >= option->ways; ++option) r -= option->ways;
      }
      if (option->group >= 0) {
        chosen[option->group][taken[option->group]++] = option->combo;
        used |= groups_[option->group].mask[option->combo];
      }
      s = option->next;
    }
    bool kept = true;
    for (std::size_t g = 0; g < groups_.size() && kept; ++g) {
      const Group& group = groups_[g];
      if (group.keepOf.empty()) continue;
      for (std::uint32_t j = 0; j < taken[g] && kept; ++j) {
        const std::uint16_t k = chosen[g][j];
        kept = random.Below64(group.keepOf[k]) < group.keep[k];
      }
    }
    if (!kept) continue;
    // The group's seats take its combinations in random order.
    for (std::size_t g = 0; g < groups_.size(); ++g) {
      const auto& members = groups_[g].members;
      for (auto j = static_cast<std::uint32_t>(members.size()); j-- > 0;) {
        const std::uint32_t other = j == 0 ? 0 : random.Below16(j + 1, 65536u % (j + 1));
        std::swap(chosen[g][j], chosen[g][other]);
        pick[members[j]] = chosen[g][j];
      }
    }
    return used;
  }
}

}  // namespace zuv::sim
