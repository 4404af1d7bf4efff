// Writing and reading setup files through the library, and files of other writers.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "setup/file/setup_reader.h"
#include "setup/file/setup_scenario.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_file_helpers.h"
#include "sim/hand_range.h"
#include "sim/seed_number.h"

namespace zuv::setupfile {
namespace {

using testing::FixedFlopContent;
using testing::Load;
using testing::ReadBytes;
using testing::RewriteFile;
using testing::StartupContent;
using testing::TempFolder;

std::string SourceFile(const std::string& relative) { return std::string(ZUV_SOURCE_DIR) + "/" + relative; }

TEST(SetupFile, WhatIsWrittenReadsBack) {
  TempFolder folder;
  const std::string path = folder.path("fixed.zuv");
  SetupContent content = FixedFlopContent();
  content.sim.WinStat2 = {{10, 9, 3}, std::vector<double>(270, 0.25)};
  content.sim.Statistic = {{10, 169, 9}, std::vector<double>(15210, 0.0)};
  content.sim.WinRecord = NumericArray::Row(std::vector<double>(10, 3.5));
  ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);

  const LoadedSetup s = Load(path);
  EXPECT_EQ(s.activeplayers, (std::array<int, 10>{1, 1, 0, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.simulateplayers, (std::array<int, 10>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.playerCards[1], (std::vector<int>{13, 26}));
  EXPECT_EQ(s.playerCards[4], (std::vector<int>{40, 27}));
  EXPECT_TRUE(s.playerCards[0].empty());
  EXPECT_EQ(s.boardcards, (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(s.NrOfSims, 777);
  EXPECT_EQ(s.Dealer, 10);
  EXPECT_EQ(s.SimulateFlop, 0);
  EXPECT_EQ(s.SimulateTurn, 1);
  EXPECT_EQ(s.SetSeed, 1);
  EXPECT_EQ(s.Seed, -3);
  EXPECT_EQ(s.showhands, 1);
  for (int n = 1; n <= 52; ++n) EXPECT_EQ(s.cardsindeck[n - 1], content.cardsindeck[n - 1]) << n;
}

TEST(SetupFile, AFileOfAnotherWriterLoads) {
  // Made by tests/setup/data/make_foreign_setup.py, which writes the bytes itself.
  const LoadedSetup s = Load(SourceFile("tests/setup/data/foreign_setup.zuv"));
  EXPECT_EQ(s.activeplayers, (std::array<int, 10>{1, 0, 1, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(s.simulateplayers, (std::array<int, 10>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(s.playerCards[2], (std::vector<int>{13, 26}));
  EXPECT_EQ(s.boardcards, (std::vector<int>{40, 32, 22}));
  EXPECT_EQ(s.NrOfSims, 1234);
  EXPECT_EQ(s.Dealer, 4);
  EXPECT_EQ(s.SimulateFlop, 0);
  EXPECT_EQ(s.SimulateTurn, 1);
  EXPECT_EQ(s.SetSeed, 0);
  EXPECT_EQ(s.Seed, -77);
  EXPECT_EQ(s.showhands, 1);
  EXPECT_EQ(s.cardsindeck[12], 0);
  EXPECT_EQ(s.cardsindeck[0], 1);
}

TEST(SetupFile, TextsInEveryEncodingOfAnotherWriterLoad) {
  // The same setup with non-ASCII texts in 8-bit, UTF-8, UTF-16, 16-bit and
  // UTF-32 form, in read and unread fields, plain and compressed.
  const std::string path = SourceFile("tests/setup/data/foreign_texts.zuv");
  const LoadedSetup texts = Load(path);
  const LoadedSetup plain = Load(SourceFile("tests/setup/data/foreign_setup.zuv"));
  EXPECT_EQ(texts.activeplayers, plain.activeplayers);
  EXPECT_EQ(texts.simulateplayers, plain.simulateplayers);
  EXPECT_EQ(texts.playerCards, plain.playerCards);
  EXPECT_EQ(texts.boardcards, plain.boardcards);
  EXPECT_EQ(texts.cardsindeck, plain.cardsindeck);
  EXPECT_EQ(texts.NrOfSims, 1234);
  EXPECT_EQ(texts.Seed, -77);
  EXPECT_EQ(texts.showhands, 1);  // from the compressed record

  // A text whose dimensions no longer match its characters is damaged.
  std::string bytes = ReadBytes(path);
  const std::string name = "Paire \xc3\xa0 l\xe2\x80\x99" "as";
  const auto at = bytes.find(name);
  ASSERT_NE(at, std::string::npos);
  bytes[at + 7] = 'x';  // the "a grave" loses its second byte
  TempFolder folder;
  const std::string broken = folder.path("broken.zuv");
  testing::WriteBytes(broken, bytes);
  auto result = ReadSetupFile(broken);
  ASSERT_TRUE(std::holds_alternative<std::string>(result));
  EXPECT_EQ(std::get<std::string>(result), "the file is damaged (a text is not valid UTF-8)");
}

TEST(SetupFile, TheKeptFilesOfTheOtherWriterAreWhatItsScriptWrites) {
  if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not available";
  TempFolder folder;
  for (const auto& [mode, kept] : {std::pair{"write", "foreign_setup.zuv"}, std::pair{"texts", "foreign_texts.zuv"}}) {
    const std::string made = folder.path(kept);
    const std::string command = "python3 '" + SourceFile("tests/setup/data/make_foreign_setup.py") + "' " + mode +
                                " '" + made + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(ReadBytes(made) == ReadBytes(SourceFile(std::string("tests/setup/data/") + kept))) << kept;
  }
}

// The program's files read with an independent reader (the same script).
TEST(SetupFile, AnotherReaderSeesTheWholeRecords) {
  if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not available";
  TempFolder folder;
  const std::string path = folder.path("whole.zuv");
  SetupContent content = FixedFlopContent();
  content.sim.WinStat2 = {{10, 9, 3}, std::vector<double>(270, 0.5)};
  content.sim.Statistic = {{10, 169, 9}, std::vector<double>(15210, 0.0)};
  content.sim.Statistic.values[42] = 7;
  content.players[3].highcard = {14, 13, 9};
  content.players[3].hand = {2};
  ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);
  const std::string dump = folder.path("dump.txt");
  const std::string command = "python3 '" + SourceFile("tests/setup/data/make_foreign_setup.py") + "' dump '" +
                              path + "' > '" + dump + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(dump);
  const std::string text = ReadBytes(dump);
  for (const char* line : {
           "tempTABLE:struct=1x1\n", "tempTABLE.activeplayers:1x10=1 1 0 0 1 0 0 0 0 0\n",
           "tempTABLE.boardcards:3x1=6 7 8\n", "tempTABLE.tempplayercards:0x0=\n", "tempTABLE.skew:1x1=0.80000000000000004\n",
           "tempTABLE.lightyellow:1x3=1 1 0.80000000000000004\n", "tempTABLE.boardcardsimage:1x5=2 3 4 5 6\n",
           "tempTABLE.winner:0x0=\n", "tempSETUP.NrOfSims:1x1=777\n", "tempSETUP.Seed:1x1=-3\n",
           "tempSETUP.handnames:cell=1x9\n", "tempSETUP.handnames{1}=High card\n",
           "tempSETUP.handnames{9}=Straight flush\n", "tempSETUP.NrOfPlayers:1x1=10\n", "tempPLAYER:struct=1x10\n",
           "tempPLAYER(2).Cards:2x1=13 26\n", "tempPLAYER(4).hand:1x1=2\n", "tempPLAYER(4).highcard:1x3=14 13 9\n",
           "tempPLAYER(1).Cards:0x0=\n", "tempPLAYER(10).cardimage:1x2=0 0\n", "cardsindeck:1x52=",
           "tempSIM.showhands:1x1=1\n", "tempSIM.WinStat:10x9=", "tempSIM.WinStat2:10x9x3=",
           "tempSIM.Statistic:10x169x9=sum 7\n", "tempSIM.WinRecord:0x0=\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

TEST(SetupFile, SavingReplacesAnExistingFileCompletely) {
  TempFolder folder;
  const std::string path = folder.path("setup.zuv");
  testing::WriteBytes(path, std::string(100000, 'x'));
  ASSERT_EQ(WriteSetupFile(path, StartupContent()), std::nullopt);
  EXPECT_EQ(Load(path).NrOfSims, 50000);
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

TEST(SetupFile, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  // A folder that does not exist.
  auto reason = WriteSetupFile(folder.path("missing/setup.zuv"), StartupContent());
  ASSERT_TRUE(reason.has_value());
  EXPECT_EQ(*reason, "No such file or directory");

  // A folder in the place of the file: written in full, but the last step fails.
  std::filesystem::create_directory(folder.path("taken.zuv"));
  testing::WriteBytes(folder.path("taken.zuv/inside"), "old");
  reason = WriteSetupFile(folder.path("taken.zuv"), StartupContent());
  ASSERT_TRUE(reason.has_value());
  EXPECT_EQ(ReadBytes(folder.path("taken.zuv/inside")), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);

  // Statistics that do not fit their sizes are refused before the old file is touched.
  const std::string path = folder.path("kept.zuv");
  ASSERT_EQ(WriteSetupFile(path, FixedFlopContent()), std::nullopt);
  const std::string before = ReadBytes(path);
  SetupContent broken = StartupContent();
  broken.sim.WinStat.values.pop_back();
  EXPECT_TRUE(WriteSetupFile(path, broken).has_value());
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 2);
}

TEST(SetupFile, ANewFileGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn) {
  TempFolder folder;
  const std::string path = folder.path("mode.zuv");
  ASSERT_EQ(WriteSetupFile(path, StartupContent()), std::nullopt);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteSetupFile(path, StartupContent()), std::nullopt);
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SetupScenario, TheEngineRunsTheFixedCardsOfTheFile) {
  TempFolder folder;
  const std::string path = folder.path("run.zuv");
  SetupContent content = FixedFlopContent();
  content.players[0].Cards = {1, 2};  // kept from the last dealt hand: not fixed
  ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);
  const sim::Scenario scenario = ToScenario(Load(path));
  EXPECT_EQ(scenario.active, (std::array<bool, 10>{true, true, false, false, true, false, false, false, false, false}));
  EXPECT_EQ(scenario.fixed[0], (std::array<int, 2>{0, 0}));
  EXPECT_EQ(scenario.fixed[1], (std::array<int, 2>{13, 26}));
  EXPECT_EQ(scenario.fixed[4], (std::array<int, 2>{40, 27}));
  EXPECT_EQ(scenario.board, (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(sim::CheckScenario(scenario), std::nullopt);
}

TEST(SetupScenario, RangesDeadCardsAndTheExactFlagTravelWithTheFile) {
  TempFolder folder;
  const std::string path = folder.path("range.zuv");
  SetupContent content = FixedFlopContent();
  content.ranges[0] = "QQ+,AKs:0.5,T9s-65s:0.3";
  content.deadcards = {2, 3};
  content.cardsindeck[1] = content.cardsindeck[2] = 0;
  content.exact = 1;
  ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);

  const LoadedSetup s = Load(path);
  EXPECT_EQ(s.ranges[0], "QQ+,AKs:0.5,T9s-65s:0.3");
  EXPECT_EQ(s.deadcards, (std::vector<int>{2, 3}));
  EXPECT_EQ(s.exact, 1);
  const sim::Scenario scenario = ToScenario(s);
  EXPECT_EQ(scenario.range[0], sim::ParseRange("QQ+,AKs:0.5,T9s-65s:0.3").combos);
  EXPECT_EQ(scenario.weight[0], sim::ParseRange("QQ+,AKs:0.5,T9s-65s:0.3").weights);
  EXPECT_TRUE(scenario.range[1].empty());
  EXPECT_EQ(scenario.dead, (std::vector<int>{2, 3}));
  EXPECT_EQ(sim::CheckScenario(scenario), std::nullopt);
}

TEST(SetupScenario, AHugeRangeTextIsRefusedWithoutReadingItAll) {
  TempFolder folder;
  const std::string path = folder.path("huge.zuv");
  SetupContent content = FixedFlopContent();
  for (int i = 0; i < 1'500'000; ++i) content.ranges[0] += "random,";
  content.ranges[0] += "random";
  ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);
  auto result = ReadSetupFile(path);
  ASSERT_TRUE(std::holds_alternative<std::string>(result));
  EXPECT_EQ(std::get<std::string>(result),
            "playerranges{1} is not a range: the range text 'random,random,random,random,random,rando…' is longer than "
            "32000 characters, more than any range needs");
}

TEST(SetupScenario, ARangeTextWithAControlCharacterIsRefused) {
  TempFolder folder;
  const std::string path = folder.path("control.zuv");
  for (int code = 1; code < 0x20; ++code) {
    SetupContent content = FixedFlopContent();
    content.ranges[0] = std::string("QQ+,") + char(code) + "AKs";
    ASSERT_EQ(WriteSetupFile(path, content), std::nullopt);
    auto result = ReadSetupFile(path);
    ASSERT_TRUE(std::holds_alternative<std::string>(result)) << code;
    EXPECT_EQ(std::get<std::string>(result),
              "playerranges{1} holds a control character (code " + std::to_string(code) + ")");
  }
}

TEST(SetupScenario, AFileWithoutTheExtraVariablesHasNoRangesNoDeadCardsAndNoExactOdds) {
  TempFolder folder;
  const std::string full = folder.path("full.zuv");
  const std::string old = folder.path("old.zuv");
  ASSERT_EQ(WriteSetupFile(full, FixedFlopContent()), std::nullopt);
  RewriteFile(full, old, [](matvar_t* v) {
    const std::string name = v->name;
    return name != "playerranges" && name != "deadcards" && name != "exactodds";
  });
  const LoadedSetup s = Load(old);
  for (const std::string& range : s.ranges) EXPECT_TRUE(range.empty());
  EXPECT_TRUE(s.deadcards.empty());
  EXPECT_EQ(s.exact, 0);
  EXPECT_EQ(s.playerCards[1], (std::vector<int>{13, 26}));
}

// A setup's seed is the engine seed of the same number, in the window and in zuvsim --setup.
TEST(SetupScenario, EqualSeedsGiveEqualEngineSeedsAndNeighboursDiffer) {
  EXPECT_EQ(sim::SeedOfNumber(42), 42u);
  EXPECT_EQ(sim::SeedOfNumber(-0.0), 0u);
  // Whole seeds in 64 bits go in as two's complement; anything else by its
  // bit pattern, so huge seeds neither overflow nor all collapse onto one.
  EXPECT_EQ(sim::SeedOfNumber(-3), 0xFFFFFFFFFFFFFFFDull);
  EXPECT_EQ(sim::SeedOfNumber(-9223372036854775808.0), 0x8000000000000000ull);
  EXPECT_EQ(sim::SeedOfNumber(9223372036854775808.0), 0x43E0000000000000ull);
  EXPECT_EQ(sim::SeedOfNumber(1e300), 0x7E37E43C8800759Cull);
  EXPECT_NE(sim::SeedOfNumber(9223372036854775808.0), sim::SeedOfNumber(9223372036854774784.0));
}

}  // namespace
}  // namespace zuv::setupfile
