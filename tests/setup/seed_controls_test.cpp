#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "platform/random_numbers.h"
#include "sim/seed_number.h"
#include "support/app_fixture.h"

namespace zuv {
namespace {

class SeedControls : public testing::AppTest {
 protected:
  QLineEdit* field() { return qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kSeedField]); }
  QCheckBox* box() { return qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kSetSeedBox]); }

  // Types `text` into the seed field and runs its command, as an edit does.
  void enter(const QString& text) {
    field()->setText(text);
    run("CBValidateSeed");
  }
  int errors() {
    int n = 0;
    for (const auto& shown : app->messages.open()) {
      if (shown.title == "Error" && shown.text == "Random seed must be an integer") ++n;
    }
    return n;
  }
};

TEST_F(SeedControls, WholeNumbersAreStoredAndShownPlain) {
  struct Case {
    const char* typed;
    double stored;
    const char* shown;
  };
  for (const Case& c : {Case{"42", 42, "42"}, Case{"-3", -3, "-3"}, Case{"12.0", 12, "12"}, Case{"1e3", 1000, "1000"},
                        Case{" 7 ", 7, "7"}, Case{"-0", 0, "0"}, Case{"123456789012", 123456789012.0, "123456789012"}}) {
    enter(c.typed);
    EXPECT_EQ(app->SETUP.Seed, c.stored) << c.typed;
    EXPECT_EQ(field()->text(), c.shown) << c.typed;
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(SeedControls, AnythingElseShowsTheMessageAndThePreviousSeed) {
  enter("42");
  for (const char* typed : {"4.5", "abc", "", "1 2", "1,5", "inf", "nan", "0x10", "42abc"}) {
    app->messages.closeAll();
    enter(typed);
    EXPECT_EQ(app->SETUP.Seed, 42) << typed;
    EXPECT_EQ(field()->text(), "42") << typed;
    EXPECT_EQ(errors(), 1) << typed;
  }
}

TEST_F(SeedControls, SeedsBeyondTheExactWholeNumbersAreRefusedWithTheRange) {
  enter("-9007199254740991");
  EXPECT_EQ(app->SETUP.Seed, -9007199254740991.0);
  EXPECT_EQ(field()->text(), "-9007199254740991");
  for (const char* typed : {"9007199254740992", "-9007199254740993", "1e300"}) {
    app->messages.closeAll();
    enter(typed);
    EXPECT_EQ(app->SETUP.Seed, -9007199254740991.0) << typed;
    EXPECT_EQ(field()->text(), "-9007199254740991") << typed;
    const auto shown = app->messages.open();
    ASSERT_EQ(shown.size(), 1u) << typed;
    EXPECT_EQ(shown[0].text, "Random seed must be a whole number from -9007199254740991 to 9007199254740991");
    EXPECT_EQ(shown[0].title, "Error");
  }
}

TEST_F(SeedControls, TheCheckBoxFlipsTheFlagAndTheFieldsEnableState) {
  ASSERT_EQ(app->SETUP.SetSeed, 1);
  ASSERT_TRUE(field()->isEnabled());
  enter("9");
  box()->click();  // runs "CBSetRandomSeed;"
  EXPECT_EQ(app->SETUP.SetSeed, 0);
  EXPECT_FALSE(box()->isChecked());
  EXPECT_FALSE(field()->isEnabled());
  EXPECT_TRUE(field()->isVisible());
  EXPECT_EQ(field()->text(), "9");
  box()->click();
  EXPECT_EQ(app->SETUP.SetSeed, 1);
  EXPECT_TRUE(box()->isChecked());
  EXPECT_TRUE(field()->isEnabled());
  EXPECT_EQ(app->SETUP.Seed, 9);
}

TEST_F(SeedControls, TheCommandsTakeNoArguments) {
  EXPECT_FALSE(app->run("CBSetRandomSeed(1)"));
  EXPECT_NE(app->commands.lastError().find("CBSetRandomSeed"), std::string::npos);
  EXPECT_FALSE(app->run("CBValidateSeed(1)"));
  EXPECT_EQ(app->SETUP.SetSeed, 1);
}

// zuvsim --setup runs a file with the engine seed of the window's first seeded run.
TEST(SeedMapping, SetupFilesRunWithTheSeedOfTheWindowsFirstSeededRun) {
  for (double seed : {0.0, 42.0, -3.0, 123456789012.0, -9223372036854775808.0, 1e19, 1e300}) {
    RandomNumbers window;
    window.reset(seed);
    EXPECT_EQ(sim::SeedOfNumber(seed), window.next()) << seed;
  }
}

}  // namespace
}  // namespace zuv
