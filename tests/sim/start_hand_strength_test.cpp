#include "sim/start_hand_strength.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sim/exact.h"
#include "sim/hand_range.h"

namespace zuv::sim {
namespace {

TEST(StartHandStrength, EveryCellOnceStrongestFirstAsTheEngineFindsIt) {
  std::set<std::array<int, 2>> cells;
  for (std::size_t i = 0; i < kStartHandStrengths.size(); ++i) {
    const StartHandStrength& hand = kStartHandStrengths[i];
    cells.insert({hand.row, hand.column});
    if (i == 0) continue;
    const StartHandStrength& stronger = kStartHandStrengths[i - 1];
    EXPECT_GE(static_cast<__int128>(stronger.numerator) * hand.denominator,
              static_cast<__int128>(hand.numerator) * stronger.denominator)
        << RangeCellName(hand.row, hand.column);
  }
  EXPECT_EQ(cells.size(), 169u);
  // The strongest hand and the weakest suited one (offsuit hands take twice
  // as long) against one random hand, in other suits than the table was
  // worked out with.
  const auto weakestSuited = std::find_if(kStartHandStrengths.rbegin(), kStartHandStrengths.rend(),
                                          [](const StartHandStrength& hand) { return hand.row < hand.column; });
  for (const StartHandStrength& hand : {kStartHandStrengths.front(), *weakestSuited}) {
    Scenario scenario;
    scenario.active[0] = scenario.active[1] = true;
    scenario.fixed[0] = RangeCellCombos(hand.row, hand.column).back();
    const WinFraction share = ExactWinRate(Enumerate(scenario).stats, 1);
    EXPECT_EQ(share.numerator, hand.numerator) << RangeCellName(hand.row, hand.column);
    EXPECT_EQ(share.denominator, hand.denominator) << RangeCellName(hand.row, hand.column);
  }
}

TEST(StartHandStrength, TheTopPercentTakesTheStrongestCellsThatFit) {
  EXPECT_TRUE(StrongestCells(0).empty());
  // AA's 6 combinations are 0.45 % of all.
  EXPECT_EQ(StrongestCells(0.5), (std::vector<std::array<int, 2>>{{0, 0}}));
  EXPECT_EQ(StrongestCells(100).size(), 169u);
}

}  // namespace
}  // namespace zuv::sim
