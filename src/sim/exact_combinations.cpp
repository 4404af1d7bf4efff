#include "sim/exact_combinations.h"

#include <algorithm>
#include <bit>

#include "sim/card.h"
#include "sim/fast_evaluator.h"
#include "sim/fixed_seat_outcomes.h"

namespace zuv::sim {

namespace {

// Beyond this many ways the list of them alone would cost more than boards do.
constexpr std::uint64_t kMaxWays = 1u << 18;

// Cost of a table of fixed hands per seat, in nanoseconds, by the number of
// board cards to come (measured: value multisets plus the boards a flush may
// need put right), and of the board-by-board enumeration: each board
// evaluates every seat's combinations, and each deal costs at least what it
// does at its quickest (three narrow ranges preflop). What the choice weighs.
constexpr std::array<double, 6> kClassNanosPerSeat{100, 600, 3'000, 15'000, 50'000, 150'000};
constexpr double kBoardNanosPerCombination = 1;
constexpr double kBoardNanosPerDeal = 0.1;

std::uint64_t Choose(int n, int k) {
  if (k < 0 || n < k) return 0;
  std::uint64_t c = 1;
  for (int i = 1; i <= k; ++i) c = c * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
  return c;
}

// Every way leaves the board as many free cards: the boards of each.
std::uint64_t BoardsPerWay(const ExactDeals& table) {
  const int dealt = static_cast<int>(std::count(table.dealt.begin(), table.dealt.end(), true));
  return Choose(static_cast<int>(table.boardCards.size()) - 2 * dealt, table.missingBoard);
}

using Suits = std::array<int, 4>;  // the suit index each suit index goes to

std::uint64_t MapBits(std::uint64_t bits, const Suits& to) {
  std::uint64_t mapped = 0;
  for (int s = 0; s < 4; ++s) mapped |= (bits >> (16 * s) & 0xFFFF) << (16 * to[s]);
  return mapped;
}

// The swaps of suits that keep the fixed board and the dead cards, each as
// the card number every card 0..52 goes to.
std::vector<std::array<std::uint8_t, 53>> SuitSwaps(const ExactDeals& table) {
  std::uint64_t boardBits = 0;
  for (int card : table.fixedBoard) boardBits |= FastEvaluator::CardBit(card);
  std::vector<std::array<std::uint8_t, 53>> swaps;
  Suits to{0, 1, 2, 3};
  do {
    if (MapBits(boardBits, to) != boardBits || MapBits(table.deadBits, to) != table.deadBits) continue;
    auto& cards = swaps.emplace_back();
    for (int card = 1; card <= 52; ++card) {
      cards[card] = static_cast<std::uint8_t>(MakeCard(CardValue(card), to[CardSuit(card) - 1] + 1));
    }
  } while (std::next_permutation(to.begin(), to.end()));
  return swaps;
}

}  // namespace

std::optional<double> ExactCombinations::ExpectedSeconds(const ExactDeals& table, std::uint64_t deals) {
  const std::uint64_t boards = BoardsPerWay(table);
  if (boards == 0 || deals / boards > kMaxWays) return std::nullopt;
  const double classes =
      std::max(1.0, static_cast<double>(deals / boards) / static_cast<double>(SuitSwaps(table).size()));
  const double nanos = classes * table.SeatCount() * kClassNanosPerSeat[table.missingBoard];
  std::size_t combinations = 0;
  for (const auto& combos : table.combos) combinations += combos.size();
  const double boardNanos =
      static_cast<double>(Choose(static_cast<int>(table.boardCards.size()), table.missingBoard)) *
          static_cast<double>(combinations) * kBoardNanosPerCombination +
      static_cast<double>(deals) * kBoardNanosPerDeal;
  if (nanos > boardNanos) return std::nullopt;
  return nanos * 1e-9;
}

std::optional<ExactCombinations> ExactCombinations::Of(const ExactDeals& table, std::uint64_t deals) {
  if (!ExpectedSeconds(table, deals)) return std::nullopt;
  const int seats = table.SeatCount();
  const auto swaps = SuitSwaps(table);

  std::vector<Way> all;
  all.reserve(deals / BoardsPerWay(table));
  Way way{};
  auto visit = [&](auto&& self, int p, std::uint64_t used, std::uint64_t weight) -> void {
    if (p == seats) {
      way.weight = weight;
      way.code = ~static_cast<unsigned __int128>(0);
      for (const auto& to : swaps) {
        unsigned __int128 code = 0;
        for (int q = seats - 1; q >= 0; --q) {
          const HoleCombo& combo = table.combos[q][way.combo[q]];
          const int a = to[combo.card1], b = to[combo.card2];
          code = code << 12 | static_cast<unsigned>(std::min(a, b) * 53 + std::max(a, b));
        }
        way.code = std::min(way.code, code);
      }
      all.push_back(way);
      return;
    }
    const auto& combos = table.combos[p];
    for (std::size_t i = 0; i < combos.size(); ++i) {
      if (combos[i].bits & used) continue;
      way.combo[p] = static_cast<std::uint16_t>(i);
      self(self, p + 1, used | combos[i].bits, weight * combos[i].weight);
    }
  };
  visit(visit, 0, 0, 1);
  std::sort(all.begin(), all.end(), [](const Way& x, const Way& y) { return x.code < y.code; });

  ExactCombinations result(table);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i == 0 || all[i].code != all[i - 1].code) result.classes_.push_back({all[i].combo, 0, 0, i});
    result.classes_.back().weight += all[i].weight;
    ++result.classes_.back().ways;
  }
  // Kept for per-hand figures, which credit each way's own cards.
  result.ways_ = std::move(all);
  return result;
}

