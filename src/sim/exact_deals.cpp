#include "sim/exact_deals.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <type_traits>
#include <utility>

#include "sim/fast_evaluator.h"
#include "sim/split_mix64.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

using Count = unsigned __int128;

HoleCombo MakeCombo(int a, int b) {
  const FastEvaluator& evaluator = FastEvaluator::Get();
  HoleCombo combo;
  combo.card1 = std::min(a, b);
  combo.card2 = std::max(a, b);
  combo.bits = FastEvaluator::CardBit(a) | FastEvaluator::CardBit(b);
  combo.key = evaluator.CardKey(a) + evaluator.CardKey(b);
  combo.startClass = StartHandClass(a, b);
  return combo;
}

Count Choose(int n, int k) {
  if (k < 0 || n < k) return 0;
  Count c = 1;
  for (int i = 1; i <= k; ++i) c = c * static_cast<Count>(n - k + i) / static_cast<Count>(i);
  return c;
}

// Beyond this many steps (a combination tried against a set of cards used by
// the seats before, a few nanoseconds each) the count is given up: tables
// that need them have far too many deals anyway.
constexpr std::size_t kMaxCountWork = 8'000'000;
constexpr Count kSaturated = std::numeric_limits<std::uint64_t>::max();
// Counts stop here, above any that a run takes.
constexpr Count kCap = kSaturated + 1;

}  // namespace

ExactDeals PrepareExactDeals(const Scenario& scenario) {
  if (auto problem = CheckScenario(scenario)) throw std::invalid_argument(*problem);
  ExactDeals deals;
  std::array<bool, 53> taken{};  // fixed on a seat or the board, or dead
  for (int i = 0; i < 10; ++i) {
    if (scenario.active[i] && scenario.fixed[i][0] != 0) taken[scenario.fixed[i][0]] = taken[scenario.fixed[i][1]] = true;
  }
  for (int card : scenario.board) taken[card] = true;
  for (int card : scenario.dead) {
    if (card >= 1 && card <= 52) {
      taken[card] = true;
      deals.deadBits |= FastEvaluator::CardBit(card);
    }
  }
  for (int card = 1; card <= 52; ++card) {
    if (!taken[card]) deals.boardCards.push_back(card);
  }
  deals.fixedBoard = scenario.board;
  deals.missingBoard = 5 - static_cast<int>(scenario.board.size());

  for (int i = 0; i < 10; ++i) {
    if (!scenario.active[i]) continue;
    deals.seats.push_back(i);
    deals.dealt.push_back(scenario.fixed[i][0] == 0);
    std::vector<HoleCombo> combos;
    const auto& fixed = scenario.fixed[i];
    if (fixed[0] != 0) {
      combos.push_back(MakeCombo(fixed[0], fixed[1]));
      deals.fixedHoleBits |= combos.back().bits;
    } else if (!scenario.range[i].empty()) {
      for (std::size_t k = 0; k < scenario.range[i].size(); ++k) {
        const auto& pair = scenario.range[i][k];
        const bool valid = pair[0] >= 1 && pair[0] <= 52 && pair[1] >= 1 && pair[1] <= 52 && pair[0] != pair[1];
        if (!valid || taken[pair[0]] || taken[pair[1]]) continue;
        combos.push_back(MakeCombo(pair[0], pair[1]));
        combos.back().weight = scenario.WeightOf(i, k);
      }
      // Only the ratios of a seat's weights matter: the smallest whole numbers keep the sums small.
      std::uint64_t common = 0;
      for (const HoleCombo& combo : combos) common = std::gcd(common, combo.weight);
      for (HoleCombo& combo : combos) combo.weight /= common;
      deals.weighted = deals.weighted || std::any_of(combos.begin(), combos.end(), [](const HoleCombo& c) { return c.weight != 1; });
      std::sort(combos.begin(), combos.end(),
                [](const HoleCombo& x, const HoleCombo& y) { return std::tie(x.card1, x.card2) < std::tie(y.card1, y.card2); });
      combos.erase(std::unique(combos.begin(), combos.end(),
                               [](const HoleCombo& x, const HoleCombo& y) { return x.bits == y.bits; }),
                   combos.end());
    } else {
      for (std::size_t a = 0; a < deals.boardCards.size(); ++a) {
        for (std::size_t b = a + 1; b < deals.boardCards.size(); ++b) {
          combos.push_back(MakeCombo(deals.boardCards[a], deals.boardCards[b]));
        }
      }
    }
    deals.combos.push_back(std::move(combos));
  }
  if (deals.weighted) {
    deals.unit = 1;
    for (int k = 2; k <= deals.SeatCount(); ++k) deals.unit = std::lcm(deals.unit, std::int64_t{k});
  }
  return deals;
}

