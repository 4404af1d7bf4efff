// Drives the real zuvsim binary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "sim/run_parallel.h"
#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

using testing::Json;
using testing::RunZuvsim;

// Everything but the timing, which differs between runs.
nlohmann::json WithoutSeconds(nlohmann::json run) {
  run.erase("seconds");
  return run;
}

TEST(Zuvsim, JsonHasTheAgreedFields) {
  const auto r = RunZuvsim("--json --hands 20000 --seed 3 --board 2c4c5h AsKs random");
  const auto run = Json(r);
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(run["hands"], 20000);
  EXPECT_EQ(run["seed"], 3);
  EXPECT_EQ(run["board"], "2c4c5h");
  EXPECT_GE(run["seconds"].get<double>(), 0);
  ASSERT_EQ(run["seats"].size(), 2u);
  const auto& seat1 = run["seats"][0];
  const auto& seat2 = run["seats"][1];
  EXPECT_EQ(seat1["seat"], 1);
  EXPECT_EQ(seat1["cards"], "AsKs");
  EXPECT_EQ(seat2["cards"], "random");
  EXPECT_EQ(seat1["combos"], 1);
  EXPECT_EQ(seat2["combos"], 47 * 46 / 2);  // any two of the cards not on the board or at seat 1
  EXPECT_EQ(seat1["weight"], 1.0);
  EXPECT_EQ(seat2["weight"], 47.0 * 46 / 2);
  const auto weighted = Json(RunZuvsim("--json --hands 2000 --dead Kh 'AA:0.5,KK,KcKs:0.25' 'QQ+:0.25,QQ'"))["seats"];
  EXPECT_EQ(weighted[0]["combos"], 9);
  EXPECT_EQ(weighted[0]["weight"], 3 + 2 + 0.25);
  EXPECT_EQ(weighted[1]["combos"], 15);
  EXPECT_EQ(weighted[1]["weight"], 6 + 9 * 0.25);
  EXPECT_EQ(run["exact"], false);
  EXPECT_FALSE(seat1.contains("win_fraction"));  // a sampled share is no exact fraction
  EXPECT_EQ(run["deals"], 20000);
  EXPECT_EQ(run["dead"], "");
  const double wins1 = seat1["wins"], wins2 = seat2["wins"];
  EXPECT_DOUBLE_EQ(wins1 + wins2, 20000);
  EXPECT_DOUBLE_EQ(seat1["win_rate"].get<double>(), wins1 / 20000);
  EXPECT_GT(seat1["win_rate_se"].get<double>(), 0);
  // win_stat: nine numbers adding up to the seat's wins.
  ASSERT_EQ(seat1["win_stat"].size(), 9u);
  double sum = 0;
  for (double wins : seat1["win_stat"]) sum += wins;
  EXPECT_NEAR(sum, wins1, 1e-6);
}

// Four deuces on the board: the pot is often shared on kickers.
TEST(Zuvsim, SharedPotsCountedWholeAndAsShares) {
  const auto run = Json(RunZuvsim("--json --hands 20000 --board 2c2d2h2s AhKd random"));
  for (const auto& seat : run["seats"]) {
    const double wins = seat["wins"], alone = seat["wins_alone"], shares = seat["wins_shared"];
    ASSERT_TRUE(seat["hands_shared"].is_number_integer());
    const auto shared = seat["hands_shared"].get<std::int64_t>();
    EXPECT_GT(shared, 1000);
    EXPECT_DOUBLE_EQ(alone + shares, wins);
    // Two seats: each shared pot pays each of them one half.
    EXPECT_DOUBLE_EQ(shares, shared / 2.0);
  }
  EXPECT_EQ(run["seats"][0]["hands_shared"], run["seats"][1]["hands_shared"]);
}

