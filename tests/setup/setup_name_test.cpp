#include "setup/file/setup_name.h"

#include <gtest/gtest.h>

namespace zuv::setupfile {
namespace {

TEST(SetupName, SaveAppendsTheEndingUnlessTheLastDotPartIsExactlyZuv) {
  EXPECT_EQ(WithZuvEnding("table"), "table.zuv");
  EXPECT_EQ(WithZuvEnding("table.txt"), "table.txt.zuv");
  EXPECT_EQ(WithZuvEnding("table.ZUV"), "table.ZUV.zuv");
  EXPECT_EQ(WithZuvEnding("table."), "table..zuv");
  EXPECT_EQ(WithZuvEnding("table.zuv"), "table.zuv");
  EXPECT_EQ(WithZuvEnding("game"), "game.zuv");
  EXPECT_EQ(WithZuvEnding("my.game"), "my.game.zuv");
  EXPECT_EQ(WithZuvEnding("a.zuv.b"), "a.zuv.b.zuv");
  EXPECT_EQ(WithZuvEnding("zuv"), "zuv.zuv");
  EXPECT_EQ(WithZuvEnding(".zuv"), ".zuv");
}

TEST(SetupName, TrailingDotsAreIgnoredWhenLookingForTheEnding) {
  EXPECT_TRUE(HasZuvEnding("table.zuv."));
  EXPECT_TRUE(HasZuvEnding("table.zuv..."));
  EXPECT_EQ(WithZuvEnding("table.zuv."), "table.zuv.");
  EXPECT_FALSE(HasZuvEnding("..."));
  EXPECT_FALSE(HasZuvEnding(""));
  EXPECT_FALSE(HasZuvEnding("tablezuv"));
  EXPECT_FALSE(HasZuvEnding("table.zuvx"));
}

}  // namespace
}  // namespace zuv::setupfile
