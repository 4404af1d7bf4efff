#pragma once
// The work of the exact enumeration for one board: every possible hole-card
// pair of every seat is evaluated once on that board, then every joint
// assignment of the seats is scored from those hand keys.
//
// Scores are first counted per seat and pair of hole cards (how many deals it
// won alone, split two ways, ...), since a pair's hand class on one board is
// fixed; the end of Score turns the counts into units of the statistics.
//
// A last seat with many pairs made of whole starting-hand classes (any two
// cards, or a wide range such as 22+,A2+) takes its pairs' hands from their
// values: pairs that cannot make a flush and have the same two values hold
// the same hand, so one evaluation stands for all of them. Only the pairs that
// may flush are evaluated one by one: two cards of a suit with three board
// cards, or a card of a suit with four or more. Against a single pair before
// it (or a few), such a seat is also counted by values, a count of the free
// pairs (from the free suits of each value) standing for a group; against
// more, searching its sorted hands is quicker.

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <vector>

#include "sim/exact_boards.h"
#include "sim/exact_deals.h"
#include "sim/hand_key.h"
#include "sim/hand_range.h"
#include "sim/run_stats.h"

namespace zuv::sim {

// When an enumeration is to end early: a flag raised from outside, or a time.
struct ExactStop {
  const std::atomic<bool>* flag = nullptr;
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
  bool Now() const {
    return (flag && flag->load(std::memory_order_relaxed)) || std::chrono::steady_clock::now() >= deadline;
  }
};

class ExactBoardScorer {
 public:
  // A board can take seconds when several seats hold any two cards, so the
  // scorer itself also listens to `stop` and leaves the board unfinished:
  // the deals it did count are scored in full, and Stopped() says so.
  // `perHand`: Score also counts per-hand figures for the seats dealt from
  // a range or at random, per combination the deals held and the units won,
  // by weight, which TakePerHandItem hands over.
  explicit ExactBoardScorer(const ExactDeals& deals, ExactStop stop = {}, bool perHand = false);

  // Scores every deal on this board completion, adds weight times each
  // score to `stats` (WinStat2, Statistic and hands; WinRecord and WinStat
  // are left to FillWinSums) and returns the number of deals counted. With
  // weighted combinations (HoleCombo::weight) every deal counts its weight,
  // the product of its seats' weights, in hands and in the units won; the
  // number returned is still that of the deals.
  std::int64_t Score(const BoardCompletion& completion, RunStats& stats);

  // Whether the scorer of `deals` counts a seat by values with per-hand
  // figures: then an item's hand-over costs about as much as 500 boards,
  // and items should hold at least kGroupedItemBoards of them.
  static bool GroupsLastWithPerHand(const ExactDeals& deals, bool perHand);
  static constexpr std::size_t kGroupedItemBoards = 512;

  bool Stopped() const { return stopped_; }
  // Stops from outside, between boards.
  void Stop() { stopped_ = true; }
  // Adds the scores Score held back to `stats` and returns the units won by
  // each seat index 0..9 since the last call (weights included).
  std::array<std::int64_t, 10> TakeSeatUnits(RunStats& stats);
  // With per-hand figures: calls visit(entry, held, won) for each per-hand
  // entry (PerHandStats index) held since the last call, with the deals held
  // and the units won since then. Score leaves them out of its statistics:
  // the caller adds them, once per item rather than once per board.
  template <typename Visit>
  void TakePerHandItem(Visit&& visit) {
    for (std::uint32_t entry : itemTouched_) {
      visit(std::size_t{entry}, itemHeld_[entry], itemWon_[entry]);
      itemHeld_[entry] = itemWon_[entry] = 0;
    }
    itemTouched_.clear();
    for (std::size_t p = 0; p < places_.size(); ++p) {
      Place& place = places_[p];
      if (!place.dealt) continue;
      if (groupedPerHand_ && p + 1 == places_.size()) {
        TakeGroupedItem(place, visit);
        continue;
      }
      // The last place's deals held leave out its own weights, as its counts do.
      const bool weighOwn = weighted_ && p + 1 == places_.size();
      const std::size_t base = static_cast<std::size_t>(place.slot) * kAllCombos;
      for (std::size_t i = 0; i < place.held.size(); ++i) {
        if (place.held[i] == 0) continue;  // nothing held, nothing won
        const std::uint64_t own = weighOwn ? place.weight[i] : 1;
        visit(base + static_cast<std::size_t>(place.combo[i]), static_cast<std::int64_t>(place.held[i] * own),
              place.won[i]);
        place.held[i] = 0;
        place.won[i] = 0;
      }
    }
  }

