#include "sim/evaluate_hands.h"

#include <gtest/gtest.h>

#include "sim/reference_evaluator.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

struct Deal {
  std::array<bool, 10> active{};
  std::array<std::array<int, 2>, 10> hole{};
  std::array<int, 5> board{};
  std::array<int, 10> hand{};
  std::array<std::vector<int>, 10> highcard;
  std::vector<int> winner;

  void Seat(int seat, const char* two) {
    const auto c = Cards(two);
    active[seat - 1] = true;
    hole[seat - 1] = {c[0], c[1]};
  }
  void Board(const char* five) {
    const auto c = Cards(five);
    for (int i = 0; i < 5; ++i) board[i] = c[i];
  }
  void Run() { EvaluateHands(active, hole, board, hand, highcard, winner); }
  void RunReference() { ReferenceEvaluateHands(active, hole, board, hand, highcard, winner); }
};

TEST(EvaluateHands, BoardPlaysForEveryoneSplitsInSeatOrder) {
  Deal d;
  d.Seat(7, "2c3d");
  d.Seat(2, "2s3h");
  d.Seat(9, "4c2d");
  d.Board("AsKsQsJsTs");
  d.Run();
  EXPECT_EQ(d.winner, (std::vector<int>{2, 7, 9}));
  EXPECT_EQ(d.hand[1], 9);
  EXPECT_EQ(d.highcard[6], std::vector<int>{14});
}

TEST(EvaluateHands, HigherKickerWinsAloneAndEqualHandJoinsTheWinner) {
  Deal d;
  d.Seat(1, "AhQc");  // pair of aces, Q kicker
  d.Seat(2, "AdKc");  // pair of aces, K kicker: wins
  d.Seat(3, "AcKd");  // the same hand as seat 2: joins
  d.Board("As8h6d4c2s");
  d.Run();
  EXPECT_EQ(d.winner, (std::vector<int>{2, 3}));
  EXPECT_EQ(d.highcard[0], (std::vector<int>{14, 12, 8, 6}));
  EXPECT_EQ(d.highcard[1], (std::vector<int>{14, 13, 8, 6}));
}

TEST(EvaluateHands, BetterClassAfterASplitTakesThePotAlone) {
  Deal d;
  d.Seat(1, "2c3d");
  d.Seat(2, "2s3h");
  d.Seat(4, "9h9d");  // trips
  d.Board("9sKhQdJc5s");
  d.Run();
  EXPECT_EQ(d.winner, std::vector<int>{4});
  EXPECT_EQ(d.hand[3], 4);
}

TEST(EvaluateHands, InactiveSeatsKeepTheirOldValues) {
  Deal d;
  d.Seat(1, "AsAh");
  d.Seat(2, "KsKh");
  d.hand[4] = 7;
  d.highcard[4] = {3, 2};
  d.hole[4] = {Cards("AdAc")[0], Cards("AdAc")[1]};  // cards but not active
  d.Board("2c7d9hTsJd");
  d.Run();
  EXPECT_EQ(d.hand[4], 7);
  EXPECT_EQ(d.highcard[4], (std::vector<int>{3, 2}));
  EXPECT_EQ(d.winner, std::vector<int>{1});
}

TEST(EvaluateHands, RandomDealsMatchTheSequentialReference) {
  Random random(3);
  for (int i = 0; i < 20'000; ++i) {
    std::array<int, 52> deck;
    for (int c = 0; c < 52; ++c) deck[c] = c + 1;
    for (int c = 0; c < 25; ++c) std::swap(deck[c], deck[c + random.Below(52 - c)]);
    Deal fast, ref;
    int next = 0;
    for (int p = 0; p < 10; ++p) {
      const bool on = random.Below(3) != 0;
      fast.active[p] = ref.active[p] = on;
      fast.hole[p] = ref.hole[p] = {deck[next], deck[next + 1]};
      next += 2;
    }
    fast.active[0] = ref.active[0] = fast.active[9] = ref.active[9] = true;
    for (int b = 0; b < 5; ++b) fast.board[b] = ref.board[b] = deck[20 + b];
    fast.Run();
    ref.RunReference();
    ASSERT_EQ(fast.winner, ref.winner);
    ASSERT_EQ(fast.hand, ref.hand);
    ASSERT_EQ(fast.highcard, ref.highcard);
  }
}

}  // namespace
}  // namespace zuv::sim
