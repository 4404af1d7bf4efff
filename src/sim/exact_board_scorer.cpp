#include "sim/exact_board_scorer.h"

#include <algorithm>
#include <bit>
#include <type_traits>

#include "sim/card.h"
#include "sim/fast_evaluator.h"
#include "sim/per_hand_stats.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

// A last seat with fewer pairs is quicker one by one than by values.
constexpr std::size_t kGroupFrom = 128;

// Whether a seat's pairs may be counted by values: many, of one weight, and
// whole starting-hand classes (every pair of the class among `boardCards`,
// the cards not fixed anywhere).
bool CountableByValues(const std::vector<HoleCombo>& combos, const std::vector<int>& boardCards) {
  // Counting by values takes every pair of a class as one, so also of one weight.
  if (combos.size() < kGroupFrom ||
      !std::all_of(combos.begin(), combos.end(), [](const HoleCombo& c) { return c.weight == 1; })) {
    return false;
  }
  std::array<int, kStartHandClasses + 1> held{}, possible{};
  for (const HoleCombo& combo : combos) ++held[combo.startClass];
  for (std::size_t a = 0; a < boardCards.size(); ++a) {
    for (std::size_t b = a + 1; b < boardCards.size(); ++b) ++possible[StartHandClass(boardCards[a], boardCards[b])];
  }
  for (int c = 1; c <= kStartHandClasses; ++c) {
    if (held[c] != 0 && held[c] != possible[c]) return false;
  }
  return true;
}

// Number of suits in a 4-bit set of suits (a table: no popcount instruction is assumed).
constexpr std::array<std::uint64_t, 16> kSuitCount{0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

}  // namespace

