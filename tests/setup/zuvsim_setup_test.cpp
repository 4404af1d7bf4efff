// zuvsim --setup: the scenario, hand count and seed of a setup file, headless.
#include <gtest/gtest.h>

#include "cli/zuvsim_runner.h"
#include "setup/file/setup_scenario.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_file_helpers.h"

namespace zuv::setupfile {
namespace {

using zuvsim::testing::RunZuvsim;

const std::string kForeign = std::string(ZUV_SOURCE_DIR) + "/tests/setup/data/foreign_setup.zuv";

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(ZuvsimSetup, RunsTheFilesScenarioHandsAndSeed) {
  const auto r = RunZuvsim("--setup " + kForeign);
  ASSERT_EQ(r.status, 0) << r.err;
  // Seed -77 as zuvsim --seed takes it: its 64-bit two's complement.
  EXPECT_NE(r.out.find("1234 hands, seed " + std::to_string(std::uint64_t{0} - 77) + ","), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("board 2c7dTh fixed"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   1  random"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   2  off"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   3  AsAh"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   6  random"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("   7  "), std::string::npos) << r.out;
}

TEST(ZuvsimSetup, OptionsGivenWithItWinAndTheSameSeedRepeats) {
  const auto a = RunZuvsim("--hands 3000 --seed 9 --json --setup " + kForeign);
  const auto b = RunZuvsim("--setup " + kForeign + " --seed=9 --hands=3000 --json --threads 1");
  auto runA = zuvsim::testing::Json(a), runB = zuvsim::testing::Json(b);
  EXPECT_EQ(runA["hands"], 3000);
  EXPECT_EQ(runA["seed"], 9);
  // Everything but the time taken is the same.
  runA.erase("seconds");
  runB.erase("seconds");
  EXPECT_EQ(runA, runB);
}

// Ranges, dead cards and "Exact odds" as saved: the numbers of the same table given to --exact.
TEST(ZuvsimSetup, PlaysRangesDeadCardsAndExactOddsAsSaved) {
  testing::TempFolder folder;
  SetupContent exact = testing::FixedFlopContent();
  exact.ranges[0] = "KK,QQ";
  exact.deadcards = {38};  // Kd, out of the deck
  exact.cardsindeck[38 - 1] = 0;
  exact.exact = 1;
  ASSERT_EQ(WriteSetupFile(folder.path("exact.zuv"), exact), std::nullopt);
  const auto file = zuvsim::testing::Json(RunZuvsim("--json --setup " + folder.path("exact.zuv")));
  const auto args = zuvsim::testing::Json(RunZuvsim("--json --exact --board 7s8s9s --dead Kd 'KK,QQ' AsAh 2c2d"));
  EXPECT_EQ(file["exact"], true);
  EXPECT_EQ(file["deals"], args["deals"]);
  EXPECT_EQ(file["dead"], "Kd");
  EXPECT_EQ(file["seats"][0]["combos"], 9);
  for (const auto& [inFile, inArgs] : {std::pair{0, 0}, {1, 1}, {4, 2}}) {
    EXPECT_EQ(file["seats"][inFile]["win_fraction"], args["seats"][inArgs]["win_fraction"]) << inFile;
  }
  EXPECT_EQ(RunZuvsim("--hands 5 --setup " + folder.path("exact.zuv")).status, 2);

  // A table the window refuses to enumerate is refused here in the same words.
  SetupContent wide = testing::StartupContent();
  for (int seat = 0; seat < 5; ++seat) wide.table.activeplayers[seat] = wide.table.simulateplayers[seat] = 1;
  wide.exact = 1;
  ASSERT_EQ(WriteSetupFile(folder.path("wide.zuv"), wide), std::nullopt);
  const auto refused = RunZuvsim("--setup " + folder.path("wide.zuv"));
  const auto direct = RunZuvsim("--exact random random random random random");
  EXPECT_EQ(refused.status, 2);
  EXPECT_FALSE(direct.err.empty());
  EXPECT_EQ(refused.err, direct.err);
  EXPECT_TRUE(refused.out.empty()) << refused.out;
}

TEST(ZuvsimSetup, ARefusedFileIsOneLineAndStatusTwo) {
  testing::TempFolder folder;
  SetupContent twice = testing::FixedFlopContent();
  twice.players[4].Cards = {13, 27};  // As is seat 2's as well
  ASSERT_EQ(WriteSetupFile(folder.path("twice.zuv"), twice), std::nullopt);
  testing::WriteBytes(folder.path("text.zuv"), "no MAT-file here");
  SetupContent alone = testing::StartupContent();
  alone.table.activeplayers[1] = alone.table.simulateplayers[1] = 0;
  ASSERT_EQ(WriteSetupFile(folder.path("alone.zuv"), alone), std::nullopt);

  struct Case {
    std::string file, problem;
  };
  for (const Case& c : {Case{"twice.zuv", "was not loaded: card 13 is fixed twice"},
                        Case{"text.zuv", "was not loaded: it is not a MAT-file"},
                        Case{"missing.zuv", "was not loaded: it does not exist"},
                        Case{"alone.zuv", "cannot be run: "}}) {
    const auto r = RunZuvsim("--setup " + folder.path(c.file));
    EXPECT_EQ(r.status, 2) << c.file;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("zuvsim: the setup file '" + folder.path(c.file) + "' ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.problem), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

}  // namespace
}  // namespace zuv::setupfile
