// The fast evaluator against the plain 21-subset one on random hands.
#include <gtest/gtest.h>

#include "sim/evaluator.h"
#include "sim/reference_evaluator.h"
#include "test_cards.h"

namespace zuv::sim {
namespace {

TEST(EvaluatorRandom, MillionRandomHandsMatchTheReference) {
  Random random(7);
  int mismatches = 0;
  std::array<int, 10> classCount{};
  for (int i = 0; i < 1'000'000; ++i) {
    const auto cards = testing::RandomSeven(random);
    const HandKey key = EvaluateSeven(cards);
    const ReferenceHand ref = ReferenceEvaluateSeven(cards);
    ++classCount[HandClass(key)];
    if (HandClass(key) != ref.handClass || HighCard(key) != ref.highcard) {
      if (++mismatches <= 10) {
        ADD_FAILURE() << CardSymbol(cards[0]) << CardSymbol(cards[1]) << CardSymbol(cards[2])
                      << CardSymbol(cards[3]) << CardSymbol(cards[4]) << CardSymbol(cards[5])
                      << CardSymbol(cards[6]) << ": fast class " << HandClass(key)
                      << ", reference class " << ref.handClass;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  // Every class shows up, so no branch of the comparison went untested.
  for (int c = 1; c <= 9; ++c) EXPECT_GT(classCount[c], 0) << c;
}

TEST(EvaluatorRandom, HandOrderMatchesTheReferenceOrder) {
  // Keys must order hands as class, then highcard left to right.
  Random random(11);
  for (int i = 0; i < 100'000; ++i) {
    const auto a = testing::RandomSeven(random);
    const auto b = testing::RandomSeven(random);
    const ReferenceHand ra = ReferenceEvaluateSeven(a);
    const ReferenceHand rb = ReferenceEvaluateSeven(b);
    const auto refOrder = std::tie(ra.handClass, ra.highcard) <=> std::tie(rb.handClass, rb.highcard);
    ASSERT_EQ(EvaluateSeven(a) <=> EvaluateSeven(b), refOrder);
  }
}

}  // namespace
}  // namespace zuv::sim