ExactBoardScorer::ExactBoardScorer(const ExactDeals& deals, ExactStop stop, bool perHand)
    : seatCount_(deals.SeatCount()), weighted_(deals.weighted), perHand_(perHand), stop_(stop) {
  for (int k = 1; k <= seatCount_; ++k) share_[k] = deals.unit / k;
  for (int card : deals.fixedBoard) fixedBoardBits_ |= FastEvaluator::CardBit(card);
  int slots = 0;
  for (int p = 0; p < seatCount_; ++p) {
    Place& place = places_.emplace_back();
    place.seat = deals.seats[p];
    place.dealt = perHand && deals.dealt[p];
    if (place.dealt) place.slot = slots++;
    for (const HoleCombo& combo : deals.combos[p]) {
      place.combo.push_back(ComboIndex(combo.card1, combo.card2));
      place.bits.push_back(combo.bits);
      place.key.push_back(combo.key);
      place.startClass.push_back(combo.startClass);
      place.weight.push_back(combo.weight);
    }
    place.hand.assign(place.bits.size(), 0);
    place.count.assign(place.bits.size() * seatCount_, 0);
    // Counted for every place (the scoring does not ask which), handed over for the dealt ones.
    if (perHand) place.held.assign(place.bits.size(), 0);
    if (place.dealt) place.won.assign(place.bits.size(), 0);
  }
  itemHeld_.assign(static_cast<std::size_t>(slots) * kAllCombos, 0);
  itemWon_.assign(itemHeld_.size(), 0);
  fixedSeats_ = std::all_of(places_.begin(), places_.end(), [](const Place& p) { return p.bits.size() == 1; });
  for (int p = 0; fixedSeats_ && p < seatCount_; ++p) {
    fixedKey_[p] = places_[p].key[0];
    fixedBits_[p] = places_[p].bits[0];
    fixedSeat_[p] = places_[p].seat;
    fixedStartClass_[p] = places_[p].startClass[0];
    fixedHoleBits_ |= places_[p].bits[0];
  }
  if (fixedSeats_) fixedOutcomes_.assign(std::size_t{16} << seatCount_, 0);
  // The last seat is the inner loop: make it the longest.
  std::stable_sort(places_.begin(), places_.end(),
                   [](const Place& x, const Place& y) { return x.bits.size() < y.bits.size(); });

  candidates_.resize(static_cast<std::size_t>(seatCount_) + 1);
  for (int level = 0; level <= seatCount_; ++level) {
    candidates_[level].resize(static_cast<std::size_t>(seatCount_));
    for (int p = level == seatCount_ ? 0 : level + 2; p < seatCount_; ++p) {
      candidates_[level][p].Reserve(places_[p].bits.size());
    }
  }

  // Count by values when the last seat's pairs are whole starting-hand
  // classes (every pair of the class among the free cards) and many.
  const Place& last = places_.back();
  const auto lastSeat = std::find(deals.seats.begin(), deals.seats.end(), last.seat) - deals.seats.begin();
  const bool groupable = CountableByValues(deals.combos[static_cast<std::size_t>(lastSeat)], deals.boardCards);
  std::array<int, kStartHandClasses + 1> inPlace{};
  for (int c : last.startClass) ++inPlace[c];
  // Searching pays once the place before the last has a few pairs to try,
  // and then beats counting by values (three to nine times quicker with two
  // random seats on a flop): the pairs are searched one by one, their hands
  // still taken from their values. So are they with per-hand figures, which
  // need each pair's own count, against more than one fixed pair.
  sortedLast_ = !fixedSeats_ && seatCount_ >= 2 && (seatCount_ > 2 || places_[seatCount_ - 2].bits.size() >= 4);
  groupedPerHand_ = GroupsLastWithPerHand(deals, perHand);
  groupLast_ = groupable && !sortedLast_ && (!perHand || groupedPerHand_);
  valueHands_ = groupable && !groupLast_;
  if (sortedLast_) {
    sortBuffer_.resize(last.bits.size());
    minePairs_.resize(places_[seatCount_ - 2].bits.size());
    lastCards_.resize(last.bits.size());
    // Each pair's twin of the same two cards in the other of the last two places.
    std::vector<int> lastOfCombo(kAllCombos, -1), mineOfCombo(kAllCombos, -1);
    for (std::size_t i = 0; i < last.combo.size(); ++i) lastOfCombo[last.combo[i]] = static_cast<int>(i);
    for (int combo : places_[seatCount_ - 2].combo) lastTwin_.push_back(lastOfCombo[combo]);
    for (std::size_t i = 0; i < places_[seatCount_ - 2].combo.size(); ++i) {
      mineOfCombo[places_[seatCount_ - 2].combo[i]] = static_cast<int>(i);
    }
    for (int combo : last.combo) mineTwin_.push_back(mineOfCombo[combo]);
  }
  if (!groupable) return;
  const FastEvaluator& evaluator = FastEvaluator::Get();
  for (int card : deals.boardCards) freeBits_ |= FastEvaluator::CardBit(card);
  for (int high = 2; high <= 14; ++high) {
    for (int low = 2; low <= high; ++low) {
      ValueGroup group{high, low, StartHandClass(MakeCard(high, 1), MakeCard(low, 1)),
                       StartHandClass(MakeCard(high, 1), MakeCard(low, 2)),
                       static_cast<std::uint32_t>(evaluator.CardKey(MakeCard(high, 1)) +
                                                  evaluator.CardKey(MakeCard(low, 2))),
                       0, 0};
      group.suitedOn = inPlace[group.suitedClass] > 0;
      group.offsuitOn = high != low && inPlace[group.offsuitClass] > 0;
      if (!group.suitedOn && !group.offsuitOn) continue;
      groupOfClass_[group.suitedClass] = groupOfClass_[group.offsuitClass] = static_cast<int>(groups_.size());
      groups_.push_back(group);
    }
  }
  groupHand_.assign(groups_.size(), 0);
  for (std::size_t i = 0; i < last.bits.size(); ++i) {
    allPairs_.push_back(static_cast<int>(i));
    for (int suit = 0; suit < 4; ++suit) {
      if (last.bits[i] >> (16 * suit) & 0x1FFF) pairsWithSuit_[suit].push_back(static_cast<int>(i));
      if (!(last.bits[i] & ~(0x1FFFull << (16 * suit)))) pairsInSuit_[suit].push_back(static_cast<int>(i));
    }
  }
  classCount_.assign(static_cast<std::size_t>(kStartHandClasses) * seatCount_, 0);
  for (int c : last.startClass) pairGroup_.push_back(groupOfClass_[c]);
  if (!groupedPerHand_) return;
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    groupsWithValue_[groups_[g].high - 2].push_back(static_cast<int>(g));
    if (groups_[g].low != groups_[g].high) groupsWithValue_[groups_[g].low - 2].push_back(static_cast<int>(g));
  }
  pairOfCards_.assign(64 * 64, -1);
  auto placeAmong = [&](int card, int group) {
    const auto& withValue = groupsWithValue_[card & 15];
    return static_cast<std::uint8_t>(std::find(withValue.begin(), withValue.end(), group) - withValue.begin());
  };
  for (std::size_t i = 0; i < last.bits.size(); ++i) {
    const int x = std::countr_zero(last.bits[i]), y = 63 - std::countl_zero(last.bits[i]);
    pairCards_.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), placeAmong(x, pairGroup_[i]),
                          placeAmong(y, pairGroup_[i])});
    pairOfCards_[x * 64 + y] = static_cast<int>(i);
  }
  heldWithBoth_.assign(last.bits.size(), 0);
  wonWithBoth_.assign(last.bits.size(), 0);
  wonOwn_.assign(last.bits.size(), 0);
  groupUnits_.assign(groups_.size(), 0);
  wonAll_.assign(groups_.size(), 0);
}

bool ExactBoardScorer::GroupsLastWithPerHand(const ExactDeals& deals, bool perHand) {
  // With per-hand figures a seat goes by values only against one fixed pair,
  // whose own figures are not kept (NoteGroupedPerHand).
  if (!perHand || deals.SeatCount() != 2) return false;
  const std::size_t many = deals.combos[0].size() == 1 ? 1 : 0;
  return deals.combos[1 - many].size() == 1 && !deals.dealt[1 - many] && deals.dealt[many] &&
         CountableByValues(deals.combos[many], deals.boardCards);
}

