#include <QAction>
#include <QPen>
#include <QWidget>
#include <qcustomplot.h>

#include "platform/graphics_items.h"
#include "scenario/player_switching.h"
#include "scenario_test.h"
#include "state/controls.h"

namespace zuv {
namespace {

using testing::ScenarioTest;

using PlayerSwitchingTest = ScenarioTest;

std::string Text(const QAction* item) { return item ? item->text().toStdString() : "(no item)"; }

TEST_F(PlayerSwitchingTest, DeactivatingGivesTheCardsBackAndActivatingDealsAtRandom) {
  fixHoleCards(1, {11, 12});
  run("CBTogglePlayerActivate(1)");
  const PlayerRecord& seat = app->player(1);
  EXPECT_EQ(app->TABLE.activeplayers[0], 0);
  EXPECT_EQ(app->TABLE.simulateplayers[0], 0);
  EXPECT_TRUE(seat.Cards.empty());
  EXPECT_EQ(app->cardsindeck(11), 1);
  EXPECT_EQ(app->cardsindeck(12), 1);
  EXPECT_EQ(Text(seat.cmitem1), "Activate player");
  EXPECT_TRUE(seat.cmitem2 && !seat.cmitem2->isEnabled());
  EXPECT_TRUE(seat.cmitem3 && !seat.cmitem3->isEnabled());
  for (const PictureItem* card : seat.cardimage) EXPECT_TRUE(card && !card->isVisible());
  EXPECT_TRUE(consistent());

  // The given-back cards are offered again.
  inWindow([this](ChooseCardWindow& window) {
    const auto offered = offeredCards();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), 11), 1);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), 12), 1);
    window.close();
  });
  run("CBChoosePlayerCards(2)");

  run("CBTogglePlayerActivate(1)");
  EXPECT_EQ(app->TABLE.activeplayers[0], 1);
  EXPECT_EQ(app->TABLE.simulateplayers[0], 1);
  EXPECT_TRUE(seat.Cards.empty());
  EXPECT_EQ(Text(seat.cmitem1), "Deactivate player");
  EXPECT_EQ(Text(seat.cmitem2), "Choose player cards");
  EXPECT_TRUE(seat.cmitem2 && seat.cmitem2->isEnabled());
  EXPECT_TRUE(seat.cmitem3 && !seat.cmitem3->isEnabled());
  for (const PictureItem* card : seat.cardimage) EXPECT_TRUE(card && card->isVisible());
  EXPECT_TRUE(consistent());
}

TEST_F(PlayerSwitchingTest, SeatLooksActiveAgainAfterBeingSwitchedOff) {
  const PlayerRecord& seat = app->player(4);
  ASSERT_NE(seat.patchhandle, nullptr) << "needs the table's seat ovals";
  run("CBTogglePlayerActivate(4)");
  const QColor green = app->TABLE.activeplayercolor.toQColor();
  EXPECT_EQ(seat.patchhandle->brush().color(), green);
  EXPECT_DOUBLE_EQ(seat.patchhandle->brush().color().alphaF(), 1.0);
  EXPECT_EQ(seat.patchhandle->pen().color(), green);
  EXPECT_EQ(seat.playernrtexthandle->color(), app->TABLE.lightyellow.toQColor());

  run("CBTogglePlayerActivate(4)");
  EXPECT_EQ(seat.patchhandle->pen().color(), QColor(Qt::black));
  EXPECT_EQ(seat.playernrtexthandle->color(), QColor(Qt::black));
  EXPECT_NEAR(seat.patchhandle->brush().color().alphaF(), 0.2, 0.01);
}

TEST_F(PlayerSwitchingTest, EveryToggleClearsTheShownResult) {
  fixHoleCards(2, {1, 2});
  // Active with cards, active without, inactive, and back.
  for (int seat : {2, 1, 5, 2, 5}) {
    showResult();
    run("CBTogglePlayerActivate(" + std::to_string(seat) + ")");
    EXPECT_FALSE(resultShown()) << "seat " << seat;
    EXPECT_EQ(app->FIGURE.histogramaxes->plottableCount(), 0);
  }
  EXPECT_TRUE(consistent());
}

