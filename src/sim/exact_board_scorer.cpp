#include "sim/exact_board_scorer.h"

#include <algorithm>

#include "sim/fast_evaluator.h"

namespace zuv::sim {

ExactBoardScorer::ExactBoardScorer(const ExactDeals& deals) : seatCount_(deals.SeatCount()) {
  for (int card : deals.fixedBoard) fixedBoardBits_ |= FastEvaluator::CardBit(card);
  for (int p = 0; p < seatCount_; ++p) {
    Place& place = places_.emplace_back();
    place.seat = deals.seats[p];
    for (const HoleCombo& combo : deals.combos[p]) {
      place.bits.push_back(combo.bits);
      place.key.push_back(combo.key);
      place.startClass.push_back(combo.startClass);
    }
    place.hand.assign(place.bits.size(), 0);
    place.count.assign(place.bits.size() * seatCount_, 0);
  }
  // The last seat is the inner loop: make it the longest.
  std::stable_sort(places_.begin(), places_.end(),
                   [](const Place& x, const Place& y) { return x.bits.size() < y.bits.size(); });
}

std::int64_t ExactBoardScorer::Score(const BoardCompletion& completion, RunStats& stats) {
  const FastEvaluator& evaluator = FastEvaluator::Get();
  const std::uint64_t boardBits = completion.bits | fixedBoardBits_;
  for (Place& place : places_) {
    const std::size_t pairs = place.bits.size();
    for (std::size_t i = 0; i < pairs; ++i) {
      if (place.bits[i] & completion.bits) {
        place.hand[i] = 0;
        continue;
      }
      const std::uint64_t sum = completion.key + place.key[i];
      place.hand[i] = FastEvaluator::HasFlush(sum) ? evaluator.WithFlush(sum, boardBits | place.bits[i])
                                                   : evaluator.NoFlush(sum);
    }
  }

  deals_ = 0;
  Assign(0, completion.bits, 0, 0, nullptr);

  const int n = seatCount_;
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(n, 1, 1);
  for (Place& place : places_) {
    const std::size_t pairs = place.bits.size();
    for (int k = 1; k <= n; ++k) {
      const std::int64_t worth = RunStats::kUnit / k * completion.weight;
      std::uint64_t* count = place.count.data() + (k - 1) * pairs;
      for (std::size_t i = 0; i < pairs; ++i) {
        if (count[i] == 0) continue;
        const std::int64_t units = static_cast<std::int64_t>(count[i]) * worth;
        count[i] = 0;
        const int h = HandClass(place.hand[i]);
        stats.WinStat2[stats.WinStat2Index(place.seat + 1, h, k)] += units;
        statistic[(place.startClass[i] - 1) * RunStats::kClasses + (h - 1)] += units;
      }
    }
  }
  const std::int64_t deals = deals_ * completion.weight;
  stats.hands += deals;
  return deals;
}

void ExactBoardScorer::Assign(int level, std::uint64_t used, HandKey best, int ties, const Winner* winners) {
  Place& place = places_[level];
  const std::size_t pairs = place.bits.size();
  const std::uint64_t* bits = place.bits.data();
  const HandKey* hand = place.hand.data();
  if (level + 1 < seatCount_) {
    Winner* next = winnerLists_[level + 1].data();
    for (std::size_t i = 0; i < pairs; ++i) {
      if (bits[i] & used) continue;
      const HandKey h = hand[i];
      if (h < best) {
        Assign(level + 1, used | bits[i], best, ties, winners);
        continue;
      }
      const int kept = h == best ? ties : 0;
      std::copy(winners, winners + kept, next);
      next[kept] = {level, static_cast<int>(i)};
      Assign(level + 1, used | bits[i], h, kept + 1, next);
    }
    return;
  }

  // The last seat: count its pairs against the prefix's best hand without branches.
  std::uint64_t* alone = place.count.data();
  std::uint64_t* tied = place.count.data() + static_cast<std::size_t>(ties) * pairs;
  std::uint64_t less = 0, equal = 0, valid = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::uint64_t ok = (bits[i] & used) == 0;
    const HandKey h = hand[i];
    alone[i] += ok & (h > best);
    tied[i] += ok & (h == best);
    less += ok & (h < best);
    equal += ok & (h == best);
    valid += ok;
  }
  deals_ += static_cast<std::int64_t>(valid);
  for (int w = 0; w < ties; ++w) {
    Place& winner = places_[winners[w].place];
    const auto base = static_cast<std::size_t>(winners[w].pair);
    winner.count[(ties - 1) * winner.bits.size() + base] += less;
    winner.count[ties * winner.bits.size() + base] += equal;
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