std::int64_t ExactBoardScorer::Score(const BoardCompletion& completion, RunStats& stats) {
  if (fixedSeats_) return ScoreFixedSeats(completion, stats);
  completionBits_ = completion.bits;
  Evaluate(completion);
  deals_ = weightedDeals_ = 0;
  boardWeight_ = static_cast<std::uint64_t>(completion.weight);
  Views views{};
  for (int p = 0; p < seatCount_; ++p) views[p] = &candidates_[seatCount_][p];
  if (weighted_) {
    perHand_ ? Assign<true, true>(0, completion.bits, 0, 0, nullptr, views)
             : Assign<true, false>(0, completion.bits, 0, 0, nullptr, views);
  } else {
    perHand_ ? Assign<false, true>(0, completion.bits, 0, 0, nullptr, views)
             : Assign<false, false>(0, completion.bits, 0, 0, nullptr, views);
  }
  AddUnits(completion, stats);
  stats.hands += (weighted_ ? weightedDeals_ : deals_) * completion.weight;
  return deals_ * completion.weight;
}

std::int64_t ExactBoardScorer::ScoreFixedSeats(const BoardCompletion& completion, RunStats& stats) {
  // The board's cards exclude every fixed seat's, so the completion is one
  // deal, unless it takes a card of a range left with one pair; a seat's one
  // pair weighs 1.
  if (completion.bits & fixedHoleBits_) return 0;
  const FastEvaluator& evaluator = FastEvaluator::Get();
  const std::uint64_t boardBits = completion.bits | fixedBoardBits_;
  HandKey best = 0;
  std::uint32_t winners = 0;
  for (int p = 0; p < seatCount_; ++p) {
    const std::uint64_t sum = completion.key + fixedKey_[p];
    const HandKey h = FastEvaluator::HasFlush(sum) ? evaluator.WithFlush(sum, boardBits | fixedBits_[p])
                                                   : evaluator.NoFlush(sum);
    const std::uint32_t bit = 1u << p;
    winners = h > best ? bit : winners | (h == best ? bit : 0u);
    best = std::max(best, h);
  }
  if (!perHand_) {
    const std::uint32_t outcome = winners << 4 | static_cast<std::uint32_t>(HandClass(best));
    if (fixedOutcomes_[outcome] == 0) fixedTouched_.push_back(outcome);
    fixedOutcomes_[outcome] += completion.weight;
    stats.hands += completion.weight;
    return completion.weight;
  }
  // With per-hand figures, deal by deal.
  const int ties = std::popcount(winners);
  const std::int64_t units = share_[ties] * completion.weight;
  CreditFixedWinners(stats, winners, HandClass(best), units);
  // A seat dealt from a range of which one combination is left.
  for (std::size_t p = 0; p < places_.size(); ++p) {
    if (!places_[p].dealt) continue;
    const std::size_t i = static_cast<std::size_t>(places_[p].slot) * kAllCombos + places_[p].combo[0];
    if (itemHeld_[i] == 0) itemTouched_.push_back(static_cast<std::uint32_t>(i));
    itemHeld_[i] += completion.weight;
    if (winners >> p & 1) itemWon_[i] += units;
  }
  stats.hands += completion.weight;
  return completion.weight;
}

void ExactBoardScorer::CreditFixedWinners(RunStats& stats, std::uint32_t winners, int handClass,
                                          std::int64_t units) {
  const int ties = std::popcount(winners);
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(seatCount_, 1, handClass);
  for (int p = 0; p < seatCount_; ++p) {
    if (!(winners >> p & 1)) continue;
    stats.WinStat2[stats.WinStat2Index(fixedSeat_[p] + 1, handClass, ties)] += units;
    statistic[(fixedStartClass_[p] - 1) * RunStats::kClasses] += units;
    seatUnits_[fixedSeat_[p]] += units;
  }
}

std::array<std::int64_t, 10> ExactBoardScorer::TakeSeatUnits(RunStats& stats) {
  for (std::uint32_t outcome : fixedTouched_) {
    const std::uint32_t winners = outcome >> 4;
    const int h = static_cast<int>(outcome & 15), ties = std::popcount(winners);
    CreditFixedWinners(stats, winners, h, share_[ties] * fixedOutcomes_[outcome]);
    fixedOutcomes_[outcome] = 0;
  }
  fixedTouched_.clear();
  const auto units = seatUnits_;
  seatUnits_ = {};
  return units;
}

