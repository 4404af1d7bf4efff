#include "sim/simulation.h"

#include <stdexcept>
#include <utility>

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
  for (int i = 0; i < fixedBoard_; ++i) {
    const int card = scenario.board[i];
    board_[i] = card;
    fixed[card] = true;
    fixedBoardKey_ += evaluator.CardKey(card);
    fixedBoardBits_ |= FastEvaluator::CardBit(card);
  }
  for (int card = 1; card <= 52; ++card) {
    if (!fixed[card]) freeCards_.push_back(static_cast<std::uint8_t>(card));
  }
  draws_ = 2 * static_cast<int>(randomSeats_.size()) + (5 - fixedBoard_);
}

void Simulation::StartBlock(std::int64_t block) {
  random_ = Random(BlockSeed(seed_, block));
  deck_ = freeCards_;
}

void Simulation::Play(std::int64_t hands, RunStats& stats, LastHand* last) {
  if (stats.active == 0 && stats.WinStat2.empty()) stats = RunStats(ActiveSeats());
  if (stats.active != ActiveSeats()) throw std::invalid_argument("Simulation::Play: statistics of another table");
  for (std::int64_t i = 0; i < hands; ++i) {
    if (played_ % kBlockHands == 0) StartBlock(played_ / kBlockHands);
    PlayHand(stats);
    ++played_;
  }
  stats.hands += hands > 0 ? hands : 0;
  if (last && hands > 0) FillLastHand(*last);
}

void Simulation::PlayBlock(std::int64_t block, std::int64_t count, RunStats& stats) {
  played_ = block * kBlockHands;
  Play(count, stats);
}

void Simulation::PlayHand(RunStats& stats) {
  const FastEvaluator& evaluator = FastEvaluator::Get();

  // Partial Fisher-Yates: position i receives a uniform pick of the rest.
  std::uint8_t* deck = deck_.data();
  const auto freeCount = static_cast<std::uint32_t>(deck_.size());
  for (int i = 0; i < draws_; ++i) {
    const std::uint32_t j = i + random_.Below(freeCount - i);
    std::swap(deck[i], deck[j]);
  }
  const int randomSeats = static_cast<int>(randomSeats_.size());
  for (int q = 0; q < randomSeats; ++q) {
    hole_[randomSeats_[q]] = {deck[q], deck[randomSeats + q]};
  }
  std::uint64_t boardKey = fixedBoardKey_;
  std::uint64_t boardBits = fixedBoardBits_;
  for (int i = fixedBoard_, d = 2 * randomSeats; i < 5; ++i, ++d) {
    board_[i] = deck[d];
    boardKey += evaluator.CardKey(deck[d]);
    boardBits |= FastEvaluator::CardBit(deck[d]);
  }

  std::array<HandKey, 10> keys;
  HandKey best = 0;
  for (int seat : activeSeats_) {
    const int c1 = hole_[seat][0];
    const int c2 = hole_[seat][1];
    const std::uint64_t sum = boardKey + evaluator.CardKey(c1) + evaluator.CardKey(c2);
    const HandKey key = FastEvaluator::HasFlush(sum)
                            ? evaluator.WithFlush(sum, boardBits | FastEvaluator::CardBit(c1) |
                                                           FastEvaluator::CardBit(c2))
                            : evaluator.NoFlush(sum);
    keys[seat] = key;
    best = key > best ? key : best;
  }

  std::array<int, 10> winners;
  int k = 0;
  for (int seat : activeSeats_) {
    if (keys[seat] == best) winners[k++] = seat;
  }

  // All winners hold the same key, hence the same class as the first winner.
  const std::int64_t worth = kWorth[k];
  const int h = HandClass(best) - 1;
  const auto& startTable = StartHandTable();
  std::int64_t* winStat2 = stats.WinStat2.data();
  std::int64_t* statistic =
      stats.Statistic.data() + RunStats::StatisticIndex(static_cast<int>(activeSeats_.size()), 1, 1);
  const std::size_t n = activeSeats_.size();
  for (int i = 0; i < k; ++i) {
    const int w = winners[i];
    stats.WinRecord[w] += worth;
    stats.WinStat[w][h] += worth;
    winStat2[(static_cast<std::size_t>(w) * RunStats::kClasses + h) * n + (k - 1)] += worth;
    const int s = startTable[hole_[w][0] * 53 + hole_[w][1]] - 1;
    statistic[s * RunStats::kClasses + h] += worth;
  }
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
