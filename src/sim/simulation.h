#pragma once
// The Monte Carlo run of one scenario: deals, evaluates and scores hands.
//
// Hands are dealt in blocks of kBlockHands. Each block starts from its own
// generator state, derived from (seed, block number), so a hand depends only
// on the seed, its block and its place in the block: any split of the blocks
// over threads, and any split of a run into Play calls, gives the same hands
// and the same statistics.
//
// Per hand: CardDealer draws exactly the cards needed from the free cards,
// dealt as first hole cards of the random seats in ascending seat order, then
// their second cards, then the missing board cards (flop, turn and river; or
// turn and river; or the river). Dead cards are never dealt. When a hand range
// narrows a seat, RangeDealer deals the same places instead.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/card_dealer.h"
#include "sim/per_hand_recorder.h"
#include "sim/range_dealer.h"
#include "sim/random.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"

namespace zuv::sim {

// One dealt and evaluated hand, as the window shows it.
struct LastHand {
  std::array<std::array<int, 2>, 10> hole{};  // {0, 0} for inactive seats
  std::array<int, 5> board{};
  std::array<int, 10> hand{};                 // class 1..9; 0 for inactive seats
  std::array<std::vector<int>, 10> highcard;  // tie-break vectors; empty for inactive seats
  std::vector<int> winner;                    // seat numbers 1..10, ascending
};

class Simulation {
 public:
  static constexpr std::int64_t kBlockHands = 1000;

  // Throws std::invalid_argument with CheckScenario's text for a bad scenario.
  Simulation(const Scenario& scenario, std::uint64_t seed);

  // Plays the next `hands` hands after those already played and adds them to
  // `stats`: a default-constructed RunStats is sized for this table, one of
  // another table size is refused (std::invalid_argument). If `last` is given
  // and hands > 0, it receives the final hand of this call.
  void Play(std::int64_t hands, RunStats& stats, LastHand* last = nullptr);

  // Plays the first `count` hands of block `block` (for parallel runs); later
  // Play calls continue after them.
  void PlayBlock(std::int64_t block, std::int64_t count, RunStats& stats);

  // Generator seed of block `block` of a run with `seed`.
  static std::uint64_t BlockSeed(std::uint64_t seed, std::int64_t block);

  // From now on Play also keeps RunStats::perHand for the random seats (a
  // table without any keeps none).
  void KeepPerHand();

  std::int64_t HandsPlayed() const { return played_; }
  int ActiveSeats() const { return static_cast<int>(activeSeats_.size()); }

 private:
  void StartBlock(std::int64_t block);
  // kSeats > 0: a table of exactly kSeats active seats, kRandomSeats of them
  // random; kSeats = 0: any table. kPerHand: notes every hand in perHand_.
  template <int kSeats, int kRandomSeats, bool kBranchFreeFlush, bool kPerHand>
  void PlayHands(std::int64_t count, RunStats& stats);
  using PlayHandsFunction = void (Simulation::*)(std::int64_t, RunStats&);
  static PlayHandsFunction ChoosePlayHands(int seats, int randomSeats, bool branchFreeFlush, bool perHand);
  // OR of the CardBit values of the seven cards of `seat` at place `place`
  // of PlayHands, for the rare hands with a flush. Not inlined: the hand
  // loop would keep every card it read in registers, or on the stack, for it.
  template <typename Card>
  [[gnu::noinline]] std::uint64_t CardBits(const Card* row, int place, int randomSeats, int seat) const;
  void FillLastHand(LastHand& last) const;

  std::uint64_t seed_;
  Random random_{0};
  std::int64_t played_ = 0;

  std::vector<int> activeSeats_;  // seat indexes 0..9, ascending
  std::vector<int> randomSeats_;  // active seats dealt at random, ascending
  CardDealer dealer_{{0}};  // the free cards, ascending
  CardDealer::Deck deck_{};  // as the hands of this block so far left it
  std::optional<RangeDealer> rangeDealer_;  // deals instead when a range narrows a seat
  int draws_ = 0;                        // cards dealt per hand
  // This Play call's WinStat2 units; WinRecord and WinStat are its sums over
  // k (and h), so the inner loop updates one array instead of three.
  std::vector<std::int64_t> winStat2Delta_;
  std::array<int, 5> board_{};           // fixed board cards first, then the dealt ones
  int fixedBoard_ = 0;                   // board cards fixed by the scenario
  // The hand loop for this table. Where flushes come and go at random (two or
  // more suited fixed board cards) it evaluates without the flush branch,
  // which would mispredict too often.
  PlayHandsFunction playHands_ = nullptr;
  bool branchFreeFlush_ = false;
  std::array<std::array<int, 2>, 10> hole_{};  // current hand's hole cards
  std::optional<PerHandRecorder> perHand_;  // set when the run keeps per-hand results
};

}  // namespace zuv::sim