void ExactBoardScorer::Evaluate(const BoardCompletion& completion) {
  const FastEvaluator& evaluator = FastEvaluator::Get();
  const std::uint64_t boardBits = completion.bits | fixedBoardBits_;
  auto evaluate = [&](std::uint64_t comboKey, std::uint64_t comboBits) {
    const std::uint64_t sum = completion.key + comboKey;
    return FastEvaluator::HasFlush(sum) ? evaluator.WithFlush(sum, boardBits | comboBits) : evaluator.NoFlush(sum);
  };
  // Five board cards have three or more of at most one suit. With three,
  // only a pair of two cards of that suit makes a flush; with four, any pair
  // with one; with five, every pair may improve the board's flush.
  oneByOneSuits_ = suitedLane_ = 0;
  suitedSuit_ = 0;
  const std::vector<int>* oneByOne = nullptr;
  if (groupLast_ || valueHands_) {
    for (int suit = 0; suit < 4; ++suit) {
      const int onBoard = static_cast<int>(completion.key >> (32 + 4 * suit) & 0xF) - 3;
      if (onBoard == 3) {
        suitedLane_ = 0x1FFFull << (16 * suit);
        suitedSuit_ = 1u << suit;
        oneByOne = &pairsInSuit_[suit];
      } else if (onBoard >= 4) {
        oneByOneSuits_ = onBoard >= 5 ? ~0ull : 0x1FFFull << (16 * suit);
        oneByOne = onBoard >= 5 ? &allPairs_ : &pairsWithSuit_[suit];
      }
    }
    for (std::size_t g = 0; g < groups_.size(); ++g) {
      groupHand_[g] = evaluator.NoFlush(static_cast<std::uint32_t>(completion.key) + groups_[g].key);
    }
  }
  const std::size_t evaluated = places_.size() - (groupLast_ ? 1 : 0);
  for (std::size_t p = 0; p < evaluated; ++p) {
    Place& place = places_[p];
    Candidates& all = candidates_[seatCount_][p];
    const bool byValues = valueHands_ && p + 1 == places_.size();
    all.size = 0;
    for (std::size_t i = 0; i < place.bits.size(); ++i) {
      if (place.bits[i] & completion.bits) {
        place.hand[i] = 0;
        continue;
      }
      // A pair that cannot make a flush holds its values' hand.
      place.hand[i] = byValues && !MayFlush(place.bits[i]) ? groupHand_[pairGroup_[i]]
                                                                      : evaluate(place.key[i], place.bits[i]);
      all.bits[all.size] = place.bits[i];
      all.hand[all.size] = place.hand[i];
      all.pair[all.size++] = static_cast<std::uint32_t>(i);
    }
  }
  // The last two places highest hand first; the levels before keep that order as they filter.
  for (int p = seatCount_ - 2; sortedLast_ && p < seatCount_; ++p) {
    Candidates& all = candidates_[seatCount_][p];
    for (std::size_t k = 0; k < all.size; ++k) sortBuffer_[k] = {all.hand[k], all.pair[k], all.bits[k]};
    std::sort(sortBuffer_.begin(), sortBuffer_.begin() + static_cast<std::ptrdiff_t>(all.size),
              [](const Entry& x, const Entry& y) { return x.hand > y.hand; });
    for (std::size_t k = 0; k < all.size; ++k) {
      all.hand[k] = sortBuffer_[k].hand;
      all.pair[k] = sortBuffer_[k].pair;
      all.bits[k] = sortBuffer_[k].bits;
    }
  }
  if (!groupLast_) return;
  Place& last = places_.back();
  last.oneByOne.clear();
  if (!oneByOne) return;
  for (int i : *oneByOne) {
    if (!(last.bits[i] & completion.bits)) {
      last.oneByOne.push_back(i);
      last.hand[i] = evaluate(last.key[i], last.bits[i]);
    }
  }
}

