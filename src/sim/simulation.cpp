#include "sim/simulation.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "sim/card.h"
#include "sim/evaluate_hands.h"
#include "sim/fast_evaluator.h"
#include "sim/hand_key.h"
#include "sim/split_mix64.h"
#include "sim/start_hands.h"

namespace zuv::sim {

namespace {

constexpr std::array<std::int64_t, 11> kWorth{0, 2520, 1260, 840, 630, 504, 420, 360, 315, 280, 252};

// Offset of a starting hand's row of hand classes in a table's Statistic.
int StartRow(int card1, int card2) { return (kStartHandTable[card1 * 53 + card2] - 1) * RunStats::kClasses; }

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
  fixedBoard_ = static_cast<int>(scenario.board.size());
  for (int card : scenario.dead) fixed[card] = true;
  for (int i = 0; i < fixedBoard_; ++i) {
    board_[i] = scenario.board[i];
    fixed[board_[i]] = true;
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
  playHands_ = ChoosePlayHands(ActiveSeats(), static_cast<int>(randomSeats_.size()), branchFreeFlush_, false);
}

void Simulation::KeepPerHand() {
  if (randomSeats_.empty()) return;
  perHand_.emplace();
  playHands_ = ChoosePlayHands(ActiveSeats(), static_cast<int>(randomSeats_.size()), branchFreeFlush_, true);
}

Simulation::PlayHandsFunction Simulation::ChoosePlayHands(int seats, int randomSeats, bool branchFreeFlush,
                                                          bool perHand) {
  auto choose = [&]<int kSeats, int kRandomSeats>() -> PlayHandsFunction {
    if (perHand) {
      return branchFreeFlush ? &Simulation::PlayHands<kSeats, kRandomSeats, true, true>
                             : &Simulation::PlayHands<kSeats, kRandomSeats, false, true>;
    }
    return branchFreeFlush ? &Simulation::PlayHands<kSeats, kRandomSeats, true, false>
                           : &Simulation::PlayHands<kSeats, kRandomSeats, false, false>;
  };
  // Heads-up tables, the commonest question, get loops unrolled for their
  // exact seat counts, and so do tables of any size whose seats are all
  // dealt at random; other tables share the general loop.
  if (seats == 2 && randomSeats == 0) return choose.operator()<2, 0>();
  if (seats == 2 && randomSeats == 1) return choose.operator()<2, 1>();
  if (seats == 2 && randomSeats == 2) return choose.operator()<2, 2>();
  // Spelled out seat count by seat count: clang does not instantiate member
  // templates named only inside a fold in a generic lambda.
  if (randomSeats == seats) {
    switch (seats) {
      case 3: return choose.operator()<3, 3>();
      case 4: return choose.operator()<4, 4>();
      case 5: return choose.operator()<5, 5>();
      case 6: return choose.operator()<6, 6>();
      case 7: return choose.operator()<7, 7>();
      case 8: return choose.operator()<8, 8>();
      case 9: return choose.operator()<9, 9>();
      case 10: return choose.operator()<10, 10>();
      default: break;
    }
  }
  return choose.operator()<0, 0>();
}

void Simulation::StartBlock(std::int64_t block) {
  random_ = Random(BlockSeed(seed_, block));
  deck_ = dealer_.Fresh();
}

void Simulation::Play(std::int64_t hands, RunStats& stats, LastHand* last) {
  if (stats.active == 0 && stats.WinStat2.empty()) stats = RunStats(ActiveSeats());
  if (stats.active != ActiveSeats()) throw std::invalid_argument("Simulation::Play: statistics of another table");
  const int n = ActiveSeats();
  if (perHand_ && stats.perHand.Empty()) stats.perHand = PerHandStats(randomSeats_);
  winStat2Delta_.assign(static_cast<std::size_t>(RunStats::kSeats) * RunStats::kClasses * n, 0);
  for (std::int64_t done = 0; done < hands;) {
    if (played_ % kBlockHands == 0) StartBlock(played_ / kBlockHands);
    const std::int64_t count = std::min(hands - done, kBlockHands - played_ % kBlockHands);
    if (perHand_) {
      stats.perHand.ReserveHands(count);
      perHand_->Start(stats.perHand);
    }
    (this->*playHands_)(count, stats);
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

template <int kSeats, int kRandomSeats, bool kBranchFreeFlush, bool kPerHand>
void Simulation::PlayHands(std::int64_t count, RunStats& stats) {
  const FastEvaluator& evaluator = FastEvaluator::Get();
  // Compile-time seat counts let the compiler unroll every per-seat loop.
  const int n = kSeats > 0 ? kSeats : static_cast<int>(activeSeats_.size());
  const int randomSeats = kSeats > 0 ? kRandomSeats : static_cast<int>(randomSeats_.size());
  const int boardStart = 2 * randomSeats;  // place of the first board card in a row
  std::int64_t* winStat2 = winStat2Delta_.data();
  std::int64_t* statistic = stats.Statistic.data() + RunStats::StatisticIndex(n, 1, 1);

  // The loop works on local copies indexed by place 0..n-1: the random seats
  // first, so that place q < randomSeats holds the cards row[q] and
  // row[randomSeats + q], then the fixed seats. Locals the compiler can keep
  // apart from the members and the statistics it writes.
  std::array<int, 10> placeSeat{};
  std::array<std::size_t, 10> seatRow{};  // seat's first WinStat2 index
  std::array<std::uint64_t, 10> holeKey{}, holeBits{};
  std::array<int, 10> startRow{};  // a fixed seat's first Statistic index past `statistic`
  for (int a = 0, fixed = randomSeats; a < n; ++a) {
    const int seat = activeSeats_[a];
    const bool dealt = std::find(randomSeats_.begin(), randomSeats_.end(), seat) != randomSeats_.end();
    placeSeat[dealt ? static_cast<int>(std::find(randomSeats_.begin(), randomSeats_.end(), seat) - randomSeats_.begin())
                    : fixed++] = seat;
  }
  for (int a = 0; a < n; ++a) {
    const int seat = placeSeat[a];
    seatRow[a] = static_cast<std::size_t>(seat) * RunStats::kClasses * n;
    const auto [card1, card2] = hole_[seat];
    holeKey[a] = evaluator.CardKey(card1) + evaluator.CardKey(card2);
    holeBits[a] = FastEvaluator::CardBit(card1) | FastEvaluator::CardBit(card2);
    startRow[a] = a < randomSeats ? 0 : StartRow(card1, card2);
  }
  // A local generator the compiler can keep in registers; stored back below.
  Random random = random_;

  // Hands go through in groups: deal the whole group, then evaluate it, then
  // score it. The evaluations of a group are independent table reads, so the
  // processor overlaps their cache misses instead of waiting hand by hand.
  // A row holds one hand's cards: the random seats' first cards, their second
  // cards, the dealt board cards, then the fixed board cards, so that the
  // five board cards always sit at boardStart. Rows are bytes, as the
  // dealer picks them. The byte is char8_t, not unsigned char: a store
  // through it cannot change the range dealer's own fields, which it would
  // otherwise read again after every card it writes.
  using Card = char8_t;
  constexpr int kGroup = 32;
  constexpr int kRow = 32;
  std::array<std::array<Card, kRow>, kGroup> rows;
  for (auto& row : rows) {
    for (int i = 0; i < fixedBoard_; ++i) row[draws_ + i] = static_cast<Card>(board_[i]);
  }
  const RangeDealer* ranges = rangeDealer_ ? &*rangeDealer_ : nullptr;
  // A local deck, like the generator; stored back below.
  CardDealer::Deck deck = deck_;
  PerHandRecorder* perHand = kPerHand ? &*perHand_ : nullptr;
  std::array<std::array<HandKey, 10>, kGroup> keys;
  for (std::int64_t done = 0; done < count;) {
    const int group = static_cast<int>(std::min<std::int64_t>(kGroup, count - done));
    done += group;

    if (ranges) {
      for (int g = 0; g < group; ++g) ranges->Deal(random, rows[g].data());
    } else {
      dealer_.DealRows(random, deck, draws_, group, rows[0].data(), kRow);
    }

    for (int g = 0; g < group; ++g) {
      const auto& row = rows[g];
      std::uint64_t boardKey = FastEvaluator::kKeyBias, boardBits = 0;
      for (int d = boardStart; d < boardStart + 5; ++d) {
        boardKey += evaluator.CardKey(row[d]);
        if constexpr (kBranchFreeFlush) boardBits |= FastEvaluator::CardBit(row[d]);
      }
      for (int q = 0; q < randomSeats; ++q) {
        holeKey[q] = evaluator.CardKey(row[q]) + evaluator.CardKey(row[randomSeats + q]);
        if constexpr (kBranchFreeFlush) {
          holeBits[q] = FastEvaluator::CardBit(row[q]) | FastEvaluator::CardBit(row[randomSeats + q]);
        }
        // Here rather than with the scoring: the cards are at hand, and
        // the evaluations' table reads leave the processor time to spare.
        if constexpr (kPerHand) perHand->NoteHeld(q, row[q], row[randomSeats + q]);
      }
      // Every seat is first read as if it had no flush (its values alone
      // still name a hand), and one test for the whole hand sends the rare
      // hand where some seat has one back to correct that seat: fewer
      // branches, and no cards held over for the correction.
      std::uint64_t sums = 0;
      for (int a = 0; a < n; ++a) {
        const std::uint64_t sum = boardKey + holeKey[a];
        if constexpr (kBranchFreeFlush) {
          keys[g][a] = evaluator.AnyBranchFree(sum, boardBits | holeBits[a]);
        } else {
          sums |= sum;
          keys[g][a] = evaluator.NoFlush(sum);
        }
      }
      if (!kBranchFreeFlush && FastEvaluator::HasFlush(sums)) [[unlikely]] {
        for (int a = 0; a < n; ++a) {
          const std::uint64_t sum = boardKey + holeKey[a];
          if (FastEvaluator::HasFlush(sum)) {
            keys[g][a] = evaluator.WithFlush(sum, CardBits(row.data(), a, randomSeats, placeSeat[a]));
          }
        }
      }
    }

    for (int g = 0; g < group; ++g) {
      const auto& row = rows[g];
      HandKey best = 0;
      for (int a = 0; a < n; ++a) best = keys[g][a] > best ? keys[g][a] : best;
      // Branch-free up to the first winner: which seat holds the best hand
      // is a coin toss per hand. Split pots are the rare case.
      unsigned winners = 0;
      for (int a = 0; a < n; ++a) winners |= static_cast<unsigned>(keys[g][a] == best) << a;
      // All winners hold the same key, hence the same class.
      const int h = HandClass(best) - 1;
      auto score = [&](int a, int k) {
        const std::int64_t worth = kWorth[k];
        winStat2[seatRow[a] + static_cast<std::size_t>(h) * n + (k - 1)] += worth;
        const int start = a < randomSeats ? StartRow(row[a], row[randomSeats + a]) : startRow[a];
        statistic[start + h] += worth;
      };
      const int first = std::countr_zero(winners);
      if (winners == (1u << first)) [[likely]] {
        score(first, 1);
        if constexpr (kPerHand) perHand->NoteWonAlone(row.data(), randomSeats, first);
      } else {
        const int k = std::popcount(winners);
        for (unsigned w = winners; w != 0; w &= w - 1) score(std::countr_zero(w), k);
        if constexpr (kPerHand) perHand->NoteSplit(row.data(), randomSeats, winners, k);
      }
    }
    if (done == count) {
      const auto& last = rows[group - 1];
      for (int i = fixedBoard_, d = boardStart; i < 5; ++i, ++d) board_[i] = last[d];
      for (int q = 0; q < randomSeats; ++q) hole_[randomSeats_[q]] = {last[q], last[randomSeats + q]};
    }
  }
  random_ = random;
  deck_ = deck;
}

template <typename Card>
std::uint64_t Simulation::CardBits(const Card* row, int place, int randomSeats, int seat) const {
  std::uint64_t bits = 0;
  for (int d = 2 * randomSeats; d < 2 * randomSeats + 5; ++d) bits |= FastEvaluator::CardBit(row[d]);
  if (place < randomSeats) return bits | FastEvaluator::CardBit(row[place]) | FastEvaluator::CardBit(row[randomSeats + place]);
  return bits | FastEvaluator::CardBit(hole_[seat][0]) | FastEvaluator::CardBit(hole_[seat][1]);
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
