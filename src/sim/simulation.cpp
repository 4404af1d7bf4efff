#include "sim/simulation.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "sim/card.h"
#include "sim/evaluate_hands.h"
#include "sim/fast_evaluator.h"
#include "sim/hand_key.h"
#include "sim/split_mix64.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

constexpr std::array<std::int64_t, 11> kWorth{0, 2520, 1260, 840, 630, 504, 420, 360, 315, 280, 252};

}  // namespace

std::uint64_t Simulation::BlockSeed(std::uint64_t seed, std::int64_t block) {
  return SplitMix64(SplitMix64(seed).Next() ^ static_cast<std::uint64_t>(block)).Next();
}

Simulation::Simulation(const Scenario& scenario, std::uint64_t seed) : seed_(seed) {
  if (auto problem = CheckScenario(scenario)) throw std::invalid_argument(*problem);
  std::array<bool, 53> fixed{};
  for (int i = 0; i < 10; ++i) {
    if (!scenario.active[i]) continue;
    activeSeats_.push_back(i);
    const auto& cards = scenario.fixed[i];
    if (cards[0] == 0) {
      randomSeats_.push_back(i);
    } else {
      hole_[i] = cards;
      fixed[cards[0]] = fixed[cards[1]] = true;
    }
  }
  const FastEvaluator& evaluator = FastEvaluator::Get();
  fixedBoard_ = static_cast<int>(scenario.board.size());
  fixedBoardKey_ = FastEvaluator::kKeyBias;
  for (int card : scenario.dead) fixed[card] = true;
  for (int i = 0; i < fixedBoard_; ++i) {
    const int card = scenario.board[i];
    board_[i] = card;
    fixed[card] = true;
    fixedBoardKey_ += evaluator.CardKey(card);
    fixedBoardBits_ |= FastEvaluator::CardBit(card);
  }
  std::array<int, 5> suited{};
  for (int card : scenario.board) branchFreeFlush_ = branchFreeFlush_ || ++suited[CardSuit(card)] >= 2;
  std::vector<int> freeCards;
  for (int card = 1; card <= 52; ++card) {
    if (!fixed[card]) freeCards.push_back(card);
  }
  dealer_ = CardDealer(freeCards);
  rangeDealer_ = RangeDealer::For(scenario);
  draws_ = 2 * static_cast<int>(randomSeats_.size()) + (5 - fixedBoard_);
}

void Simulation::StartBlock(std::int64_t block) {
  random_ = Random(BlockSeed(seed_, block));
}

void Simulation::Play(std::int64_t hands, RunStats& stats, LastHand* last) {
  if (stats.active == 0 && stats.WinStat2.empty()) stats = RunStats(ActiveSeats());
  if (stats.active != ActiveSeats()) throw std::invalid_argument("Simulation::Play: statistics of another table");
  const int n = ActiveSeats();
  winStat2Delta_.assign(static_cast<std::size_t>(RunStats::kSeats) * RunStats::kClasses * n, 0);
  for (std::int64_t done = 0; done < hands;) {
    if (played_ % kBlockHands == 0) StartBlock(played_ / kBlockHands);
    const std::int64_t count = std::min(hands - done, kBlockHands - played_ % kBlockHands);
    if (branchFreeFlush_) {
      PlayHands<true>(count, stats);
    } else {
      PlayHands<false>(count, stats);
    }
    played_ += count;
    done += count;
  }
  for (int p = 0; p < RunStats::kSeats; ++p) {
    for (int h = 0; h < RunStats::kClasses; ++h) {
      for (int k = 0; k < n; ++k) {
        const std::size_t i = (static_cast<std::size_t>(p) * RunStats::kClasses + h) * n + k;
        stats.WinStat2[i] += winStat2Delta_[i];
        stats.WinStat[p][h] += winStat2Delta_[i];
        stats.WinRecord[p] += winStat2Delta_[i];
      }
    }
  }
  stats.hands += hands > 0 ? hands : 0;
  if (last && hands > 0) FillLastHand(*last);
}

void Simulation::PlayBlock(std::int64_t block, std::int64_t count, RunStats& stats) {
  played_ = block * kBlockHands;
  Play(count, stats);
}