template <bool kWeighted, bool kHeld>
void ExactBoardScorer::Assign(int level, std::uint64_t used, HandKey best, int ties, const Winner* winners,
                              const Views& views) {
  // The product of the weights of the pairs chosen before; 1 unless weighted.
  const std::uint64_t weight = kWeighted ? levelWeight_[level] : 1;
  // Indexing the last list costs more than a few pairs of scanning it.
  if (sortedLast_ && level == seatCount_ - 2 && views[level]->size * views[level + 1]->size >= 256) {
    AssignLastTwo<kWeighted, kHeld>(used, best, ties, winners, views);
    return;
  }
  Place& place = places_[level];
  const Candidates& mine = *views[level];
  const std::uint64_t* bits = mine.bits.data();
  const HandKey* hand = mine.hand.data();
  const std::size_t size = mine.size;
  if (level + 1 < seatCount_) {
    Winner* next = winnerLists_[level + 1].data();
    // The places two levels on and deeper get this choice's candidates (the
    // grouped last place keeps its own ways); the next level checks the
    // choice itself as it goes.
    const int filteredTo = seatCount_ - (groupLast_ ? 1 : 0);
    Views deeper = views;
    for (std::size_t k = 0; k < size && !stopped_; ++k) {
      const std::uint64_t b = bits[k];
      if (b & used) continue;
      bool dead = false;
      for (int m = level + 2; m < filteredTo; ++m) {
        const Candidates& from = *views[m];
        Candidates& to = candidates_[level][m];
        std::size_t n = 0;
        for (std::size_t j = 0; j < from.size; ++j) {
          to.bits[n] = from.bits[j];
          to.hand[n] = from.hand[j];
          to.pair[n] = from.pair[j];
          n += (from.bits[j] & b) == 0;
        }
        to.size = n;
        deeper[m] = &to;
        dead = dead || n == 0;
      }
      if (dead) continue;  // a deeper place has no pair left: no deal
      if constexpr (kWeighted) levelWeight_[level + 1] = weight * place.weight[mine.pair[k]];
      // The deals below this choice are those in which the place holds the pair.
      const std::int64_t dealsBefore = kWeighted ? weightedDeals_ : deals_;
      const HandKey h = hand[k];
      if (h < best) {
        Assign<kWeighted, kHeld>(level + 1, used | b, best, ties, winners, deeper);
      } else {
        const int kept = h == best ? ties : 0;
        std::copy(winners, winners + kept, next);
        next[kept] = {level, static_cast<int>(mine.pair[k])};
        Assign<kWeighted, kHeld>(level + 1, used | b, h, kept + 1, next, deeper);
      }
      if constexpr (kHeld) {
        place.held[mine.pair[k]] +=
            static_cast<std::uint64_t>((kWeighted ? weightedDeals_ : deals_) - dealsBefore) * boardWeight_;
      }
    }
    return;
  }
  if (++lastSeatRounds_ % 4096 == 0) stopped_ = stopped_ || stop_.Now();
  if (groupLast_) {
    AssignGroupedLast<kWeighted>(used, best, ties, winners);
    return;
  }

  // The last seat: count its pairs against the prefix's best hand without branches.
  const std::uint32_t* pair = mine.pair.data();
  std::uint64_t* alone = place.count.data();
  std::uint64_t* tied = place.count.data() + static_cast<std::size_t>(ties) * place.bits.size();
  std::uint64_t less = 0, equal = 0, valid = 0;
  if constexpr (kWeighted) {
    // The last pairs' own weights are left to AddUnits; the winners before
    // count the weights of the pairs they beat or tie.
    const std::uint64_t* own = place.weight.data();
    std::uint64_t validWeight = 0;
    for (std::size_t k = 0; k < size; ++k) {
      const std::uint64_t ok = (bits[k] & used) == 0;
      const HandKey h = hand[k];
      const std::uint64_t w = own[pair[k]];
      alone[pair[k]] += weight * (ok & (h > best));
      tied[pair[k]] += weight * (ok & (h == best));
      if constexpr (kHeld) place.held[pair[k]] += weight * ok * boardWeight_;
      less += w * (ok & (h < best));
      equal += w * (ok & (h == best));
      validWeight += w * ok;
      valid += ok;
    }
    weightedDeals_ += static_cast<std::int64_t>(weight * validWeight);
  } else {
    for (std::size_t k = 0; k < size; ++k) {
      const std::uint64_t ok = (bits[k] & used) == 0;
      const HandKey h = hand[k];
      alone[pair[k]] += ok & (h > best);
      tied[pair[k]] += ok & (h == best);
      if constexpr (kHeld) place.held[pair[k]] += ok * boardWeight_;
      less += ok & (h < best);
      equal += ok & (h == best);
      valid += ok;
    }
  }
  deals_ += static_cast<std::int64_t>(valid);
  for (int w = 0; w < ties; ++w) {
    Place& winner = places_[winners[w].place];
    const auto base = static_cast<std::size_t>(winners[w].pair);
    winner.count[(ties - 1) * winner.bits.size() + base] += weight * less;
    winner.count[ties * winner.bits.size() + base] += weight * equal;
  }
}

