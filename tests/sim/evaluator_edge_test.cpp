// The worked examples of the ranking rules, run through both evaluators.
#include <gtest/gtest.h>

#include "sim/evaluator.h"
#include "sim/reference_evaluator.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Seven;

struct Expected {
  const char* cards;
  int handClass;
  std::vector<int> highcard;
};

class EvaluatorEdge : public ::testing::TestWithParam<Expected> {};

TEST_P(EvaluatorEdge, FastAndReferenceGiveTheExpectedHand) {
  const auto& e = GetParam();
  const HandKey key = EvaluateSeven(Seven(e.cards));
  EXPECT_EQ(HandClass(key), e.handClass);
  EXPECT_EQ(HighCard(key), e.highcard);
  const ReferenceHand ref = ReferenceEvaluateSeven(Seven(e.cards));
  EXPECT_EQ(ref.handClass, e.handClass);
  EXPECT_EQ(ref.highcard, e.highcard);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EvaluatorEdge,
    ::testing::Values(
        Expected{"As2h3d4c5sKh9d", 5, {5}},              // wheel, mixed suits
        Expected{"As2h3d4c5s6h9d", 5, {6}},              // 2-6 beats the wheel
        Expected{"As2s3s4s5sKh9d", 9, {5}},              // steel wheel
        Expected{"TsJsQsKsAs2h3d", 9, {14}},             // royal
        Expected{"2h3h4h5h6h7h8h", 9, {8}},              // seven to a straight flush
        Expected{"Ah9h7h5h3h2hKd", 6, {14, 9, 7, 5, 3}},  // six of a suit: top five
        Expected{"Ah9h7h5h3h2h4h", 9, {5}},              // seven hearts holding A-5
        Expected{"AhKh9h7h5h3h2h", 6, {14, 13, 9, 7, 5}},  // seven hearts, no run
        Expected{"KsKhKd5s5h5d2c", 7, {13, 5}},          // two trips
        Expected{"QsQh9s9h4s4hKc", 3, {12, 9, 13}},      // three pairs: the king kicks
        Expected{"QsQh9s9h4s4h2c", 3, {12, 9, 4}},       // third pair's value kicks
        Expected{"7s7h7d7cAsKhQd", 8, {7, 14}},          // quads: highest other card kicks
        Expected{"7s7h7d7c2s2h2d", 8, {7, 2}},
        Expected{"AsAhAdAcKsKhKd", 8, {14, 13}},
        Expected{"2s2h2d3c3s9hTd", 7, {2, 3}},
        Expected{"9s9h9dKcQs4h2d", 4, {9, 13, 12}},
        Expected{"AsAhKdKcQsQh2d", 3, {14, 13, 12}},
        Expected{"8s8h3d4cJsQhAd", 2, {8, 14, 12, 11}},
        Expected{"2s4h6d8cTsQhAd", 1, {14, 12, 10, 8, 6}},
        Expected{"2s3h4d5c6s7h9d", 5, {7}},              // highest of three runs
        Expected{"AsKhQdJcTs9h8d", 5, {14}}));

TEST(EvaluatorEdge, SteelWheelLosesToSixHighStraightFlushAndBeatsQuads) {
  const HandKey wheel = EvaluateSeven(Seven("As2s3s4s5sKh9d"));
  EXPECT_LT(wheel, EvaluateSeven(Seven("2s3s4s5s6sKh9d")));
  EXPECT_GT(wheel, EvaluateSeven(Seven("AsAhAdAcKsKhKd")));
}

TEST(EvaluatorEdge, HighCardLengthsFollowTheClass) {
  for (int c = 1; c <= 9; ++c) {
    EXPECT_EQ(static_cast<int>(HighCard(MakeHandKey(c, {14, 13, 12, 11, 10})).size()), kHighCardLength[c]);
  }
  EXPECT_EQ(HandKeyFrom(3, {12, 9, 13}), MakeHandKey(3, {12, 9, 13}));
  EXPECT_EQ(HandClassName(1), "High card");
  EXPECT_EQ(HandClassName(9), "Straight flush");
}

}  // namespace
}  // namespace zuv::sim