template <bool kBranchFreeFlush>
void Simulation::PlayHands(std::int64_t count, RunStats& stats) {
  const FastEvaluator& evaluator = FastEvaluator::Get();
  const int n = static_cast<int>(activeSeats_.size());
  const int randomSeats = static_cast<int>(randomSeats_.size());
  std::int64_t* winStat2 = winStat2Delta_.data();
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(n, 1, 1);

  // The loop works on local copies indexed by active place 0..n-1, which the
  // compiler can keep apart from the members and the statistics it writes.
  std::array<int, 10> seatOf{}, randomPlace{}, card1{}, card2{};
  std::array<std::uint64_t, 10> holeKey{}, holeBits{};
  for (int a = 0, q = 0; a < n; ++a) {
    const int seat = activeSeats_[a];
    seatOf[a] = seat;
    if (q < randomSeats && randomSeats_[q] == seat) randomPlace[q++] = a;
    card1[a] = hole_[seat][0];
    card2[a] = hole_[seat][1];
    holeKey[a] = evaluator.CardKey(card1[a]) + evaluator.CardKey(card2[a]);
    holeBits[a] = FastEvaluator::CardBit(card1[a]) | FastEvaluator::CardBit(card2[a]);
  }
  std::array<int, 5> board = board_;
  // A local generator the compiler can keep in registers; stored back below.
  Random random = random_;

  // Hands go through in groups: deal the whole group, then evaluate it, then
  // score it. The evaluations of a group are independent table reads, so the
  // processor overlaps their cache misses instead of waiting hand by hand.
  constexpr int kGroup = 16;
  std::array<std::array<int, 25>, kGroup> deck;
  std::array<std::uint64_t, kGroup> boardKey, boardBits;
  std::array<std::array<HandKey, 10>, kGroup> keys;
  for (std::int64_t done = 0; done < count;) {
    const int group = static_cast<int>(std::min<std::int64_t>(kGroup, count - done));
    done += group;

    for (int g = 0; g < group; ++g) {
      if (rangeDealer_) {
        rangeDealer_->Deal(random, deck[g].data());
      } else {
        dealer_.Deal(random, draws_, deck[g].data());
      }
      std::uint64_t key = fixedBoardKey_;
      std::uint64_t bits = fixedBoardBits_;
      for (int d = 2 * randomSeats; d < draws_; ++d) {
        key += evaluator.CardKey(deck[g][d]);
        bits |= FastEvaluator::CardBit(deck[g][d]);
      }
      boardKey[g] = key;
      boardBits[g] = bits;
    }

    for (int g = 0; g < group; ++g) {
      for (int q = 0; q < randomSeats; ++q) {
        const int a = randomPlace[q];
        const int c1 = deck[g][q];
        const int c2 = deck[g][randomSeats + q];
        holeKey[a] = evaluator.CardKey(c1) + evaluator.CardKey(c2);
        holeBits[a] = FastEvaluator::CardBit(c1) | FastEvaluator::CardBit(c2);
      }
      for (int a = 0; a < n; ++a) {
        const std::uint64_t sum = boardKey[g] + holeKey[a];
        if constexpr (kBranchFreeFlush) {
          keys[g][a] = evaluator.AnyBranchFree(sum, boardBits[g] | holeBits[a]);
        } else {
          keys[g][a] = FastEvaluator::HasFlush(sum) ? evaluator.WithFlush(sum, boardBits[g] | holeBits[a])
                                                    : evaluator.NoFlush(sum);
        }
      }
    }

    for (int g = 0; g < group; ++g) {
      for (int q = 0; q < randomSeats; ++q) {
        card1[randomPlace[q]] = deck[g][q];
        card2[randomPlace[q]] = deck[g][randomSeats + q];
      }
      HandKey best = 0;
      for (int a = 0; a < n; ++a) best = keys[g][a] > best ? keys[g][a] : best;
      // Branch-free: which seat holds the best hand is a coin toss per hand.
      std::array<int, 10> winners;
      int k = 0;
      for (int a = 0; a < n; ++a) {
        winners[k] = a;
        k += keys[g][a] == best ? 1 : 0;
      }
      // All winners hold the same key, hence the same class as the first winner.
      const std::int64_t worth = kWorth[k];
      const int h = HandClass(best) - 1;
      for (int i = 0; i < k; ++i) {
        const int a = winners[i];
        winStat2[(static_cast<std::size_t>(seatOf[a]) * RunStats::kClasses + h) * n + (k - 1)] += worth;
        const int s = kStartHandTable[card1[a] * 53 + card2[a]] - 1;
        statistic[s * RunStats::kClasses + h] += worth;
      }
    }
    if (done == count) {
      for (int i = fixedBoard_, d = 2 * randomSeats; i < 5; ++i, ++d) board[i] = deck[group - 1][d];
    }
  }

  for (int a = 0; a < n; ++a) hole_[seatOf[a]] = {card1[a], card2[a]};
  board_ = board;
  random_ = random;
}

void Simulation::FillLastHand(LastHand& last) const {
  last = LastHand{};
  std::array<bool, 10> active{};
  for (int seat : activeSeats_) {
    active[seat] = true;
    last.hole[seat] = hole_[seat];
  }
  last.board = board_;
  EvaluateHands(active, last.hole, last.board, last.hand, last.highcard, last.winner);
}

}  // namespace zuv::sim