template <bool kWeighted, bool kHeld>
void ExactBoardScorer::AssignLastTwo(std::uint64_t used, HandKey best, int ties, const Winner* winners,
                                     const Views& views) {
  const int level = seatCount_ - 2;
  const std::uint64_t weight = kWeighted ? levelWeight_[level] : 1;
  const Candidates& mine = *views[level];
  const Candidates& last = *views[level + 1];
  Place& place = places_[level];
  Place& lastPlace = places_[level + 1];
  const std::size_t n = last.size;
  if (n == 0) return;
  if (++lastSeatRounds_ % 256 == 0) stopped_ = stopped_ || stop_.Now();
  // A pair's two cards: its lowest and its highest bit.
  auto low = [](std::uint64_t bits) { return static_cast<std::uint8_t>(std::countr_zero(bits) & 63); };
  auto high = [](std::uint64_t bits) { return static_cast<std::uint8_t>((63 - std::countl_zero(bits)) & 63); };
  auto lastWeight = [&](std::size_t pos) -> std::uint64_t { return kWeighted ? lastPlace.weight[last.pair[pos]] : 1; };
  // Without weights every sum counts pairs of one place, at most 1,326, which
  // 16 bits hold: less to clear for every call.
  using Sum = std::conditional_t<kWeighted, std::uint64_t, std::uint16_t>;

  // Sums by card: of the last list's weights, whole and over the hands
  // above and from the running top; of this place's deal weights, whole and
  // over the hands above and from the running last hand. A pair meets
  // another through either card, less once its twin of the very same two
  // cards, which meets it through both and always holds the same hand.
  struct {
    std::array<Sum, 64> lastAll, lastAbove, lastFrom, mineAll, mineAbove, mineFrom;
    std::array<Sum, kWeighted ? 64 : 0> lastCount;  // with weights: the pairs, for the deals counted
  } sums{};
  Sum lastTotal = 0, mineTotal = 0;
  for (std::size_t pos = 0; pos < n; ++pos) {
    const std::uint64_t b = last.bits[pos];
    const Sum w = static_cast<Sum>(lastWeight(pos));
    const std::uint8_t c1 = low(b), c2 = high(b);
    lastCards_[pos] = {c1, c2};
    sums.lastAll[c1] += w;
    sums.lastAll[c2] += w;
    if constexpr (kWeighted) {
      ++sums.lastCount[c1];
      ++sums.lastCount[c2];
    }
    lastTotal += w;
  }
  // This place's pairs clear of the previous level's choice, with the weight of their deals so far.
  std::size_t m = 0;
  // (Written whether clear or not, and kept if clear: about half are not, past guessing.)
  for (std::size_t k = 0; k < mine.size; ++k) {
    const std::uint64_t b = mine.bits[k];
    const bool clear = (b & used) == 0;
    MinePair& p = minePairs_[m];
    p.hand = mine.hand[k];
    p.pair = mine.pair[k];
    p.card1 = low(b);
    p.card2 = high(b);
    p.weight = kWeighted ? weight * place.weight[p.pair] : 1;
    const Sum w = clear ? static_cast<Sum>(p.weight) : Sum{0};
    sums.mineAll[p.card1] += w;
    sums.mineAll[p.card2] += w;
    mineTotal += w;
    m += clear;
  }

  // This place's pairs, highest hand first: the top to beat falls, so the
  // last hands above it and from it grow as the pairs go.
  const std::size_t pairs = place.bits.size();
  std::uint64_t lowLess = 0, lowEqual = 0, evenLess = 0, evenEqual = 0;
  std::size_t above = 0, from = 0;
  Sum weightAbove = 0, weightFrom = 0;
  for (std::size_t j = 0; j < m; ++j) {
    const MinePair& p = minePairs_[j];
    const HandKey h = p.hand;
    const HandKey top = std::max(h, best);
    for (; above < n && last.hand[above] > top; ++above) {
      const Sum w = static_cast<Sum>(lastWeight(above));
      sums.lastAbove[lastCards_[above][0]] += w;
      sums.lastAbove[lastCards_[above][1]] += w;
      weightAbove += w;
    }
    for (; from < n && last.hand[from] >= top; ++from) {
      const Sum w = static_cast<Sum>(lastWeight(from));
      sums.lastFrom[lastCards_[from][0]] += w;
      sums.lastFrom[lastCards_[from][1]] += w;
      weightFrom += w;
    }
    const std::uint8_t c1 = p.card1, c2 = p.card2;
    // A pair clear of the cards chosen so far has its twin in the last list too.
    const int twin = lastTwin_[p.pair];
    const Sum sameWeight =
        twin < 0 ? Sum{0} : kWeighted ? static_cast<Sum>(lastPlace.weight[static_cast<std::size_t>(twin)]) : Sum{1};
    const auto greater = static_cast<Sum>(weightAbove - sums.lastAbove[c1] - sums.lastAbove[c2]);
    const auto atLeast =
        static_cast<Sum>(weightFrom - sums.lastFrom[c1] - sums.lastFrom[c2] + (h >= best ? sameWeight : Sum{0}));
    const auto all = static_cast<Sum>(lastTotal - sums.lastAll[c1] - sums.lastAll[c2] + sameWeight);
    const std::uint64_t equal = static_cast<Sum>(atLeast - greater), less = static_cast<Sum>(all - atLeast);
    const std::uint64_t w = p.weight;
    if constexpr (kWeighted) {
      deals_ += static_cast<std::int64_t>(n - sums.lastCount[c1] - sums.lastCount[c2] + (twin >= 0));
      weightedDeals_ += static_cast<std::int64_t>(w * all);
    } else {
      deals_ += static_cast<std::int64_t>(all);
    }
    if constexpr (kHeld) place.held[p.pair] += w * all * boardWeight_;
    if (h > best) {
      place.count[p.pair] += w * less;
      place.count[pairs + p.pair] += w * equal;
    } else if (h == best) {
      place.count[static_cast<std::size_t>(ties) * pairs + p.pair] += w * less;
      place.count[static_cast<std::size_t>(ties + 1) * pairs + p.pair] += w * equal;
      evenLess += w * less;
      evenEqual += w * equal;
    } else {
      lowLess += w * less;
      lowEqual += w * equal;
    }
  }
  for (int i = 0; i < ties; ++i) {
    Place& winner = places_[winners[i].place];
    const auto base = static_cast<std::size_t>(winners[i].pair);
    const std::size_t size = winner.bits.size();
    winner.count[static_cast<std::size_t>(ties - 1) * size + base] += lowLess;
    winner.count[static_cast<std::size_t>(ties) * size + base] += lowEqual + evenLess;
    winner.count[static_cast<std::size_t>(ties + 1) * size + base] += evenEqual;
  }

  // The last list, highest hand first, against this place's pairs below and
  // level with each hand; its own weights are left to AddUnits.
  const std::size_t lastPairs = lastPlace.bits.size();
  std::size_t mineAboveEnd = 0, mineFromEnd = 0;
  Sum mineWeightAbove = 0, mineWeightFrom = 0;
  std::size_t pos = 0;
  for (; pos < n; ++pos) {
    const HandKey x = last.hand[pos];
    if (x < best) break;
    for (; mineAboveEnd < m && minePairs_[mineAboveEnd].hand > x; ++mineAboveEnd) {
      const MinePair& p = minePairs_[mineAboveEnd];
      sums.mineAbove[p.card1] += static_cast<Sum>(p.weight);
      sums.mineAbove[p.card2] += static_cast<Sum>(p.weight);
      mineWeightAbove += static_cast<Sum>(p.weight);
    }
    for (; mineFromEnd < m && minePairs_[mineFromEnd].hand >= x; ++mineFromEnd) {
      const MinePair& p = minePairs_[mineFromEnd];
      sums.mineFrom[p.card1] += static_cast<Sum>(p.weight);
      sums.mineFrom[p.card2] += static_cast<Sum>(p.weight);
      mineWeightFrom += static_cast<Sum>(p.weight);
    }
    const std::uint8_t c1 = lastCards_[pos][0], c2 = lastCards_[pos][1];
    const std::size_t pair = last.pair[pos];
    const int twin = mineTwin_[pair];
    const Sum sameWeight =
        twin < 0 ? Sum{0} : kWeighted ? static_cast<Sum>(weight * place.weight[static_cast<std::size_t>(twin)]) : Sum{1};
    const auto all = static_cast<Sum>(mineTotal - sums.mineAll[c1] - sums.mineAll[c2] + sameWeight);
    if constexpr (kHeld) lastPlace.held[pair] += all * boardWeight_;
    const auto atLeast = static_cast<Sum>(mineWeightFrom - sums.mineFrom[c1] - sums.mineFrom[c2] + sameWeight);
    const auto greater = static_cast<Sum>(mineWeightAbove - sums.mineAbove[c1] - sums.mineAbove[c2]);
    const std::size_t row = x > best ? 0 : static_cast<std::size_t>(ties);
    lastPlace.count[row * lastPairs + pair] += static_cast<Sum>(all - atLeast);
    lastPlace.count[(row + 1) * lastPairs + pair] += static_cast<Sum>(atLeast - greater);
  }
  // Below the best hand so far a last pair wins nothing: per-hand figures
  // still count the deals it is held in, which need no running sums.
  if constexpr (kHeld) {
    for (; pos < n; ++pos) {
      const std::size_t pair = last.pair[pos];
      const int twin = mineTwin_[pair];
      const Sum sameWeight =
          twin < 0 ? Sum{0} : kWeighted ? static_cast<Sum>(weight * place.weight[static_cast<std::size_t>(twin)]) : Sum{1};
      lastPlace.held[pair] += static_cast<Sum>(mineTotal - sums.mineAll[lastCards_[pos][0]] -
                                               sums.mineAll[lastCards_[pos][1]] + sameWeight) *
                              boardWeight_;
    }
  }
}

