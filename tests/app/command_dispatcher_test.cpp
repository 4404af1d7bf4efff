#include <gtest/gtest.h>

#include "platform/command_dispatcher.h"

namespace zuv {
namespace {

TEST(ParseCommandText, ReadsNamesIntegersStringsAndTrailingSemicolon) {
  auto pick = ParseCommandText("CBPickCard(17, 3)");
  ASSERT_TRUE(pick);
  EXPECT_EQ(pick->name, "CBPickCard");
  ASSERT_EQ(pick->args.size(), 2u);
  EXPECT_EQ(pick->args.integer(0), 17);
  EXPECT_EQ(pick->args.integer(1), 3);

  auto close = ParseCommandText("CBClosePickFigure('Ok', 2)");
  ASSERT_TRUE(close);
  EXPECT_EQ(close->args.text(0), "Ok");
  EXPECT_EQ(close->args.integer(0), std::nullopt);

  auto seed = ParseCommandText("CBSetRandomSeed;");
  ASSERT_TRUE(seed);
  EXPECT_EQ(seed->name, "CBSetRandomSeed");
  EXPECT_EQ(seed->args.size(), 0u);

  auto empty = ParseCommandText(" CBSetFlop ( ) ; ");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->args.size(), 0u);

  auto quoted = ParseCommandText("ibrowse('it''s', -4)");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->args.text(0), "it's");
  EXPECT_EQ(quoted->args.integer(1), -4);
}

TEST(ParseCommandText, RefusesMalformedTexts) {
  for (const char* bad : {"", "17(1)", "CBPickCard(17", "CBPickCard(17,)", "CBPickCard(1.5)", "CBPickCard('x)",
                          "CBStart extra", "CBPickCard(99999999999999999999999)", "CB;;"}) {
    std::string why;
    EXPECT_FALSE(ParseCommandText(bad, &why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
}

class DispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dispatcher.setErrorSink([this](const std::string& e) { errors.push_back(e); });
    dispatcher.add("CBStartSimulation", 0, [this](const CommandArgs&) { ++starts; });
    dispatcher.add("CBPickCard", 2, [this](const CommandArgs& a) { picked = a; });
  }
  CommandDispatcher dispatcher;
  std::vector<std::string> errors;
  int starts = 0;
  CommandArgs picked;
};

TEST_F(DispatcherTest, RunsCommandsWithUpToTheDeclaredArguments) {
  EXPECT_TRUE(dispatcher.run("CBStartSimulation"));
  EXPECT_TRUE(dispatcher.run("CBStartSimulation;"));
  EXPECT_EQ(starts, 2);
  EXPECT_TRUE(dispatcher.run("CBPickCard(5)"));
  EXPECT_EQ(picked.size(), 1u);
  EXPECT_FALSE(picked.has(1));
  EXPECT_TRUE(errors.empty());
}

TEST_F(DispatcherTest, TooManyArgumentsGiveTheRunTimeErrorAndRunNothing) {
  EXPECT_FALSE(dispatcher.run("CBStartSimulation(1)"));
  EXPECT_EQ(starts, 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0],
            "Run-time Error: File: CBStartSimulation Line: 1 Column: 1 The function \"CBStartSimulation\" was "
            "called with more than the declared number of inputs (0).");
  EXPECT_FALSE(dispatcher.run("CBPickCard(1, 2, 3)"));
  EXPECT_EQ(errors.back(), TooManyInputsError("CBPickCard", 2));
  EXPECT_NE(errors.back().find("inputs (2)."), std::string::npos);
}

TEST_F(DispatcherTest, UnknownNamesAndBadTextsAreReportedClearly) {
  EXPECT_FALSE(dispatcher.run("CBNoSuchCommand"));
  EXPECT_NE(dispatcher.lastError().find("CBNoSuchCommand"), std::string::npos);
  EXPECT_FALSE(dispatcher.run("CBPickCard(17, "));
  EXPECT_NE(dispatcher.lastError().find("cannot be read"), std::string::npos);
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_EQ(starts, 0);
}

}  // namespace
}  // namespace zuv
