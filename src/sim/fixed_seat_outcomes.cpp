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

// Number of values in a 13-bit set (a table: no popcount instruction is assumed).
constexpr std::array<std::uint8_t, 1u << 13> kValueCount = [] {
  std::array<std::uint8_t, 1u << 13> counts{};
  for (std::size_t set = 1; set < counts.size(); ++set) counts[set] = static_cast<std::uint8_t>(counts[set >> 1] + (set & 1));
  return counts;
}();

// The value part of a card key: 5^(value - 2).
std::uint32_t ValueKey(int valueIndex) {
  return static_cast<std::uint32_t>(FastEvaluator::CardKey(valueIndex + 1));
}

using ValueSet = FixedSeatWork::ValueSet;

// Appends to `sets` every multiset of `cards` values with at most free[v] of
// value index v, with the product of C(free[v], count of v) as its ways.
void AddValueSets(const std::array<int, kValues>& free, int cards, std::vector<ValueSet>& sets) {
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
}

class Counter {
 public:
  Counter(const ExactDeals& deals, const SeatHands& hands, FixedSeatWork& work)
      : work_(work), evaluator_(FastEvaluator::Get()) {
    seats_ = deals.SeatCount();
    work_.outcomes.assign(std::size_t{16} << seats_, 0);
    work_.setOfSlot.resize(FastEvaluator::kSlots);
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
    auto& sets = work_.sets;
    sets.clear();
    AddValueSets(freeOfValue, missing_, sets);
    work_.hands.resize(sets.size() * seats_);
    work_.outcomeOfSet.resize(sets.size());
    std::int64_t deals = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
      HandKey* hands = &work_.hands[i * seats_];
      for (int p = 0; p < seats_; ++p) hands[p] = evaluator_.NoFlush(key_[p] + sets[i].key);
      work_.setOfSlot[evaluator_.Slot(key_[0] + sets[i].key)] = static_cast<std::uint16_t>(i);
      work_.outcomeOfSet[i] = Outcome(hands);
      work_.outcomes[work_.outcomeOfSet[i]] += sets[i].ways;
      deals += sets[i].ways;
    }
    for (int suit = 0; suit < 4; ++suit) PutFlushesRight(suit, freeOfValue);
    return deals;
  }

 private:
  std::uint32_t Outcome(const HandKey* hands) const {
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
      holeMost = std::max<int>(holeMost, kValueCount[(bits_[p] & ~boardBits_) >> lane & kLane]);
    }
    const int onBoard = kValueCount[boardBits_ >> lane & kLane];
    // Fewest cards of the suit the board must add; the board then holds three or more of it.
    const int least = std::max(0, 5 - onBoard - holeMost);
    if (least > missing_) return;
    for (int v = 0; v < kValues; ++v) freeOfValue[v] -= static_cast<int>(freeInSuit >> v & 1);
    // The other cards by values: their suits hold at most two board cards, no flush.
    std::array<std::vector<ValueSet>, 6> others;
    for (int n = 0; n <= missing_ - least; ++n) AddValueSets(freeOfValue, n, others[n]);

    std::array<HandKey, 10> flush{}, real{};
    // Every subset of the suit's free cards, by its size.
    for (std::uint32_t sub = freeInSuit;; sub = (sub - 1) & freeInSuit) {
      const int cards = kValueCount[sub];
      if (cards >= least && cards <= missing_) {
        std::uint64_t key = 0;
        for (std::uint32_t rest = sub; rest; rest &= rest - 1) {
          key += FastEvaluator::CardKey(suit * 13 + std::countr_zero(rest) + 1);
        }
        const std::uint64_t bits = std::uint64_t{sub} << lane;
        // Whether a seat flushes depends on this suit's cards alone, and a
        // flush is its best hand: seven cards with a flush hold no full house.
        for (int p = 0; p < seats_; ++p) {
          const std::uint64_t sum = key_[p] + key;
          flush[p] = FastEvaluator::HasFlush(sum) ? evaluator_.WithFlush(sum, bits_[p] | bits) : 0;
        }
        for (const ValueSet& set : others[missing_ - cards]) {
          const std::uint32_t i = work_.setOfSlot[evaluator_.Slot(key_[0] + key + set.key)];
          const HandKey* plain = &work_.hands[static_cast<std::size_t>(i) * seats_];
          for (int p = 0; p < seats_; ++p) real[p] = std::max(flush[p], plain[p]);
          const std::uint32_t outcome = Outcome(real.data()), valuesOutcome = work_.outcomeOfSet[i];
          if (outcome == valuesOutcome) continue;
          work_.outcomes[outcome] += set.ways;
          work_.outcomes[valuesOutcome] -= set.ways;
        }
      }
      if (sub == 0) break;
    }
  }

  FixedSeatWork& work_;
  const FastEvaluator& evaluator_;
  int seats_ = 0, missing_ = 0;
  std::uint64_t free_ = 0, boardBits_ = 0;
  std::array<std::uint64_t, 10> key_{}, bits_{};  // per seat: bias, fixed board and hole cards
};

}  // namespace

std::int64_t CountFixedSeatOutcomes(const ExactDeals& table, const SeatHands& hands, FixedSeatWork& work) {
  return Counter(table, hands, work).Count();
}

}  // namespace zuv::sim
