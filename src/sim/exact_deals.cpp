#include "sim/exact_deals.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>
#include <unordered_map>

#include "sim/fast_evaluator.h"
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

// Beyond this many distinct sets of cards used by all but the last limited
// seat the count is taken as too large to matter (and the map as too big).
constexpr std::size_t kMaxCountStates = 1u << 20;
constexpr Count kSaturated = std::numeric_limits<std::uint64_t>::max();

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
    std::vector<HoleCombo> combos;
    const auto& fixed = scenario.fixed[i];
    if (fixed[0] != 0) {
      combos.push_back(MakeCombo(fixed[0], fixed[1]));
      deals.fixedHoleBits |= combos.back().bits;
    } else if (!scenario.range[i].empty()) {
      for (const auto& pair : scenario.range[i]) {
        const bool valid = pair[0] >= 1 && pair[0] <= 52 && pair[1] >= 1 && pair[1] <= 52 && pair[0] != pair[1];
        if (valid && !taken[pair[0]] && !taken[pair[1]]) combos.push_back(MakeCombo(pair[0], pair[1]));
      }
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
  return deals;
}

std::uint64_t CountExactDeals(const ExactDeals& deals) {
  // Seats that may hold any two free cards only need the number of cards
  // left; the others are counted by the sets of cards they use together.
  const int freeCards = static_cast<int>(deals.boardCards.size());
  const auto anyTwo = static_cast<std::size_t>(freeCards) * (freeCards - 1) / 2;
  std::vector<const std::vector<HoleCombo>*> limited;
  int anyTwoSeats = 0;
  for (const auto& combos : deals.combos) {
    if (combos.size() == anyTwo && freeCards >= 2) {
      ++anyTwoSeats;
    } else {
      limited.push_back(&combos);
    }
  }
  std::sort(limited.begin(), limited.end(), [](auto* x, auto* y) { return x->size() < y->size(); });

  std::unordered_map<std::uint64_t, Count> states{{0, 1}};
  Count limitedWays = limited.empty() ? 1 : 0;
  for (std::size_t s = 0; s < limited.size(); ++s) {
    const bool last = s + 1 == limited.size();
    std::unordered_map<std::uint64_t, Count> next;
    for (const auto& [used, ways] : states) {
      for (const HoleCombo& combo : *limited[s]) {
        if (combo.bits & used) continue;
        if (last) {
          limitedWays += ways;
        } else {
          next[used | combo.bits] += ways;
        }
      }
      if (next.size() > kMaxCountStates) return static_cast<std::uint64_t>(kSaturated);
    }
    states = std::move(next);
  }

  // The board cards exclude the fixed hole cards already.
  const int fixedSeats = std::popcount(deals.fixedHoleBits) / 2;
  int left = freeCards - 2 * (static_cast<int>(limited.size()) - fixedSeats);
  Count total = limitedWays;
  for (int s = 0; s < anyTwoSeats && total != 0; ++s, left -= 2) {
    total *= Choose(left, 2);
    if (total > kSaturated) return static_cast<std::uint64_t>(kSaturated);
  }
  total *= Choose(left, deals.missingBoard);
  return static_cast<std::uint64_t>(std::min(total, kSaturated));
}

}  // namespace zuv::sim
