#include <QAction>

#include "scenario/scenario_menus.h"
#include "scenario_test.h"

namespace zuv {
namespace {

using testing::ScenarioTest;

using ScenarioMenusTest = ScenarioTest;

// The records as a loaded setup leaves them: seat 1 off, seat 3 on with
// fixed cards, seat 2 random, flop and turn fixed.
void LoadScenario(App& app) {
  app.activeplayers(1) = 0;
  app.simulateplayers(1) = 0;
  app.activeplayers(3) = 1;
  app.simulateplayers(3) = 0;
  app.player(3).Cards = {7, 8};
  app.TABLE.boardcards = {1, 2, 3, 4};
  app.SETUP.SimulateFlop = 0;
  app.SETUP.SimulateTurn = 0;
  for (int card : {7, 8, 1, 2, 3, 4}) app.cardsindeck(card) = 0;
}

TEST_F(ScenarioMenusTest, MenusFollowAScenarioReplacedAsAWhole) {
  ASSERT_NE(app->TABLE.cmitem4, nullptr) << "needs the table's menus";
  LoadScenario(*app);
  EXPECT_FALSE(consistent()) << "the menus still show the old scenario";
  UpdateContextMenus(*app);
  EXPECT_TRUE(consistent());
  EXPECT_EQ(app->player(1).cmitem1->text(), "Activate player");
  EXPECT_EQ(app->player(3).cmitem2->text(), "Choose new player cards");
  EXPECT_TRUE(app->player(3).cmitem3->isEnabled());
  EXPECT_FALSE(app->player(2).cmitem3->isEnabled());
  EXPECT_EQ(app->TABLE.cmitem3->text(), "Release flop and turn");
  EXPECT_TRUE(app->TABLE.cmitem4->isEnabled());

  // The commands carry on from there.
  run("CBReleaseTurn");
  run("CBReleaseCards(3)");
  EXPECT_TRUE(consistent());
  run("CBReleaseFlop");
  UpdateContextMenus(*app);
  EXPECT_TRUE(consistent());
  EXPECT_FALSE(app->TABLE.cmitem2->isEnabled());
}

}  // namespace
}  // namespace zuv
