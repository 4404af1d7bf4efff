#include "sim/start_hands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "test_cards.h"

namespace zuv::sim {
namespace {

using testing::Cards;

int ClassOf(const char* two) {
  const auto c = Cards(two);
  return StartHandClass(c[0], c[1]);
}

TEST(StartHands, NamedExamples) {
  EXPECT_EQ(ClassOf("AsKs"), 14);
  EXPECT_EQ(ClassOf("AsKh"), 92);
  EXPECT_EQ(ClassOf("3d2d"), 91);
  EXPECT_EQ(ClassOf("3d2c"), 169);
  EXPECT_EQ(ClassOf("2s2h"), 13);
  EXPECT_EQ(ClassOf("AcAd"), 1);
  EXPECT_EQ(ClassOf("7h2c"), 159);
  EXPECT_EQ(ClassOf("KsQs"), 26);
  EXPECT_EQ(ClassOf("As2s"), 25);
  EXPECT_EQ(ClassOf("Ts9s"), 56);
  EXPECT_EQ(ClassOf("4s3s"), 89);
}

TEST(StartHands, AllPairsOfCardsFillEveryClassWithTheRightCombos) {
  std::map<int, int> combos;
  std::set<std::pair<int, int>> seen;
  for (int a = 1; a <= 52; ++a) {
    for (int b = a + 1; b <= 52; ++b) {
      const int c = StartHandClass(a, b);
      ASSERT_EQ(c, StartHandClass(b, a)) << "order matters for " << a << "," << b;
      ASSERT_EQ(c, kStartHandTable[a * 53 + b]);
      ++combos[c];
      seen.insert({a, b});
    }
  }
  EXPECT_EQ(seen.size(), 1326u);
  ASSERT_EQ(combos.size(), 169u);
  EXPECT_EQ(combos.begin()->first, 1);
  EXPECT_EQ(combos.rbegin()->first, 169);
  for (const auto& [c, n] : combos) {
    const int expected = c <= 13 ? 6 : c <= 91 ? 4 : 12;
    EXPECT_EQ(n, expected) << "class " << c;
  }
}

TEST(StartHands, SuitedBlocksRunByHighCardThenFallingLowCard) {
  const char* values = "23456789TJQKA";
  int expected = 14;
  for (int hi = 12; hi >= 1; --hi) {
    for (int lo = hi - 1; lo >= 0; --lo) {
      const std::string two = {values[hi], 's', values[lo], 's'};
      EXPECT_EQ(ClassOf(two.c_str()), expected) << two;
      const std::string off = {values[hi], 'h', values[lo], 'c'};
      EXPECT_EQ(ClassOf(off.c_str()), expected + 78) << off;
      ++expected;
    }
  }
  EXPECT_EQ(expected, 92);
}

TEST(StartHands, FindStartHandsKeepsTheOrderOfTheWinners) {
  std::array<std::array<int, 2>, 10> hole{};
  const auto a = Cards("AsKs"), b = Cards("7h2c");
  hole[2] = {a[0], a[1]};
  hole[6] = {b[0], b[1]};
  EXPECT_EQ(FindStartHands(std::vector<int>{3, 7}, hole), (std::vector<int>{14, 159}));
  EXPECT_EQ(FindStartHands(std::vector<int>{7}, hole), (std::vector<int>{159}));
  EXPECT_TRUE(FindStartHands(std::vector<int>{}, hole).empty());
  EXPECT_EQ(FindStartHands(std::vector<std::array<int, 2>>{{a[0], a[1]}, {b[1], b[0]}}),
            (std::vector<int>{14, 159}));
}

}  // namespace
}  // namespace zuv::sim
