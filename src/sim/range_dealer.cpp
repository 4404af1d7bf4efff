#include "sim/range_dealer.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>
#include <unordered_set>

namespace zuv::sim {

namespace {

// The work of listing one more seat at most: with the table's size limit
// this keeps building the table at the start of a run to a few milliseconds.
constexpr std::size_t kListingWork = std::size_t{1} << 22;
// Steps of the search for one joint choice before giving up.
constexpr long kSearchSteps = 4'000'000;

std::uint64_t ComboMask(const Combo& c) { return CardMask(c[0]) | CardMask(c[1]); }

std::uint32_t Threshold16(std::size_t n) { return static_cast<std::uint32_t>(65536 % n); }

// The bits that the weights of the listed seats may take together: with the
// table's 2^16 joint choices, their sums over the alias table's slots stay
// below 2^127.
constexpr int kListedWeightBits = 90;
// A listed seat's combinations lighter than 1/kLightShare of its heaviest
// are listed as one stand-in.
constexpr Amount kLightShare = 16;

// A seat's weights divided by their greatest common divisor, which keeps
// products of several seats' weights narrow (0.001 against 1 is 1 against
// 1000), and that divisor as a share of a full weight; empty weights (all
// alike) weigh 1 each.
struct SeatWeights {
  std::vector<Amount> reduced;
  double unit = 1.0;
  int bits = 0;  // of the heaviest reduced weight
  Amount Of(std::size_t k) const { return reduced.empty() ? 1 : reduced[k]; }
};

// What a seat lists: its combinations, or its heavy ones and a stand-in
// (cards 0 and 0, no card mask) weighing as much as its light ones together.
struct SeatOptions {
  std::vector<Combo> combos;
  std::vector<Amount> weight;  // reduced, as SeatWeights; empty: 1 each
  std::vector<Combo> light;
  std::vector<Weight> lightWeights;
  int bits = 0;  // of the heaviest option
};

SeatWeights Reduce(const std::vector<Weight>& weights);

SeatOptions OptionsOf(const std::vector<Combo>& range, const std::vector<Weight>& weights) {
  SeatOptions options;
  const SeatWeights seat = Reduce(weights);
  options.bits = seat.bits;
  if (seat.reduced.empty()) {
    options.combos = range;
    return options;
  }
  const Amount heaviest = *std::max_element(seat.reduced.begin(), seat.reduced.end());
  Amount light = 0;
  for (std::size_t k = 0; k < range.size(); ++k) {
    if (seat.reduced[k] * kLightShare >= heaviest) {
      options.combos.push_back(range[k]);
      options.weight.push_back(seat.reduced[k]);
    } else {
      options.light.push_back(range[k]);
      options.lightWeights.push_back(weights[k]);
      light += seat.reduced[k];
    }
  }
  if (light > 0) {
    options.combos.push_back({0, 0});
    options.weight.push_back(light);
    options.bits = std::max(options.bits, static_cast<int>(std::bit_width(static_cast<std::uint64_t>(light))));
  }
  return options;
}

SeatWeights Reduce(const std::vector<Weight>& weights) {
  SeatWeights seat;
  if (weights.empty()) return seat;
  Weight divisor = 0;
  for (Weight w : weights) divisor = std::gcd(divisor, w);
  Weight heaviest = 0;
  for (Weight w : weights) {
    seat.reduced.push_back(w / divisor);
    heaviest = std::max(heaviest, w / divisor);
  }
  seat.unit = static_cast<double>(divisor) / kFullWeight;
  seat.bits = std::bit_width(heaviest);
  return seat;
}


}  // namespace

std::uint64_t KnownCards(const Scenario& scenario) {
  std::uint64_t known = 0;
  for (const auto& hole : scenario.fixed) {
    for (int card : hole) known |= card > 0 ? CardMask(card) : 0;
  }
  for (int card : scenario.board) known |= CardMask(card);
  for (int card : scenario.dead) known |= CardMask(card);
  return known;
}

std::vector<Combo> PossibleCombos(const std::vector<Combo>& range, std::uint64_t known) {
  std::vector<Combo> possible;
  for (const auto& c : range) {
    if ((ComboMask(c) & known) == 0) possible.push_back(c);
  }
  return possible;
}

std::vector<Weight> PossibleWeights(const std::vector<Combo>& range, const std::vector<Weight>& weights,
                                    std::uint64_t known) {
  std::vector<Weight> possible;
  if (weights.empty()) return possible;
  for (std::size_t k = 0; k < range.size(); ++k) {
    if ((ComboMask(range[k]) & known) == 0) possible.push_back(weights[k]);
  }
  if (std::adjacent_find(possible.begin(), possible.end(), std::not_equal_to<>()) == possible.end()) possible.clear();
  return possible;
}

JointChoice FindJointChoice(const std::vector<std::vector<Combo>>& ranges) {
  // Narrow ranges first; a failed search below a seat is remembered by the
  // cards taken that later ranges could use, which ends the search quickly
  // on narrow ranges where no choice exists.
  std::vector<std::vector<std::uint64_t>> masks;
  for (const auto& range : ranges) {
    masks.emplace_back();
    for (const auto& c : range) masks.back().push_back(ComboMask(c));
  }
  std::sort(masks.begin(), masks.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
  const std::size_t n = masks.size();
  std::vector<std::uint64_t> later(n + 1, 0);
  for (std::size_t d = n; d-- > 0;) {
    later[d] = later[d + 1];
    for (auto m : masks[d]) later[d] |= m;
  }
  std::vector<std::unordered_set<std::uint64_t>> failed(n);
  long steps = kSearchSteps;
  std::function<JointChoice(std::size_t, std::uint64_t)> search = [&](std::size_t d, std::uint64_t used) {
    if (d == n) return JointChoice::kExists;
    const std::uint64_t key = used & later[d];
    if (failed[d].count(key)) return JointChoice::kNone;
    for (auto m : masks[d]) {
      if (m & used) continue;
      if (--steps < 0) return JointChoice::kTooHardToTell;
      const JointChoice found = search(d + 1, used | m);
      if (found != JointChoice::kNone) return found;
    }
    failed[d].insert(key);
    return JointChoice::kNone;
  };
  return search(0, 0);
}

std::optional<RangeDealer> RangeDealer::For(const Scenario& scenario, std::size_t tableLimit,
                                            std::size_t countedStates) {
  const std::uint64_t known = KnownCards(scenario);
  RangeDealer dealer;
  for (int card = 1; card <= 52; ++card) {
    if (!(known & CardMask(card))) dealer.free_[dealer.freeCount_++] = static_cast<std::uint8_t>(card);
  }
  dealer.freeThreshold_ = Threshold16(dealer.freeCount_);
  const std::size_t everyCombo = dealer.freeCount_ * (dealer.freeCount_ - 1) / 2;

  std::vector<int> seats;
  for (int i = 0; i < 10; ++i) {
    if (scenario.active[i] && scenario.fixed[i][0] == 0) seats.push_back(i);
  }
  const int dealt = static_cast<int>(seats.size());
  std::vector<std::vector<Combo>> ranges;
  std::vector<std::vector<Weight>> weights;
  std::vector<int> rangeSlots;
  std::vector<int> restSlots;
  for (int q = 0; q < dealt; ++q) {
    const auto& range = scenario.range[seats[q]];
    auto possible = PossibleCombos(range, known);
    auto possibleWeights = PossibleWeights(range, scenario.weight[seats[q]], known);
    if (!range.empty() && (possible.size() < everyCombo || !possibleWeights.empty())) {
      ranges.push_back(std::move(possible));
      weights.push_back(std::move(possibleWeights));
      rangeSlots.push_back(q);
    } else {
      restSlots.push_back(q);
    }
  }
  if (ranges.empty()) return std::nullopt;
  // A seat's second card goes `dealt` places after its first.
  for (std::size_t i = 0, n = restSlots.size(); i < n; ++i) restSlots.push_back(restSlots[i] + dealt);
  const int boardDealt = 5 - static_cast<int>(scenario.board.size());
  for (int b = 0; b < boardDealt; ++b) restSlots.push_back(2 * dealt + b);
  dealer.restSlots_ = std::move(restSlots);
  dealer.seatsDealt_ = dealt;
  dealer.count_ = 2 * dealt + boardDealt;
  dealer.BuildTable(std::move(ranges), std::move(weights), rangeSlots, tableLimit, countedStates);
  return dealer;
}

RangeDealer::DrawnSeat RangeDealer::MakeDrawnSeat(const std::vector<Combo>& range, const std::vector<Weight>& weights,
                                                  int slot) {
  DrawnSeat seat;
  if (!weights.empty()) seat.alias.emplace(Reduce(weights).reduced);
  for (const auto& c : range) {
    seat.mask.push_back(ComboMask(c));
    seat.cards.push_back({static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1])});
  }
  seat.threshold = seat.mask.empty() ? 0 : Threshold16(seat.mask.size());
  seat.slot = slot;
  return seat;
}

