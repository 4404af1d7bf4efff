// zuvsim --per-hand, through the real binary.
#include <gtest/gtest.h>

#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

using testing::Json;
using testing::RunZuvsim;

TEST(ZuvsimPerHand, HandsAndClassesAddUpToTheSeatAndTheBoardCountsItsHands) {
  const auto run = Json(RunZuvsim("--json --per-hand --hands 40000 --board Qh7c2h AhKh 'QQ+,AKs:0.5,JTs' random"));
  const auto& fixed = run["seats"][0];
  EXPECT_FALSE(fixed.contains("hands"));  // two fixed cards are one hand: the seat's own figures
  for (int s : {1, 2}) {
    const auto& seat = run["seats"][s];
    for (const char* list : {"hands", "classes"}) {
      double share = 0, wins = 0, previous = 1;
      for (const auto& row : seat[list]) {
        share += row["share"].get<double>();
        wins += row["share"].get<double>() * row["win_rate"].get<double>();
        EXPECT_LE(row["win_rate"].get<double>(), previous) << "strongest first";
        previous = row["win_rate"];
      }
      EXPECT_NEAR(share, 1.0, 1e-12) << list;
      EXPECT_NEAR(wins, seat["win_rate"].get<double>(), 1e-12) << list;
    }
  }
  // Seat 2 keeps 16 combinations weighing 14.5: QQ makes trips (3), AA and
  // KK a pair (6), AKs at half weight and JTs nothing (1.5 + 4); JhTh alone
  // holds four hearts.
  const auto& range = run["seats"][1];
  EXPECT_EQ(range["hands"].size(), 16u);
  for (const auto& row : range["hands"]) {
    const std::string hand = row["hand"];
    EXPECT_EQ(row["weight"].get<double>(), hand[0] == 'A' && hand[2] == 'K' ? 0.5 : 1.0) << hand;
  }
  EXPECT_EQ(range["classes"].size(), 5u);
  EXPECT_DOUBLE_EQ(range["made"]["Trips"].get<double>(), 3.0 / 14.5);
  EXPECT_DOUBLE_EQ(range["made"]["Pair"].get<double>(), 6.0 / 14.5);
  EXPECT_DOUBLE_EQ(range["made"]["High card"].get<double>(), 5.5 / 14.5);
  EXPECT_DOUBLE_EQ(range["draws"]["Flush draw"].get<double>(), 1.0 / 14.5);
  EXPECT_DOUBLE_EQ(fixed["draws"]["Flush draw"].get<double>(), 1.0);
}

TEST(ZuvsimPerHand, TextAndCsvShowTheClassTable) {
  const auto text = RunZuvsim("--per-hand --hands 20000 AhKh 'QQ+,AKs'");
  EXPECT_NE(text.out.find("Seat 2 (QQ+,AKs), starting-hand classes, strongest first"), std::string::npos) << text.out;
  const auto csv = RunZuvsim("--csv --per-hand --hands 20000 AhKh 'QQ+,AKs'");
  EXPECT_NE(csv.out.find("\n\nseat,class,combos,share,win_rate,win_rate_se\n2,"), std::string::npos) << csv.out;
}

}  // namespace
}  // namespace zuv::zuvsim