 private:
  // Credits `units` to every seat with fixed cards among `winners` (one bit
  // per seat) whose best hand is of `handClass`.
  void CreditFixedWinners(RunStats& stats, std::uint32_t winners, int handClass, std::int64_t units);

  struct Place {
    int seat = 0;  // seat index 0..9
    std::vector<std::uint64_t> bits, key;  // the pairs' CardBit and CardKey sums
    std::vector<int> startClass;
    std::vector<std::uint64_t> weight;     // HoleCombo::weight
    std::vector<int> combo;                // ComboIndex of each pair
    bool dealt = false;                    // a seat with a range or any two cards: per-hand figures kept
    int slot = -1;                         // if dealt: its place among the kept seats (PerHandStats::seats)
    // If dealt: the deals (by weight, as in count, and by the boards' weights) in which the place
    // held each pair since the last TakePerHandItem, and the units it won with it. Kept by pair
    // rather than by PerHandStats index: a board adds to them in the order of the pairs.
    std::vector<std::uint64_t> held;
    std::vector<std::int64_t> won;
    std::vector<HandKey> hand;             // on the current board; 0 if a card is on the board
    // [(k - 1) * pairs + pair]: deals won with k - 1 others, each counted by
    // its weight; the last place's leave out its own pair's weight.
    std::vector<std::uint64_t> count;
    std::vector<int> oneByOne;             // grouped last place: its pairs scored one by one on this board
  };
  struct Winner {
    int place, pair;
  };
  // A place's pairs that meet neither the board nor the cards chosen so far
  // (all but the previous level's): the deeper levels scan these instead of
  // every pair, since with many seats most pairs are taken.
  struct Candidates {
    std::vector<std::uint64_t> bits;
    std::vector<HandKey> hand;
    std::vector<std::uint32_t> pair;  // index into the place's pairs
    std::size_t size = 0;
    void Reserve(std::size_t n) {
      bits.resize(n);
      hand.resize(n);
      pair.resize(n);
    }
  };
  using Views = std::array<const Candidates*, 10>;
  // Two values of hole cards; high == low for a pair.
  struct ValueGroup {
    int high, low;
    int suitedClass, offsuitClass;  // starting-hand classes; a pair's in suitedClass
    std::uint32_t key;              // value part of the two cards' CardKey sum
    std::uint64_t suitedOn, offsuitOn;  // 1 if the seat holds the class (a pair: suitedOn)
  };

  // Every seat with its one pair of cards: one deal per board, scored straight.
  std::int64_t ScoreFixedSeats(const BoardCompletion& completion, RunStats& stats);
  void Evaluate(const BoardCompletion& completion);
  // Scores the assignments of places level.. given the cards used so far and
  // the best hand of the places before, held by `ties` winners; with
  // kWeighted, levelWeight_[level] is the product of their pairs' weights.
  // kHeld: also count the deals in which each pair is held (Place::held).
  template <bool kWeighted, bool kHeld>
  void Assign(int level, std::uint64_t used, HandKey best, int ties, const Winner* winners, const Views& views);
  template <bool kWeighted>
  void AssignGroupedLast(std::uint64_t used, HandKey best, int ties, const Winner* winners);
  // The last two places together, both lists sorted by hand: each pair of
  // either place is scored against the other's pairs that beat, tie or lose
  // to it in one sweep of both lists, the pairs that share a card with it
  // taken out by sums kept per card, so that the two places cost the length
  // of their lists rather than its square.
  template <bool kWeighted, bool kHeld>
  void AssignLastTwo(std::uint64_t used, HandKey best, int ties, const Winner* winners, const Views& views);
  // Turns the board's counts into units of `stats`, and those of the places
  // with per-hand figures into the item's figures too.
  void AddUnits(const BoardCompletion& completion, RunStats& stats);

