// zuvsim --per-hand, through the real binary.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <regex>
#include <string>

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

// A stopped exact run estimates each class's win rate from its work units:
// text and CSV give that error as the JSON does, a complete run none.
TEST(ZuvsimPerHand, StoppedExactClassesShowTheirStandardErrors) {
  // How far a run gets in a time depends on the machine (the sanitizer
  // builds are many times slower): the limit is a third of the time the
  // whole run takes here, so that the stop finds it about a third done. The
  // table takes about a second, well above a process's start.
  const std::string table = " --board Kd7s2c AhAc 22+,A2+ random random";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunZuvsim("--exact --csv --per-hand" + table).status, 0);
  const double whole = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string limit = std::to_string(std::max(whole / 3, 0.001));
  const auto csv = RunZuvsim("--exact --csv --per-hand --time-limit " + limit + table);
  ASSERT_NE(csv.out.find("win_rate_se\n"), std::string::npos) << csv.out;
  const std::string classes = csv.out.substr(csv.out.find("win_rate_se\n") + 12);
  // A class met in too few units has no error yet ("nan"); one that lost in
  // every unit done has 0, as in a sample; the others a positive one.
  int rows = 0, positive = 0;
  for (std::size_t line = 0; line < classes.size(); line = classes.find('\n', line) + 1, ++rows) {
    const double se = std::stod(classes.substr(classes.rfind(',', classes.find('\n', line)) + 1));
    if (std::isnan(se)) continue;
    EXPECT_GE(se, 0) << classes.substr(line, 40);
    EXPECT_LT(se, 0.5) << classes.substr(line, 40);  // a win rate lies in [0, 1]
    positive += se > 0;
  }
  EXPECT_LE(rows, 3 * 169);
  EXPECT_GT(positive, 0) << "limit " << limit << " s\n" << csv.out;
  // The text gives the same errors, as numbers where the CSV has them.
  const auto text = RunZuvsim("--exact --per-hand --time-limit " + limit + table);
  const std::regex withError("\n\\w+ +\\d+ +[\\d.]+ +[\\d.]+ +[\\d.]+\n");
  EXPECT_TRUE(std::regex_search(text.out.substr(text.out.find("Class  Combos")), withError)) << text.out;
  const auto complete = RunZuvsim("--exact --csv --per-hand AhAc KK");
  EXPECT_NE(complete.out.find("\n2,KK,6,1,"), std::string::npos) << complete.out;
  EXPECT_EQ(complete.out.substr(complete.out.size() - 3), ",0\n") << complete.out;
}

}  // namespace
}  // namespace zuv::zuvsim