TEST(Zuvsim, SameSeedSameNumbersWhateverTheThreads) {
  const std::string args = "--json --hands 123456 --seed 42 AsKh random random QdQc";
  const auto one = WithoutSeconds(Json(RunZuvsim("--threads 1 " + args)));
  const auto two = WithoutSeconds(Json(RunZuvsim("--threads 2 " + args)));
  const auto five = WithoutSeconds(Json(RunZuvsim("--threads 5 " + args)));
  EXPECT_EQ(one, two);
  EXPECT_EQ(one, five);
  EXPECT_EQ(one, WithoutSeconds(Json(RunZuvsim("--threads 1024 " + args))));  // the largest count allowed
  const std::string ranges = "--json --hands 123456 --seed 42 --dead Kc9d 'QQ+,AKs' 'AK,AQ,KQs' random";
  EXPECT_EQ(WithoutSeconds(Json(RunZuvsim("--threads 1 " + ranges))),
            WithoutSeconds(Json(RunZuvsim("--threads 2 " + ranges))));
  const auto other = WithoutSeconds(Json(RunZuvsim("--json --hands 123456 --seed 43 AsKh random random QdQc")));
  EXPECT_EQ(other["hands"], 123456);
  EXPECT_NE(one["seats"][0]["wins"], other["seats"][0]["wins"]);
}

TEST(Zuvsim, PrecisionTargetStopsAtTheFirstCheckpointThatMeetsIt) {
  const std::string table = " --seed 3 --dead 7h2d AsKs 'TT+,AQs+' random";
  const auto run = Json(RunZuvsim("--json --threads 1 --target-se 0.001" + table));
  const std::int64_t hands = run["hands"];
  EXPECT_EQ(hands % sim::kTargetCheckHands, 0);
  EXPECT_GE(hands, 2 * sim::kTargetCheckHands);  // one checkpoint is not enough for 0.001
  for (const auto& seat : run["seats"]) EXPECT_LE(seat["win_rate_se"].get<double>(), 0.001);
  // The checkpoint before did not meet it: the run stopped at the first that did.
  const auto before = Json(RunZuvsim("--json --hands " + std::to_string(hands - sim::kTargetCheckHands) + table));
  double worst = 0;
  for (const auto& seat : before["seats"]) worst = std::max(worst, seat["win_rate_se"].get<double>());
  EXPECT_GT(worst, 0.001);
  EXPECT_EQ(WithoutSeconds(run), WithoutSeconds(Json(RunZuvsim("--json --threads 2 --target-se 0.001" + table))));
  // --hands bounds it: a target beyond it is refused with the hands it needs, and those are enough.
  const auto bounded = RunZuvsim("--threads 2 --target-se 0.001 --hands 150000" + table);
  EXPECT_EQ(bounded.status, 2);
  const auto count = bounded.err.find("needs about ");
  ASSERT_NE(count, std::string::npos) << bounded.err;
  std::string digits;
  for (auto c = bounded.err.begin() + count + 12; c != bounded.err.end() && *c != ' '; ++c) {
    if (*c != ',') digits += *c;
  }
  const std::int64_t needed = std::stoll(digits);
  EXPECT_GT(needed, 150000);
  EXPECT_LE(needed, hands);
  const auto enough = Json(RunZuvsim("--json --target-se 0.001 --hands " + std::to_string(needed * 11 / 10) + table));
  for (const auto& seat : enough["seats"]) EXPECT_LE(seat["win_rate_se"].get<double>(), 0.001);
}