TEST_F(PlayerSwitchingTest, ToggleWithoutASeatNumberUsesTheClickedOval) {
  ASSERT_NE(app->player(7).patchhandle, nullptr) << "needs the table's seat ovals";
  app->currentObject = app->player(7).patchhandle;
  run("CBTogglePlayerActivate");
  EXPECT_EQ(app->TABLE.activeplayers[6], 1);
  app->currentObject = app->player(1).cardimage[0];  // not an oval: seat 10
  run("CBTogglePlayerActivate()");
  EXPECT_EQ(app->TABLE.activeplayers[9], 1);
  EXPECT_EQ(app->TABLE.activeplayers[0], 1);
  EXPECT_TRUE(consistent());
}

TEST_F(PlayerSwitchingTest, SeatNumbersOutOfRangeDoNothing) {
  showResult();
  const auto before = app->TABLE.activeplayers;
  for (const char* text : {"CBTogglePlayerActivate(0)", "CBTogglePlayerActivate(11)", "CBTogglePlayerActivate(-1)",
                           "CBTogglePlayerActivate('1')", "CBTogglePlayerActivate(99999999999)"}) {
    run(text);
  }
  EXPECT_EQ(app->TABLE.activeplayers, before);
  EXPECT_TRUE(resultShown());
  EXPECT_FALSE(app->run("CBTogglePlayerActivate(1, 2)"));
  EXPECT_EQ(app->commands.lastError(), TooManyInputsError("CBTogglePlayerActivate", 1));
}

TEST_F(PlayerSwitchingTest, SavedMenuStatesRoundTrip) {
  ASSERT_NE(app->player(10).cmitem3, nullptr) << "needs the table's menus";
  fixHoleCards(1, {20, 21});
  fixFlop({1, 2, 3});
  choose("CBSetDeadCards", {30});
  QWidget* start = app->UICONTROLS.handle[kStartButton];
  start->setEnabled(false);  // as during a run: Restore enables it whatever it was

  const SavedMenuStates saved = DisableContextMenues(*app);
  EXPECT_EQ(saved.pcm[0], (std::array<int, 4>{1, 1, 1, 1}));
  EXPECT_EQ(saved.pcm[1], (std::array<int, 4>{1, 1, 0, 1}));
  for (int p = 3; p <= 10; ++p) EXPECT_EQ(saved.pcm[p - 1], (std::array<int, 4>{1, 0, 0, 0})) << "seat " << p;
  EXPECT_EQ(saved.tcm, (std::array<int, 6>{1, 1, 1, 0, 1, 1}));
  for (int p = 1; p <= 10; ++p) {
    const PlayerRecord& player = app->player(p);
    for (const QAction* item : {player.cmitem1, player.cmitem2, player.cmitem3, player.cmitem4}) {
      EXPECT_FALSE(item->isEnabled());
    }
  }
  const TableRecord& t = app->TABLE;
  for (const QAction* item : {t.cmitem1, t.cmitem2, t.cmitem3, t.cmitem4, t.cmitem5, t.cmitem6}) {
    EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
  }
  EXPECT_FALSE(start->isEnabled());
  EXPECT_EQ(start->toolTip(), "Close card-choosing window before starting simulation");

  RestoreContextMenues(*app, saved);
  EXPECT_TRUE(start->isEnabled());
  EXPECT_EQ(start->toolTip(), kStartToolTip);
  EXPECT_TRUE(consistent());
  // Restoring again from the same states changes nothing.
  RestoreContextMenues(*app, saved);
  EXPECT_TRUE(consistent());
}

}  // namespace
}  // namespace zuv
