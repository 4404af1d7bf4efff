#include "sim/range_on_board.h"

#include <gtest/gtest.h>

#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

Combo Hole(std::string_view text) {
  const auto c = Cards(text);
  return {c[0], c[1]};
}

TEST(RangeOnBoard, MadeSharesOfAnyTwoCardsMatchTheirCounts) {
  // Any two of the 49 cards left (1176 combinations), counted by hand:
  // 2c 7d Kh: trips = 3 pocket pairs of a board value x 3; two pairs = 3
  //   value pairs x 3 x 3; pair = 10 other pocket pairs x 6 + 3 x 3 x 40 singles.
  // 8s 9d Tc: straights = 67, 7J and JQ, 16 combinations each.
  // Ah 7h 2h: flushes = any two of the ten hearts left.
  struct Case {
    std::string_view board;
    int handClass;
    int count;
  };
  const std::vector<Case> cases = {
      {"2c7dKh", kTrips, 9},      {"2c7dKh", kTwoPairs, 27}, {"2c7dKh", kPair, 420},
      {"2c7dKh", kHighCard, 720}, {"8s9dTc", kStraight, 48}, {"Ah7h2h", kFlush, 45},
      {"Ah7h2h", kStraightFlush, 0}};
  const auto random = ParseRange("random").combos;
  for (const auto& c : cases) {
    const auto board = Cards(c.board);
    const RangeOnBoard result = EvaluateRangeOnBoard(random, {}, board);
    EXPECT_EQ(result.combos, 1176) << c.board;
    EXPECT_NEAR(result.made[c.handClass - 1], c.count / 1176.0, 1e-12) << c.board << " class " << c.handClass;
  }
}

TEST(RangeOnBoard, WeightsAndKnownCardsShapeTheShares) {
  // The board's ace and the dead Ks leave three combinations each: AA's
  // trips at weight 3 each, KK's pairs at weight 1.
  const auto combos = ParseRange("AA, KK").combos;
  std::vector<double> weights;
  for (const Combo& c : combos) weights.push_back(CardValue(c[0]) == 14 ? 3.0 : 1.0);
  const RangeOnBoard result = EvaluateRangeOnBoard(combos, weights, Cards("Ad7c2h"), Cards("Ks"));
  EXPECT_EQ(result.combos, 6);
  EXPECT_DOUBLE_EQ(result.weight, 12.0);
  EXPECT_DOUBLE_EQ(result.made[kTrips - 1], 0.75);
  EXPECT_DOUBLE_EQ(result.made[kPair - 1], 0.25);
}

TEST(RangeOnBoard, DrawsOnHandPickedBoards) {
  struct Case {
    std::string_view hole, board;
    int handClass;
    bool flushDraw;
    StraightDraw straight;
  };
  using enum StraightDraw;
  const std::vector<Case> cases = {
      {"JhQh", "9hTh2c", kHighCard, true, kOpenEnded},  // eight and king
      {"9sTs", "6s7s8d", kStraight, true, kNone},       // a made straight is no draw
      {"Ah9h", "KhKd5h", kPair, true, kNone},           // flush draw on a paired board
      {"8s9s", "5d7cJh", kHighCard, false, kOpenEnded}, // double gutshot: six and ten
      {"8s9s", "5d7cKh", kHighCard, false, kGutshot},   // the six only
      {"4s9s", "Ad2c3h", kHighCard, false, kGutshot},   // wheel: the five
      {"AcKd", "5c6d7h8s", kHighCard, false, kNone},    // the board's own draw
      {"2h3h", "AhKhQhJh", kFlush, false, kNone},       // a flush has no draws
      {"6s9d", "8c7c2c5c", kStraight, false, kNone},    // four suited on the board, none held
  };
  for (const auto& c : cases) {
    const ComboOnBoard hand = EvaluateOnBoard(Hole(c.hole), Cards(c.board));
    EXPECT_EQ(hand.handClass, c.handClass) << c.hole << " on " << c.board;
    EXPECT_EQ(hand.flushDraw, c.flushDraw) << c.hole << " on " << c.board;
    EXPECT_EQ(hand.straightDraw, c.straight) << c.hole << " on " << c.board;
  }
  const std::vector<Combo> range = {Hole("JhQh"), Hole("9sTs"), Hole("AcAd"), Hole("8s9s")};
  const RangeOnBoard shares = EvaluateRangeOnBoard(range, {}, Cards("9hTh2c"));
  // Only JhQh draws, to a flush and both ends of a straight.
  EXPECT_EQ(shares.combos, 4);
  EXPECT_EQ(shares.draws, (std::array<double, 3>{0.25, 0.25, 0.0}));
}

}  // namespace
}  // namespace zuv::sim