void RangeDealer::BuildTable(std::vector<std::vector<Combo>> ranges, std::vector<std::vector<Weight>> weights,
                             const std::vector<int>& slots, std::size_t tableLimit, std::size_t countedStates) {
  std::vector<SeatWeights> seatWeights;
  std::vector<SeatOptions> seatOptions;
  for (std::size_t r = 0; r < ranges.size(); ++r) {
    seatWeights.push_back(Reduce(weights[r]));
    seatOptions.push_back(OptionsOf(ranges[r], weights[r]));
  }
  std::vector<std::size_t> order(ranges.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return seatOptions[a].combos.size() < seatOptions[b].combos.size();
  });
  tableMask_ = {0};
  tableCards_.clear();
  std::vector<Amount> tableWeights = {1};
  bool listedWeights = false;
  int weightBits = 0;
  std::size_t o = 0;
  for (; o < order.size(); ++o) {
    const SeatOptions& options = seatOptions[order[o]];
    const auto& range = options.combos;
    if (o > 0 && tableMask_.size() * range.size() > kListingWork) break;
    if (weightBits + options.bits > kListedWeightBits) break;
    std::vector<std::uint64_t> masks;
    std::vector<std::uint8_t> cards;
    std::vector<Amount> entryWeights;
    for (std::size_t e = 0; e < tableMask_.size(); ++e) {
      for (std::size_t k = 0; k < range.size(); ++k) {
        const Combo& c = range[k];
        const std::uint64_t m = c[0] == 0 ? 0 : ComboMask(c);
        if (tableMask_[e] & m) continue;
        masks.push_back(tableMask_[e] | m);
        cards.insert(cards.end(), tableCards_.begin() + e * 2 * o, tableCards_.begin() + (e + 1) * 2 * o);
        cards.push_back(static_cast<std::uint8_t>(c[0]));
        cards.push_back(static_cast<std::uint8_t>(c[1]));
        entryWeights.push_back(tableWeights[e] * (options.weight.empty() ? 1 : options.weight[k]));
      }
    }
    if (o > 0 && masks.size() > std::min(tableLimit, kTableLimit)) break;
    tableMask_ = std::move(masks);
    tableCards_ = std::move(cards);
    tableWeights = std::move(entryWeights);
    tableSlots_.push_back(slots[order[o]]);
    weightBits += options.bits;
    listedWeights = listedWeights || !options.weight.empty();
    light_.push_back(MakeDrawnSeat(options.light, options.lightWeights, slots[order[o]]));
  }
  if (std::all_of(light_.begin(), light_.end(), [](const DrawnSeat& seat) { return seat.mask.empty(); })) {
    light_.clear();
  }
  tableThreshold_ = Threshold16(tableMask_.size());
  // A table that no joint choice of positive weight is left in deals nothing
  // either way; drawn uniformly it at least ends.
  Amount tableTotal = 0;
  for (Amount w : tableWeights) tableTotal += w;
  if (listedWeights && tableTotal > 0) tableAlias_.emplace(tableWeights);
  for (; o < order.size(); ++o) {
    drawn_.push_back(MakeDrawnSeat(ranges[order[o]], weights[order[o]], slots[order[o]]));
  }
  if (drawn_.empty() || countedStates == 0) return;

  // Drawing costs about one step per drawn seat and attempt; counting
  // what the counted choice says. Attempts follow from the weights: the
  // weight of every proposal over that of the joint choices without clashes.
  std::vector<std::vector<Combo>> ordered;
  std::vector<std::vector<Weight>> orderedWeights;
  double proposals = static_cast<double>(listedWeights ? tableTotal : tableMask_.size());
  for (std::size_t s = 0; s < tableSlots_.size(); ++s) proposals *= seatWeights[order[s]].unit;
  for (std::size_t i : order) {
    ordered.push_back(ranges[i]);
    orderedWeights.push_back(weights[i]);
  }
  for (std::size_t s = tableSlots_.size(); s < order.size(); ++s) {
    const SeatWeights& seat = seatWeights[order[s]];
    Amount total = 0;
    for (std::size_t k = 0; k < ranges[order[s]].size(); ++k) total += seat.Of(k);
    proposals *= static_cast<double>(total) * seat.unit;
  }
  auto counted = CountedChoice::Build(ordered, orderedWeights, countedStates);
  if (!counted || counted->Total() == 0) return;
  const double attempts = proposals / counted->WeightedTotal();
  if (attempts * static_cast<double>(drawn_.size() + 1) <= counted->Cost()) return;
  // Every ranged seat becomes a drawn seat, in the counted order.
  drawn_.clear();
  for (std::size_t i : order) drawn_.push_back(MakeDrawnSeat(ranges[i], weights[i], slots[i]));
  tableMask_ = {0};
  tableCards_.clear();
  tableSlots_.clear();
  tableAlias_.reset();
  light_.clear();
  tableThreshold_ = Threshold16(1);
  counted_ = std::move(counted);
}

}  // namespace zuv::sim
