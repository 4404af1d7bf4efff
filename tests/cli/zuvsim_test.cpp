// Drives the real zuvsim binary.
#include <gtest/gtest.h>

#include <regex>

#include "sim/evaluator.h"
#include "sim/card.h"
#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

using testing::JsonNumber;
using testing::RunZuvsim;

// Everything but the timing, which differs between runs.
std::string WithoutSeconds(const std::string& json) {
  return std::regex_replace(json, std::regex("\"seconds\": [0-9.e+-]+"), "");
}

TEST(Zuvsim, JsonHasTheAgreedFields) {
  const auto r = RunZuvsim("--json --hands 20000 --seed 3 --board 2c4c5h AsKs random");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(JsonNumber(r.out, "hands"), 20000);
  EXPECT_EQ(JsonNumber(r.out, "seed"), 3);
  EXPECT_GE(JsonNumber(r.out, "seconds"), 0);
  EXPECT_NE(r.out.find("\"cards\": \"AsKs\""), std::string::npos);
  EXPECT_NE(r.out.find("\"cards\": \"random\""), std::string::npos);
  const auto seat2 = r.out.find("\"seat\": 2");
  ASSERT_NE(seat2, std::string::npos);
  const double wins1 = JsonNumber(r.out, "wins");
  const double wins2 = JsonNumber(r.out, "wins", seat2);
  EXPECT_DOUBLE_EQ(wins1 + wins2, 20000);
  EXPECT_DOUBLE_EQ(JsonNumber(r.out, "win_rate"), wins1 / 20000);
  // win_stat: nine numbers adding up to the seat's wins.
  const auto stat = r.out.find("\"win_stat\": [");
  ASSERT_NE(stat, std::string::npos);
  std::istringstream nine(r.out.substr(stat + 13, r.out.find(']', stat) - stat - 13));
  double sum = 0;
  int count = 0;
  for (std::string item; std::getline(nine, item, ',');) {
    sum += std::stod(item);
    ++count;
  }
  EXPECT_EQ(count, 9);
  EXPECT_NEAR(sum, wins1, 1e-6);
}

TEST(Zuvsim, SameSeedSameNumbersWhateverTheThreads) {
  const std::string args = "--json --hands 123456 --seed 42 AsKh random random QdQc";
  const auto one = RunZuvsim("--threads 1 " + args);
  const auto two = RunZuvsim("--threads 2 " + args);
  const auto five = RunZuvsim("--threads 5 " + args);
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(WithoutSeconds(one.out), WithoutSeconds(two.out));
  EXPECT_EQ(WithoutSeconds(one.out), WithoutSeconds(five.out));
  const auto other = RunZuvsim("--threads 2 --seed 43 " + args.substr(args.find(" AsKh")));
  EXPECT_NE(WithoutSeconds(one.out).substr(0, 200), "");
  EXPECT_NE(WithoutSeconds(one.out), WithoutSeconds(other.out));
}

TEST(Zuvsim, TextOutputHasATablePerSeat) {
  const auto r = RunZuvsim("--hands 5000 AsKs QhQd random");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("5000 hands, seed 0"), std::string::npos);
  EXPECT_NE(r.out.find("Win %"), std::string::npos);
  EXPECT_NE(r.out.find("   1  AsKs"), std::string::npos);
  EXPECT_NE(r.out.find("   3  random"), std::string::npos);
  EXPECT_NE(r.out.find("FullH"), std::string::npos);
}

TEST(Zuvsim, HelpGoesToStandardOutput) {
  const auto r = RunZuvsim("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: zuvsim"), std::string::npos);
}

struct BadInput {
  const char* args;
  const char* says;
};

class ZuvsimBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(ZuvsimBadInput, OneClearLineAndStatusTwo) {
  const auto r = RunZuvsim(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // exactly one line
  EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZuvsimBadInput,
    ::testing::Values(BadInput{"AsKx random", "unknown card 'Kx'"},
                      BadInput{"AsK random", "two-character"},
                      BadInput{"1sKs random", "unknown card '1s'"},
                      BadInput{"AsKs AsQd", "As is given twice"},
                      BadInput{"--board 2c4c5hAs AsKs random", "As is given twice"},
                      BadInput{"AsKs", "at least 2 seats"},
                      BadInput{"", "at least 2 seats"},
                      BadInput{"random random random random random random random random random random random",
                               "at most 10 seats"},
                      BadInput{"--board 2c4c AsKs random", "3 cards (flop) or 4"},
                      BadInput{"--board 2c4c5h7d8d AsKs random", "3 cards (flop) or 4"},
                      BadInput{"--board 2c4c5 AsKs random", "two-character"},
                      BadInput{"--hands 0 random random", "--hands"},
                      BadInput{"--hands 12x random random", "--hands"},
                      BadInput{"--hands -5 random random", "--hands"},
                      BadInput{"--hands", "--hands needs"},
                      BadInput{"--seed -1 random random", "--seed"},
                      BadInput{"--seed 1.5 random random", "--seed"},
                      BadInput{"--seed 18446744073709551616 random random", "--seed"},
                      BadInput{"--threads 0 random random", "--threads"},
                      BadInput{"--frobnicate random random", "unknown option"},
                      BadInput{"AsKsQs random", "needs two cards"},
                      BadInput{"--setup", "--setup needs"},
                      BadInput{"--setup x.zuv AsKs random", "cannot be combined"}));

// Exact pot share of seat 1 over every river.
double ExactRiverShare(const char* a, const char* b, const char* board4) {
  const auto ha = *sim::ParseCards(a), hb = *sim::ParseCards(b), bd = *sim::ParseCards(board4);
  double share = 0;
  int rivers = 0;
  for (int river = 1; river <= 52; ++river) {
    bool used = false;
    for (int c : ha) used = used || c == river;
    for (int c : hb) used = used || c == river;
    for (int c : bd) used = used || c == river;
    if (used) continue;
    const sim::HandKey ka = sim::EvaluateSeven({ha[0], ha[1], bd[0], bd[1], bd[2], bd[3], river});
    const sim::HandKey kb = sim::EvaluateSeven({hb[0], hb[1], bd[0], bd[1], bd[2], bd[3], river});
    share += ka > kb ? 1.0 : ka == kb ? 0.5 : 0.0;
    ++rivers;
  }
  return share / rivers;
}

TEST(Zuvsim, WinRateMatchesExactRiverOdds) {
  const double exact = ExactRiverShare("AhKh", "QsQd", "Qh9h2c5d");
  const auto r = RunZuvsim("--json --hands 1000000 --threads 2 --board Qh9h2c5d AhKh QsQd");
  ASSERT_EQ(r.status, 0) << r.err;
  const double rate = JsonNumber(r.out, "win_rate");
  const double se = JsonNumber(r.out, "win_rate_se");
  EXPECT_GT(se, 0);
  EXPECT_NEAR(rate, exact, 4.5 * se);
}

}  // namespace
}  // namespace zuv::zuvsim
