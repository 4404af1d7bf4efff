#pragma once
// The work of the exact enumeration for one board: every possible hole-card
// pair of every seat is evaluated once on that board, then every joint
// assignment of the seats is scored from those hand keys.
//
// Scores are first counted per seat and pair of hole cards (how many deals it
// won alone, split two ways, ...), since a pair's hand class on one board is
// fixed; Flush turns the counts into units of the statistics.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/exact_boards.h"
#include "sim/exact_deals.h"
#include "sim/hand_key.h"
#include "sim/run_stats.h"

namespace zuv::sim {

class ExactBoardScorer {
 public:
  explicit ExactBoardScorer(const ExactDeals& deals);

  // Scores every deal on this board completion, adds weight times each
  // score to `stats` (WinStat2, Statistic and hands; WinRecord and WinStat
  // are left to FillWinSums) and returns the number of deals counted.
  std::int64_t Score(const BoardCompletion& completion, RunStats& stats);

 private:
  struct Place {
    int seat = 0;  // seat index 0..9
    std::vector<std::uint64_t> bits, key;  // the pairs' CardBit and CardKey sums
    std::vector<int> startClass;
    std::vector<HandKey> hand;             // on the current board; 0 if a card is on the board
    std::vector<std::uint64_t> count;      // [(k - 1) * pairs + pair]: deals won with k - 1 others
  };
  struct Winner {
    int place, pair;
  };
  // Scores the assignments of places level.. given the cards used so far and
  // the best hand of the places before, held by `ties` winners.
  void Assign(int level, std::uint64_t used, HandKey best, int ties, const Winner* winners);

  int seatCount_ = 0;
  std::uint64_t fixedBoardBits_ = 0;
  std::vector<Place> places_;  // in assignment order: the seat with the most pairs last
  // winnerLists_[level]: the winners among the places before `level`.
  std::array<std::array<Winner, 10>, 11> winnerLists_{};
  std::int64_t deals_ = 0;
};

// WinStat and WinRecord as the sums of WinStat2.
void FillWinSums(RunStats& stats);

}  // namespace zuv::sim