void ExactBoardScorer::NoteGroupedPerHand(std::uint64_t used, HandKey best, std::uint64_t w0) {
  const auto held = static_cast<std::int64_t>(w0 * boardWeight_);
  const std::int64_t alone = held * share_[1], tied = held * share_[2];
  auto units = [&](HandKey h) { return h > best ? alone : h == best ? tied : 0; };
  std::array<int, 5> cards{};
  int count = 0;
  for (std::uint64_t b = completionBits_; b != 0 && count < 5; b &= b - 1) cards[count++] = std::countr_zero(b);
  heldAll_ += held;
  const std::size_t groups = groups_.size();
  for (std::size_t g = 0; g < groups; ++g) {
    groupUnits_[g] = units(groupHand_[g]);
    wonAll_[g] += groupUnits_[g];
  }
  for (int k = 0; k < count; ++k) {
    const int x = cards[k];
    heldWith_[x] += held;
    std::int64_t* row = wonWith_.data() + static_cast<std::size_t>(x) * 13;
    for (int g : groupsWithValue_[x & 15]) *row++ += groupUnits_[g];
    for (int l = k + 1; l < count; ++l) {
      const int i = pairOfCards_[x * 64 + cards[l]];
      if (i < 0) continue;
      heldWithBoth_[i] += held;
      wonWithBoth_[i] += groupUnits_[pairGroup_[i]];
    }
  }
  const Place& last = places_.back();
  for (int i : last.oneByOne) {
    if (last.bits[i] & used) continue;
    wonOwn_[i] += units(last.hand[i]) - groupUnits_[pairGroup_[i]];
  }
}