  int seatCount_ = 0;
  bool fixedSeats_ = false;  // every place holds one pair: its key, bits, seat and start class
  std::array<std::uint64_t, 10> fixedKey_{}, fixedBits_{};
  std::array<int, 10> fixedSeat_{}, fixedStartClass_{};
  std::uint64_t fixedBoardBits_ = 0;
  std::uint64_t fixedHoleBits_ = 0;  // CardBit of every place's one pair
  // Fixed seats: deals counted by their winners (a bit per place) and hand
  // class, [winners * 16 + class], and the entries in use; TakeSeatUnits
  // turns them into units, so a board costs its evaluations and one addition.
  std::vector<std::int64_t> fixedOutcomes_;
  std::vector<std::uint32_t> fixedTouched_;
  std::vector<Place> places_;  // in assignment order: the seat with the most pairs last
  // candidates_[level][place]: the place's candidates after the choice at
  // `level`, for places level + 2 and later; candidates_[seatCount_]: on the board alone.
  std::vector<std::vector<Candidates>> candidates_;
  bool sortedLast_ = false;
  struct Entry {
    HandKey hand;
    std::uint32_t pair;
    std::uint64_t bits;
  };
  std::vector<Entry> sortBuffer_;
  // AssignLastTwo: the place's candidates clear of the choice before, with
  // their cards and the weight of their deals so far; the last list's cards.
  struct MinePair {
    HandKey hand;
    std::uint32_t pair;
    std::uint8_t card1, card2;  // CardBit positions
    std::uint64_t weight;
  };
  std::vector<MinePair> minePairs_;
  std::vector<std::array<std::uint8_t, 2>> lastCards_;
  std::vector<int> lastTwin_;  // per pair of the place before the last: the last place's pair of its cards, or -1
  std::vector<int> mineTwin_;  // per pair of the last place: the pair of its cards of the place before, or -1
  // winnerLists_[level]: the winners among the places before `level`.
  std::array<std::array<Winner, 10>, 11> winnerLists_{};
  std::int64_t deals_ = 0;
  bool weighted_ = false;              // ExactDeals::weighted
  // share_[k]: the units of a pot split k ways (ExactDeals::unit / k), without a division per pot.
  std::array<std::int64_t, 11> share_{};
  bool perHand_ = false;
  // The weight of the board being scored (BoardCompletion::weight), for Place::held.
  std::uint64_t boardWeight_ = 1;
  // Every seat with one pair: per-hand figures since the last TakePerHandItem, by PerHandStats
  // index (slot * kAllCombos + ComboIndex), and the entries held.
  std::vector<std::int64_t> itemHeld_, itemWon_;
  std::vector<std::uint32_t> itemTouched_;
  std::int64_t weightedDeals_ = 0;     // the deals counted by weight, when weighted_
  std::array<std::uint64_t, 11> levelWeight_{1};  // see Assign
  ExactStop stop_;
  bool stopped_ = false;
  std::array<std::int64_t, 10> seatUnits_{};
  std::uint32_t lastSeatRounds_ = 0;

