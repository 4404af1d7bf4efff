#include "sim/exact_reference.h"

#include <array>

#include "sim/exact_board_scorer.h"
#include "sim/fast_evaluator.h"
#include "sim/hand_key.h"

namespace zuv::sim {

namespace {

class DealByDeal {
 public:
  explicit DealByDeal(const ExactDeals& deals) : deals_(deals), stats_(deals.SeatCount(), deals.unit) {
    for (std::size_t i = 0; i < deals.fixedBoard.size(); ++i) board_[i] = deals.fixedBoard[i];
  }

  RunStats Run() {
    Assign(0, deals_.deadBits);
    FillWinSums(stats_);
    return stats_;
  }

 private:
  void Assign(int place, std::uint64_t used) {
    if (place == deals_.SeatCount()) {
      Complete(static_cast<int>(deals_.fixedBoard.size()), 0, used);
      return;
    }
    for (const HoleCombo& combo : deals_.combos[place]) {
      if (combo.bits & used) continue;
      hole_[place] = &combo;
      Assign(place + 1, used | combo.bits);
    }
  }

  void Complete(int boardSize, std::size_t from, std::uint64_t used) {
    if (boardSize == 5) {
      Score();
      return;
    }
    for (std::size_t i = from; i < deals_.boardCards.size(); ++i) {
      const int card = deals_.boardCards[i];
      if (FastEvaluator::CardBit(card) & used) continue;
      board_[boardSize] = card;
      Complete(boardSize + 1, i + 1, used);
    }
  }

  void Score() {
    const FastEvaluator& evaluator = FastEvaluator::Get();
    const int n = deals_.SeatCount();
    std::array<HandKey, 10> keys{};
    HandKey best = 0;
    for (int a = 0; a < n; ++a) {
      keys[a] = evaluator.Seven({hole_[a]->card1, hole_[a]->card2, board_[0], board_[1], board_[2], board_[3],
                                 board_[4]});
      if (keys[a] > best) best = keys[a];
    }
    int winners = 0;
    for (int a = 0; a < n; ++a) winners += keys[a] == best ? 1 : 0;
    std::int64_t weight = 1;
    for (int a = 0; a < n; ++a) weight *= static_cast<std::int64_t>(hole_[a]->weight);
    const std::int64_t worth = deals_.unit / winners * weight;
    const int h = HandClass(best);
    for (int a = 0; a < n; ++a) {
      if (keys[a] != best) continue;
      stats_.WinStat2[stats_.WinStat2Index(deals_.seats[a] + 1, h, winners)] += worth;
      stats_.Statistic[RunStats::StatisticIndex(n, hole_[a]->startClass, h)] += worth;
    }
    stats_.hands += weight;
  }

  const ExactDeals& deals_;
  RunStats stats_;
  std::array<const HoleCombo*, 10> hole_{};
  std::array<int, 5> board_{};
};

}  // namespace

RunStats EnumerateDealByDeal(const ExactDeals& deals) { return DealByDeal(deals).Run(); }

}  // namespace zuv::sim