template <bool kWeighted>
void ExactBoardScorer::AssignGroupedLast(std::uint64_t used, HandKey best, int ties, const Winner* winners) {
  // The grouped place's pairs all weigh 1: the deals weigh what the places before do.
  const std::uint64_t w0 = kWeighted ? levelWeight_[seatCount_ - 1] : 1;
  Place& place = places_.back();
  const std::size_t pairs = place.bits.size();
  std::uint64_t* alone = place.count.data();
  std::uint64_t* tied = place.count.data() + static_cast<std::size_t>(ties) * pairs;
  std::uint64_t less = 0, equal = 0, valid = 0;
  for (int i : place.oneByOne) {
    const std::uint64_t ok = (place.bits[i] & used) == 0;
    const HandKey h = place.hand[i];
    alone[i] += w0 * (ok & (h > best));
    tied[i] += w0 * (ok & (h == best));
    less += ok & (h < best);
    equal += ok & (h == best);
    valid += ok;
  }

  // The rest by values: for each value, the set of suits in which it is free.
  const std::uint64_t free = freeBits_ & ~used & ~oneByOneSuits_;
  std::array<unsigned, 13> suits{};
  for (int v = 0; v < 13; ++v) {
    suits[v] = static_cast<unsigned>((free >> v & 1) | (free >> (15 + v) & 2) | (free >> (30 + v) & 4) |
                                     (free >> (45 + v) & 8));
  }
  std::uint64_t* wonAlone = classCount_.data();
  std::uint64_t* wonTied = classCount_.data() + static_cast<std::size_t>(ties) * kStartHandClasses;
  auto tally = [&](std::uint64_t pairsOfClass, int startClass, HandKey h) {
    wonAlone[startClass - 1] += w0 * pairsOfClass * (h > best);
    wonTied[startClass - 1] += w0 * pairsOfClass * (h == best);
    less += pairsOfClass * (h < best);
    equal += pairsOfClass * (h == best);
    valid += pairsOfClass;
  };
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    const ValueGroup& group = groups_[g];
    const unsigned high = suits[group.high - 2], low = suits[group.low - 2];
    if (group.high == group.low) {
      const std::uint64_t n = kSuitCount[high];
      tally(n * (n - (n > 0)) / 2 * group.suitedOn, group.suitedClass, groupHand_[g]);
    } else {
      const std::uint64_t suited = kSuitCount[high & low];  // those of suitedSuit_ went one by one
      tally(kSuitCount[high & low & ~suitedSuit_] * group.suitedOn, group.suitedClass, groupHand_[g]);
      tally((kSuitCount[high] * kSuitCount[low] - suited) * group.offsuitOn, group.offsuitClass, groupHand_[g]);
    }
  }

  if (groupedPerHand_) NoteGroupedPerHand(used, best, w0);

  deals_ += static_cast<std::int64_t>(valid);
  if constexpr (kWeighted) weightedDeals_ += static_cast<std::int64_t>(w0 * valid);
  for (int w = 0; w < ties; ++w) {
    Place& winner = places_[winners[w].place];
    const auto base = static_cast<std::size_t>(winners[w].pair);
    winner.count[(ties - 1) * winner.bits.size() + base] += w0 * less;
    winner.count[ties * winner.bits.size() + base] += w0 * equal;
  }
}

void ExactBoardScorer::AddUnits(const BoardCompletion& completion, RunStats& stats) {
  const int n = seatCount_;
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(n, 1, 1);
  // Returns the units added.
  auto add = [&](std::uint64_t& count, int seat, int k, int startClass, HandKey hand,
                 std::uint64_t ownWeight = 1) -> std::int64_t {
    if (count == 0) return 0;
    const std::int64_t units =
        static_cast<std::int64_t>(count * ownWeight) * share_[k] * completion.weight;
    count = 0;
    const int h = HandClass(hand);
    stats.WinStat2[stats.WinStat2Index(seat + 1, h, k)] += units;
    seatUnits_[seat] += units;
    statistic[(startClass - 1) * RunStats::kClasses + (h - 1)] += units;
    return units;
  };
  for (std::size_t p = 0; p < places_.size(); ++p) {
    Place& place = places_[p];
    const std::size_t pairs = place.bits.size();
    const bool grouped = groupLast_ && p + 1 == places_.size();
    // The last place's counts leave out its own weights.
    const bool weighOwn = weighted_ && p + 1 == places_.size();
    if (place.dealt && !grouped) {
      // The item's units won, pair by pair; TakePerHandItem hands them over with the deals held.
      std::int64_t* won = place.won.data();
      for (int k = 1; k <= n; ++k) {
        std::uint64_t* count = place.count.data() + (k - 1) * pairs;
        for (std::size_t i = 0; i < pairs; ++i) {
          // Most pairs win no pot split k ways: leave their sums be.
          if (count[i] == 0) continue;
          won[i] += add(count[i], place.seat, k, place.startClass[i], place.hand[i], weighOwn ? place.weight[i] : 1);
        }
      }
      continue;
    }
    for (int k = 1; k <= n; ++k) {
      std::uint64_t* count = place.count.data() + (k - 1) * pairs;
      if (!grouped) {
        for (std::size_t i = 0; i < pairs; ++i) {
          add(count[i], place.seat, k, place.startClass[i], place.hand[i], weighOwn ? place.weight[i] : 1);
        }
        continue;
      }
      for (int i : place.oneByOne) add(count[i], place.seat, k, place.startClass[i], place.hand[i]);
      std::uint64_t* byClass = classCount_.data() + (k - 1) * kStartHandClasses;
      for (int c = 1; c <= kStartHandClasses; ++c) add(byClass[c - 1], place.seat, k, c, groupHand_[groupOfClass_[c]]);
    }
  }
}

void FillWinSums(RunStats& stats) {
  for (int p = 0; p < RunStats::kSeats; ++p) {
    stats.WinRecord[p] = 0;
    for (int h = 1; h <= RunStats::kClasses; ++h) {
      stats.WinStat[p][h - 1] = 0;
      for (int k = 1; k <= stats.active; ++k) stats.WinStat[p][h - 1] += stats.WinStat2At(p + 1, h, k);
      stats.WinRecord[p] += stats.WinStat[p][h - 1];
    }
  }
}

}  // namespace zuv::sim