  // The last place counted by values.
  bool groupLast_ = false;
  // A last place of whole classes scored pair by pair (searched, or with
  // per-hand figures), each pair that cannot flush taking the hand of its
  // group (pairGroup_).
  bool valueHands_ = false;
  std::vector<int> pairGroup_;
  std::uint64_t freeBits_ = 0;        // CardBit of the cards not fixed anywhere and not dead
  std::uint64_t oneByOneSuits_ = 0;   // this board: CardBit lanes of suits that may flush
  std::array<std::vector<int>, 4> pairsWithSuit_;  // the last place's pairs with a card of the suit
  std::array<std::vector<int>, 4> pairsInSuit_;    // ... with both cards of the suit
  // This board: the CardBit lane of a suit with three board cards, whose
  // suited pairs alone may flush (0 if none), and that suit as a bit of 4.
  std::uint64_t suitedLane_ = 0;
  unsigned suitedSuit_ = 0;
  // Per-hand figures of a grouped last place against one fixed pair: in
  // AssignGroupedLast every pair of a group holds the group's hand, so a
  // pair's figures over an item are its group's sums over the item's boards,
  // less those over the boards with either of its cards, plus those over the
  // boards with both (counted twice less), plus what it won on the boards
  // where it was scored one by one over what its group did: sums by group
  // and card instead of every pair on every board.
  bool groupedPerHand_ = false;
  std::uint64_t completionBits_ = 0;  // the board being scored: its added cards
  std::int64_t heldAll_ = 0;          // deals held by a pair clear of every board
  std::array<std::int64_t, 64> heldWith_{};  // ... on the boards with the card
  std::vector<std::int64_t> heldWithBoth_;   // per pair: ... on the boards with both its cards
  std::vector<std::int64_t> groupUnits_;     // per group: units a pair of it won on this board
  std::vector<std::int64_t> wonAll_;         // per group: units over the item's boards
  // [card * 13 + k]: ... over the boards with the card, for the k-th group
  // holding its value (a card's pairs are of those 13 groups only).
  std::array<std::int64_t, 64 * 13> wonWith_{};
  std::vector<std::int64_t> wonWithBoth_;    // per pair: ... over the boards with both its cards
  std::vector<std::int64_t> wonOwn_;         // per pair: won one by one less its group's on those boards
  std::array<std::vector<int>, 13> groupsWithValue_;  // groups holding a value 2..14 (index value - 2)
  std::vector<int> pairOfCards_;             // [card * 64 + card], lower first: the last place's pair, or -1
  // Per pair of the last place: its CardBit positions, and its group's place
  // among the groups holding each card's value.
  std::vector<std::array<std::uint8_t, 4>> pairCards_;
  void NoteGroupedPerHand(std::uint64_t used, HandKey best, std::uint64_t w0);
  template <typename Visit>
  void TakeGroupedItem(const Place& place, Visit& visit) {
    const std::size_t base = static_cast<std::size_t>(place.slot) * kAllCombos;
    for (std::size_t i = 0; i < pairCards_.size(); ++i) {
      const auto [x, y, kx, ky] = pairCards_[i];
      const std::int64_t held = heldAll_ - heldWith_[x] - heldWith_[y] + heldWithBoth_[i];
      if (held != 0) {
        visit(base + static_cast<std::size_t>(place.combo[i]), held,
              wonAll_[static_cast<std::size_t>(pairGroup_[i])] - wonWith_[x * 13 + kx] - wonWith_[y * 13 + ky] +
                  wonWithBoth_[i] + wonOwn_[i]);
      }
      heldWithBoth_[i] = wonWithBoth_[i] = wonOwn_[i] = 0;
    }
    heldAll_ = 0;
    heldWith_.fill(0);
    std::fill(wonAll_.begin(), wonAll_.end(), 0);
    wonWith_.fill(0);
  }

  // Whether a pair of the last place may make a flush on this board.
  bool MayFlush(std::uint64_t bits) const { return (bits & oneByOneSuits_) != 0 || (bits & ~suitedLane_) == 0; }
  std::vector<int> allPairs_;
  std::vector<ValueGroup> groups_;
  std::vector<HandKey> groupHand_;    // per group on this board
  std::array<int, 170> groupOfClass_{};
  std::vector<std::uint64_t> classCount_;  // [(k - 1) * 169 + start class - 1]
};

// WinStat and WinRecord as the sums of WinStat2.
void FillWinSums(RunStats& stats);

}  // namespace zuv::sim