TEST(Zuvsim, TextOutputHasATablePerSeat) {
  const auto r = RunZuvsim("--hands 5000 AsKs QhQd random");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;  // no progress line: standard error is a file here
  EXPECT_NE(r.out.find("5000 hands, seed 0"), std::string::npos);
  EXPECT_NE(r.out.find("Seat  Cards    Win %   +- SE  Alone %  Shared %"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   1  AsKs"), std::string::npos);
  EXPECT_NE(r.out.find("   3  random"), std::string::npos);
  EXPECT_NE(r.out.find("FullH"), std::string::npos);
  EXPECT_EQ(r.out.find("Split"), std::string::npos);
}

struct BadInput {
  std::string args;
  const char* says;
};

// The arguments, cut short: some cases are tens of thousands of characters.
std::string Shortened(const std::string& args) { return args.size() <= 60 ? args : args.substr(0, 60) + "..."; }

void PrintTo(const BadInput& input, std::ostream* out) { *out << "zuvsim " << Shortened(input.args); }

class ZuvsimBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(ZuvsimBadInput, OneClearLineAndStatusTwo) {
  const auto r = RunZuvsim(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // exactly one line
  // Nothing a terminal obeys: control characters from the arguments come out escaped.
  EXPECT_EQ(std::count_if(r.err.begin(), r.err.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }), 1)
      << r.err;
  EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZuvsimBadInput,
    ::testing::Values(BadInput{"AsKx random", "seat 1: 'AsKx' is not a hand"},
                      BadInput{"AsK random", "seat 1: 'AsK' is not a hand"},
                      BadInput{"random 1sKs", "seat 2: '1sKs' is not a hand"},
                      BadInput{"random AKx", "seat 2: 'AKx' is not a hand, a range item"},
                      BadInput{"random 'QQ+,,AKs'", "seat 2: the range 'QQ+,,AKs' has an empty item"},
                      BadInput{"random ''", "seat 2: the range is empty"},
                      BadInput{"AA --dead AsAhAd random", "seat 1: no hand of 'AA' is possible"},
                      BadInput{"random 'AA,KK' --board AsAhAdKsKh", "3 cards (flop) or 4"},
                      BadInput{"'AA,KK' 'AA,KK' 'AA,KK' 'AA,KK' 'AA,KK'", "no way to deal every seat"},
                      BadInput{"'[AA,KK]' random", "seat 1: the range '[AA,KK]' holds brackets"},
                      BadInput{"random '[50]AA,KK[/50]'", "seat 2: the range '[50]AA,KK[/50]' holds brackets"},
                      BadInput{"random 'AA:1.5'", "seat 2: 'AA:1.5' has a weight that is not a decimal from 0 to 1"},
                      BadInput{"random 'AA:0'", "seat 2: the range 'AA:0' holds no hand"},
                      BadInput{"AsKs AsQd", "As is given twice"},
                      BadInput{"--board 2c4c5hAs AsKs random", "As is given twice"},
                      BadInput{"--dead 7h2dAs AsKs random", "As is given twice (again in --dead)"},
                      BadInput{"--dead 7h7h AsKs random", "7h is given twice"},
                      BadInput{"--dead 7h2 AsKs random", "--dead '7h2' is not a run of two-character cards"},
                      BadInput{"--dead '' AsKs random", "--dead needs cards"},
                      BadInput{"AsKs", "at least 2 seats"},
                      BadInput{"", "at least 2 seats"},
                      BadInput{"random random random random random random random random random random random",
                               "at most 10 seats"},
                      BadInput{"--board 2c4c AsKs random", "3 cards (flop) or 4"},
                      BadInput{"--board 2c4c5h7d8d AsKs random", "3 cards (flop) or 4"},
                      BadInput{"--board 2c4c5 AsKs random", "two-character"},
                      BadInput{"--board 2c4c5x AsKs random", "unknown card '5x' in --board"},
                      BadInput{"--hands 0 random random", "--hands"},
                      BadInput{"--hands 12x random random", "--hands"},
                      BadInput{"--hands -5 random random", "--hands"},
                      BadInput{"--hands", "--hands needs"},
                      BadInput{"--hands 1000000000001 random random", "at most 1000000000000"},
                      BadInput{"--hands 9223372036854775807 random random", "at most 1000000000000"},
                      BadInput{"--hands 99999999999999999999 random random", "at most 1000000000000"},
                      BadInput{"--hands 1e6 random random", "--hands must be a whole number"},
                      BadInput{"--hands 5 --hands 6 random random", "--hands may be given only once"},
                      BadInput{"--target-se 0 random random", "--target-se must be a positive number"},
                      BadInput{"--target-se -0.01 random random", "--target-se must be a positive number"},
                      BadInput{"--target-se nan random random", "--target-se must be a positive number"},
                      BadInput{"--target-se inf random random", "--target-se must be a positive number"},
                      BadInput{"--target-se 1e-3x random random", "--target-se must be a positive number"},
                      BadInput{"--target-se", "--target-se needs"},
                      BadInput{"--exact --hands 5 AA KK", "--exact plays every deal once"},
                      BadInput{"--time-limit 5 AA KK", "--time-limit needs --exact"},
                      BadInput{"--exact --time-limit 0 AA KK", "--time-limit must be a number of seconds"},
                      BadInput{"--exact --time-limit 1e-9 AA KK", "--time-limit must be a number of seconds"},
                      BadInput{"--exact --target-se 0.01 AA KK", "--exact excludes --target-se"},
                      BadInput{"--exact random random random random random", "Too many deals"},
                      BadInput{"--json --csv random random", "--json excludes --csv"},
                      BadInput{"--json=maybe random random", "--json is a switch without a value"},
                      BadInput{"--seed -1 random random", "--seed"},
                      BadInput{"--seed 1.5 random random", "--seed"},
                      BadInput{"--seed 18446744073709551616 random random", "--seed"},
                      BadInput{"--threads 0 random random", "--threads"},
                      BadInput{"--threads 1025 random random", "--threads must be a whole number from 1 to 1024"},
                      BadInput{"--frobnicate random random", "unknown option '--frobnicate'"},
                      // Long options: the words of the command-line library are taken apart without a pattern matcher.
                      BadInput{"--" + std::string(30000, 'x') + " random random", "unknown option '--xxx"},
                      BadInput{"--exact=" + std::string(60000, 'x') + " random random", "--exact is a switch"},
                      BadInput{[] {
                                 std::string args;
                                 for (int i = 0; i < 6500; ++i) args += "--x ";
                                 return args;
                               }(),
                               "unknown option '--x' "},
                      BadInput{"--target-se 1e-300 random random", "--target-se 1e-300 needs about 2."},
                      BadInput{"--hands 1 --target-se 5e-324 random random",
                               "--target-se needs at least 1,000 hands to measure a standard error; --hands allows 1"},
                      BadInput{"AsKsQs random", "seat 1: 'AsKsQs' is not a hand"},
                      // Control characters (made by printf, as the shell passes them on).
                      BadInput{"--hands \"$(printf '1\\n2')\" random random", "not '1\\n2'"},
                      BadInput{"--seed \"$(printf '\\033]0;x\\007')\" random random", "not '\\x1b]0;x\\x07'"},
                      BadInput{"--threads \"$(printf '4\\r')\" random random", "not '4\\r'"},
                      BadInput{"--target-se \"$(printf '\\n1')\" random random", "not '\\n1'"},
                      BadInput{"--exact --time-limit \"$(printf '\\t')\" AA KK", "not '\\t'"},
                      BadInput{"--board \"$(printf '2c\\n\\n4c')\" random random", "unknown card '\\n\\n' in --board"},
                      BadInput{"--dead \"$(printf '2c\\033')\" random random", "--dead '2c\\x1b' is not a run"},
                      BadInput{"\"--$(printf 'a\\rb')\" random random", "unknown option '--a\\rb'"},
                      BadInput{"\"--json=$(printf 'a\\nb')\" random random", "not '--json=a\\nb'"},
                      BadInput{"--setup \"$(printf 'a\\nb.zuv')\"", "the setup file 'a\\nb.zuv' was not loaded"},
                      BadInput{"--setup", "--setup needs"},
                      BadInput{"--setup x.zuv AsKs random", "cannot be combined"},
                      BadInput{"--setup x.zuv --dead 2c", "cannot be combined"}),
    // Named by the arguments, so a failure says which: "--dead 7h2" becomes "__dead_7h2".
    [](const ::testing::TestParamInfo<BadInput>& info) {
      std::string name = info.param.args.empty() ? "no_arguments" : Shortened(info.param.args);
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
}  // namespace zuv::zuvsim
