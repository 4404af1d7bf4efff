#include "sim/fixed_seat_outcomes.h"

#include <algorithm>
#include <array>
#include <bit>

#include "sim/fast_evaluator.h"

namespace zuv::sim {

namespace {

constexpr int kValues = 13;
constexpr std::uint64_t kLane = 0x1FFF;  // one suit's values in a CardBit set

// Ways to pick k of n <= 4 cards of one value.
constexpr std::array<std::array<std::int64_t, 5>, 5> kChoose{{
    {1, 0, 0, 0, 0}, {1, 1, 0, 0, 0}, {1, 2, 1, 0, 0}, {1, 3, 3, 1, 0}, {1, 4, 6, 4, 1}}};

// The value part of a card key: 5^(value - 2).
std::uint32_t ValueKey(int valueIndex) {
  return static_cast<std::uint32_t>(FastEvaluator::CardKey(valueIndex + 1));
}

// A multiset of board values: its key's value part and the boards it stands for.
struct ValueSet {
  std::uint32_t key;
  std::int64_t ways;
};

// Every multiset of `cards` values with at most free[v] of value index v,
// with the product of C(free[v], count of v) as its ways.
std::vector<ValueSet> ValueSets(const std::array<int, kValues>& free, int cards) {
  std::vector<ValueSet> sets;
  auto recurse = [&](auto&& self, int v, int left, std::uint32_t key, std::int64_t ways) -> void {
    if (left == 0) {
      sets.push_back({key, ways});
      return;
    }
    if (v == kValues) return;
    for (int n = 0; n <= std::min(left, free[v]); ++n) {
      self(self, v + 1, left - n, key + static_cast<std::uint32_t>(n) * ValueKey(v), ways * kChoose[free[v]][n]);
    }
  };
  recurse(recurse, 0, cards, 0, 1);
  return sets;
}

class Counter {
 public:
  Counter(const ExactDeals& deals, const SeatHands& hands, std::vector<std::int64_t>& outcomes)
      : outcomes_(outcomes) {
    seats_ = deals.SeatCount();
    outcomes_.assign(std::size_t{16} << seats_, 0);
    std::uint64_t boardKey = FastEvaluator::kKeyBias;
    for (int card : deals.fixedBoard) {
      boardKey += FastEvaluator::CardKey(card);
      boardBits_ |= FastEvaluator::CardBit(card);
    }
    for (int card : deals.boardCards) free_ |= FastEvaluator::CardBit(card);
    for (int p = 0; p < seats_; ++p) {
      const HoleCombo& combo = *hands[p];
      free_ &= ~combo.bits;  // a fixed seat's are off already, not those of a combination of a range
      key_[p] = boardKey + combo.key;
      bits_[p] = boardBits_ | combo.bits;
    }
    missing_ = deals.missingBoard;
  }

  std::int64_t Count() {
    std::array<int, kValues> freeOfValue{};
    for (int v = 0; v < kValues; ++v) {
      for (int suit = 0; suit < 4; ++suit) freeOfValue[v] += static_cast<int>(free_ >> (16 * suit + v) & 1);
    }
    std::int64_t deals = 0;
    const FastEvaluator& evaluator = FastEvaluator::Get();
    std::array<HandKey, 10> hands{};
    for (const ValueSet& set : ValueSets(freeOfValue, missing_)) {
      for (int p = 0; p < seats_; ++p) hands[p] = evaluator.NoFlush(key_[p] + set.key);
      outcomes_[Outcome(hands)] += set.ways;
      deals += set.ways;
    }
    for (int suit = 0; suit < 4; ++suit) PutFlushesRight(suit, freeOfValue);
    return deals;
  }

 private:
  std::uint32_t Outcome(const std::array<HandKey, 10>& hands) const {
    HandKey best = 0;
    std::uint32_t winners = 0;
    for (int p = 0; p < seats_; ++p) {
      const std::uint32_t bit = 1u << p;
      winners = hands[p] > best ? bit : winners | (hands[p] == best ? bit : 0u);
      best = std::max(best, hands[p]);
    }
    return winners << 4 | static_cast<std::uint32_t>(HandClass(best));
  }

  // The boards on which some seat may make a flush of `suit`.
  void PutFlushesRight(int suit, std::array<int, kValues> freeOfValue) {
    const int lane = 16 * suit;
    const auto freeInSuit = static_cast<std::uint32_t>(free_ >> lane & kLane);
    int holeMost = 0;
    for (int p = 0; p < seats_; ++p) {
      holeMost = std::max(holeMost, std::popcount(static_cast<std::uint32_t>((bits_[p] & ~boardBits_) >> lane & kLane)));
    }
    const int onBoard = std::popcount(static_cast<std::uint32_t>(boardBits_ >> lane & kLane));
    // Fewest cards of the suit the board must add; the board then holds three or more of it.
    const int least = std::max(0, 5 - onBoard - holeMost);
    if (least > missing_) return;
    for (int v = 0; v < kValues; ++v) freeOfValue[v] -= static_cast<int>(freeInSuit >> v & 1);
    // The other cards by values: their suits hold at most two board cards, no flush.
    std::array<std::vector<ValueSet>, 6> others;
    for (int n = 0; n <= missing_ - least; ++n) others[n] = ValueSets(freeOfValue, n);

    const FastEvaluator& evaluator = FastEvaluator::Get();
    std::array<HandKey, 10> plain{}, real{};
    // Every subset of the suit's free cards, by its size.
    for (std::uint32_t sub = freeInSuit;; sub = (sub - 1) & freeInSuit) {
      const int cards = std::popcount(sub);
      if (cards >= least && cards <= missing_) {
        std::uint64_t key = 0;
        for (std::uint32_t rest = sub; rest; rest &= rest - 1) {
          key += FastEvaluator::CardKey(suit * 13 + std::countr_zero(rest) + 1);
        }
        const std::uint64_t bits = std::uint64_t{sub} << lane;
        for (const ValueSet& set : others[missing_ - cards]) {
          bool differs = false;
          for (int p = 0; p < seats_; ++p) {
            const std::uint64_t sum = key_[p] + key + set.key;
            plain[p] = evaluator.NoFlush(sum);
            real[p] = FastEvaluator::HasFlush(sum) ? evaluator.WithFlush(sum, bits_[p] | bits) : plain[p];
            differs = differs || real[p] != plain[p];
          }
          if (!differs) continue;
          outcomes_[Outcome(real)] += set.ways;
          outcomes_[Outcome(plain)] -= set.ways;
        }
      }
      if (sub == 0) break;
    }
  }

  std::vector<std::int64_t>& outcomes_;
  int seats_ = 0, missing_ = 0;
  std::uint64_t free_ = 0, boardBits_ = 0;
  std::array<std::uint64_t, 10> key_{}, bits_{};  // per seat: bias, fixed board and hole cards
};

}  // namespace

std::int64_t CountFixedSeatOutcomes(const ExactDeals& table, const SeatHands& hands,
                                    std::vector<std::int64_t>& outcomes) {
  return Counter(table, hands, outcomes).Count();
}

}  // namespace zuv::sim