std::int64_t ExactCombinations::Score(std::size_t index, RunStats& stats, std::array<std::int64_t, 10>& seatUnits,
                                      FixedSeatWork& work) const {
  const ExactDeals& table = *table_;
  const Class& c = classes_[index];
  const int seats = table.SeatCount();
  SeatHands hands{};
  for (int p = 0; p < seats; ++p) hands[p] = &table.combos[p][c.combo[p]];
  const std::int64_t boards = CountFixedSeatOutcomes(table, hands, work);
  const std::vector<std::int64_t>& outcomes = work.outcomes;
  const auto weight = static_cast<std::int64_t>(c.weight);
  // Held apart: the stores below could change table.unit as far as the compiler knows.
  const std::int64_t unit = table.unit;
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(seats, 1, 1);
  for (std::size_t outcome = 0; outcome < outcomes.size(); ++outcome) {
    if (outcomes[outcome] == 0) continue;
    const auto winners = static_cast<std::uint32_t>(outcome >> 4);
    const int handClass = static_cast<int>(outcome & 15), ties = std::popcount(winners);
    const std::int64_t units = unit / ties * outcomes[outcome] * weight;
    for (int p = 0; p < seats; ++p) {
      if (!(winners >> p & 1)) continue;
      stats.WinStat2[stats.WinStat2Index(table.seats[p] + 1, handClass, ties)] += units;
      statistic[(hands[p]->startClass - 1) * RunStats::kClasses + (handClass - 1)] += units;
      seatUnits[table.seats[p]] += units;
    }
  }
  stats.hands += boards * weight;
  return boards * c.ways;
}

std::array<std::int64_t, 10> ExactCombinations::UnitsPerWeight(const FixedSeatWork& work,
                                                               std::int64_t& boards) const {
  std::array<std::int64_t, 10> units{};
  boards = 0;
  for (std::size_t outcome = 0; outcome < work.outcomes.size(); ++outcome) {
    const std::int64_t count = work.outcomes[outcome];
    if (count == 0) continue;
    boards += count;
    const auto winners = static_cast<std::uint32_t>(outcome >> 4);
    const std::int64_t share = table_->unit / std::popcount(winners) * count;
    for (std::uint32_t rest = winners; rest != 0; rest &= rest - 1) units[std::countr_zero(rest)] += share;
  }
  return units;
}

}  // namespace zuv::sim