namespace {

// Seats that may hold any two free cards only need the number of cards left;
// the others ("limited") are counted by the sets of cards they use together.
struct SeatKinds {
  std::vector<const std::vector<HoleCombo>*> limited;  // fewest combinations first
  int anyTwoSeats = 0;
};

// With `weighed`, a range of every pair whose weights differ is limited too.
SeatKinds SortSeats(const ExactDeals& deals, bool weighed = false) {
  const int freeCards = static_cast<int>(deals.boardCards.size());
  const auto anyTwo = static_cast<std::size_t>(freeCards) * (freeCards - 1) / 2;
  SeatKinds kinds;
  for (const auto& combos : deals.combos) {
    const bool alike =
        !weighed || std::all_of(combos.begin(), combos.end(), [](const HoleCombo& c) { return c.weight == 1; });
    if (combos.size() == anyTwo && freeCards >= 2 && alike) {
      ++kinds.anyTwoSeats;
    } else {
      kinds.limited.push_back(&combos);
    }
  }
  std::sort(kinds.limited.begin(), kinds.limited.end(), [](auto* x, auto* y) { return x->size() < y->size(); });
  return kinds;
}

// The deals of `limitedWays` joint assignments of the limited seats: the
// seats with any two cards and the board share the cards left.
template <typename Number>
Number DealsOf(const ExactDeals& deals, const SeatKinds& kinds, Number limitedWays) {
  // The board cards exclude the fixed hole cards already.
  const int fixedSeats = std::popcount(deals.fixedHoleBits) / 2;
  int left = static_cast<int>(deals.boardCards.size()) - 2 * (static_cast<int>(kinds.limited.size()) - fixedSeats);
  Number total = limitedWays;
  for (int s = 0; s < kinds.anyTwoSeats; ++s, left -= 2) {
    total *= static_cast<Number>(Choose(left, 2));
    if constexpr (std::is_same_v<Number, Count>) total = std::min(total, kCap);
  }
  return total * static_cast<Number>(Choose(left, deals.missingBoard));
}

// The joint assignments of the limited seats, each counting one or, with
// `weighed`, the product of its combinations' weights (then saturated above
// kSaturated); nullopt when counting them would take too long.
std::optional<Count> LimitedWays(const SeatKinds& kinds, bool weighed) {
  // The ways a seat's combination continues; weighed, they stop at kCap, as ten seats' weights would pass 128 bits.
  auto times = [weighed](Count ways, const HoleCombo& combo) {
    return weighed ? std::min(ways * combo.weight, kCap) : ways;
  };
  // Joint assignments of all but the last limited seat, as (cards used, ways),
  // built seat by seat; the last seat only adds to the sum.
  std::vector<std::pair<std::uint64_t, Count>> states{{0, 1}}, next;
  Count limitedWays = kinds.limited.empty() ? 1 : 0;
  std::size_t work = 0;
  for (std::size_t s = 0; s < kinds.limited.size(); ++s) {
    const auto& combos = *kinds.limited[s];
    work += states.size() * combos.size();
    if (work > kMaxCountWork) return std::nullopt;
    if (s + 1 == kinds.limited.size()) {
      for (const auto& [used, ways] : states) {
        for (const HoleCombo& combo : combos) limitedWays += (combo.bits & used) ? 0 : times(ways, combo);
      }
      break;
    }
    next.clear();
    for (const auto& [used, ways] : states) {
      for (const HoleCombo& combo : combos) {
        if (!(combo.bits & used)) next.emplace_back(used | combo.bits, times(ways, combo));
      }
    }
    // Merge the ways that reach the same set of cards.
    std::sort(next.begin(), next.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    states.clear();
    for (const auto& state : next) {
      if (!states.empty() && states.back().first == state.first) {
        states.back().second += state.second;
        if (weighed) states.back().second = std::min(states.back().second, kCap);
      } else {
        states.push_back(state);
      }
    }
  }
  return weighed ? std::min(limitedWays, kCap) : limitedWays;
}

// The deals of the table, counted once each or by their weights.
std::uint64_t DealsCounted(const ExactDeals& deals, bool weighed) {
  const SeatKinds kinds = SortSeats(deals, weighed);
  const std::optional<Count> ways = LimitedWays(kinds, weighed);
  if (!ways) return static_cast<std::uint64_t>(kSaturated);
  return static_cast<std::uint64_t>(std::min(DealsOf<Count>(deals, kinds, *ways), kSaturated));
}

}  // namespace

std::uint64_t CountExactDeals(const ExactDeals& deals) { return DealsCounted(deals, false); }

std::uint64_t WeighExactDeals(const ExactDeals& deals) { return DealsCounted(deals, true); }

double EstimateExactDeals(const ExactDeals& deals) {
  // Each trial gives the seats in turn a combination chosen evenly among those
  // still free; the product of the numbers of choices is an unbiased estimate
  // of the joint assignments (Knuth's estimate of a search tree's size).
  const SeatKinds kinds = SortSeats(deals);
  constexpr int kTrials = 1024;
  SplitMix64 random(0x5eed);
  double sum = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    std::uint64_t used = 0;
    double ways = 1;
    for (const auto* combos : kinds.limited) {
      std::uint64_t free = 0;
      for (const HoleCombo& combo : *combos) free += (combo.bits & used) == 0;
      ways *= static_cast<double>(free);
      if (free == 0) break;
      std::uint64_t pick = random.Next() % free;
      for (const HoleCombo& combo : *combos) {
        if ((combo.bits & used) == 0 && pick-- == 0) {
          used |= combo.bits;
          break;
        }
      }
    }
    sum += ways;
  }
  return DealsOf<double>(deals, kinds, sum / kTrials);
}

std::vector<int> DealtSeats(const ExactDeals& deals) {
  std::vector<int> dealtSeats;
  for (int p = 0; p < deals.SeatCount(); ++p) {
    if (deals.dealt[p]) dealtSeats.push_back(deals.seats[p]);
  }
  return dealtSeats;
}

}  // namespace zuv::sim
