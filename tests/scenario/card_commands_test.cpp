#include <QAction>
#include <QPointer>
#include <QWidget>

#include "platform/command_dispatcher.h"
#include "platform/graphics_items.h"
#include "scenario_test.h"

namespace zuv {
namespace {

using testing::Close;
using testing::Pick;
using testing::ScenarioTest;

using CardCommandsTest = ScenarioTest;

std::string Text(const QAction* item) { return item ? item->text().toStdString() : "(no item)"; }

TEST_F(CardCommandsTest, FixedHoleCardsAreCommittedInPickingOrder) {
  showResult();
  fixHoleCards(1, {40, 2});
  const PlayerRecord& seat = app->player(1);
  EXPECT_EQ(seat.Cards, (std::vector<int>{40, 2}));
  EXPECT_EQ(app->cardsindeck(40), 0);
  EXPECT_EQ(app->cardsindeck(2), 0);
  EXPECT_EQ(app->TABLE.simulateplayers[0], 0);
  EXPECT_TRUE(app->TABLE.tempplayercards.empty());
  EXPECT_EQ(Text(seat.cmitem2), "Choose new player cards");
  EXPECT_TRUE(seat.cmitem3 && seat.cmitem3->isEnabled());
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, CancellingAFirstChoiceLeavesTheSeatRandomAndTheResultShown) {
  showResult();
  chooseThenCancel("CBChoosePlayerCards(2)", {5, 6});
  const PlayerRecord& seat = app->player(2);
  EXPECT_TRUE(seat.Cards.empty());
  EXPECT_EQ(app->TABLE.simulateplayers[1], 1);
  EXPECT_EQ(Text(seat.cmitem2), "Choose player cards");
  EXPECT_TRUE(seat.cmitem3 && !seat.cmitem3->isEnabled());
  EXPECT_TRUE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, CancellingANewChoiceRefixesTheOldCardsAndClearsTheResult) {
  fixHoleCards(1, {26, 13});
  showResult();
  inWindow([this](ChooseCardWindow&) {
    // The seat's own cards are offered again while the window is open.
    const auto offered = offeredCards();
    EXPECT_EQ(offered.size(), 52u);
    EXPECT_EQ(app->TABLE.tempplayercards, (std::vector<int>{26, 13}));
    EXPECT_TRUE(app->player(1).Cards.empty());
    run(Pick(1, 2));
    run(Pick(2, 2));
    run(Close("Cancel", 2));
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{26, 13}));
  EXPECT_EQ(app->cardsindeck(26), 0);
  EXPECT_EQ(app->cardsindeck(13), 0);
  EXPECT_EQ(app->cardsindeck(1), 1);
  EXPECT_EQ(Text(app->player(1).cmitem2), "Choose new player cards");
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, ReleasingHoleCards) {
  fixHoleCards(2, {7, 8});
  showResult();
  run("CBReleaseCards(2)");
  EXPECT_TRUE(app->player(2).Cards.empty());
  EXPECT_EQ(app->cardsindeck(7), 1);
  EXPECT_EQ(app->TABLE.simulateplayers[1], 1);
  EXPECT_EQ(Text(app->player(2).cmitem2), "Choose player cards");
  EXPECT_TRUE(app->player(2).cmitem3 && !app->player(2).cmitem3->isEnabled());
  EXPECT_FALSE(resultShown());

  // Nothing to release: nothing changes, not even the shown result.
  showResult();
  for (const char* text : {"CBReleaseCards(2)", "CBReleaseCards(1)", "CBReleaseCards(5)", "CBReleaseCards(0)",
                           "CBReleaseCards(11)", "CBReleaseCards('x')"}) {
    run(text);
    EXPECT_TRUE(resultShown()) << text;
  }
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, SeatCommandsWithoutASeatNumberUseTheClickedSeat) {
  fixHoleCards(1, {1, 2});
  fixHoleCards(2, {3, 4});
  ASSERT_NE(app->player(1).patchhandle, nullptr) << "needs the table's seat ovals";
  app->currentObject = app->player(2).patchhandle;
  run("CBReleaseCards");
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{1, 2}));
  EXPECT_TRUE(app->player(2).Cards.empty());

  app->currentObject = app->player(1).patchhandle;
  inWindow([this](ChooseCardWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Choose hole cards for player 1");
    window.close();
  });
  run("CBChoosePlayerCards()");

  // No seat clicked means seat 10, which is inactive: no window opens.
  app->currentObject = nullptr;
  runWithoutWindow("CBChoosePlayerCards");
  run("CBTogglePlayerActivate(10)");
  inWindow([](ChooseCardWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Choose hole cards for player 10");
    window.close();
  });
  run("CBChoosePlayerCards");
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, SeatNumbersThatCannotApplyOpenNoWindow) {
  showResult();
  for (const char* text : {"CBChoosePlayerCards(5)" /* inactive */, "CBChoosePlayerCards(0)", "CBChoosePlayerCards(11)",
                           "CBChoosePlayerCards(-3)", "CBChoosePlayerCards('3')", "CBChoosePlayerCards(4294967297)"}) {
    runWithoutWindow(text);
  }
  EXPECT_FALSE(app->run("CBChoosePlayerCards(1, 2)"));
  EXPECT_EQ(app->commands.lastError(), TooManyInputsError("CBChoosePlayerCards", 1));
  for (const char* name : {"CBSetFlop", "CBSetTurn", "CBReleaseFlop", "CBReleaseTurn"}) {
    EXPECT_FALSE(app->run(std::string(name) + "(1)"));
    EXPECT_EQ(app->commands.lastError(), TooManyInputsError(name, 0));
  }
  EXPECT_TRUE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, FlopStatesAndTheirMenuItems) {
  showResult();
  // Cancelling the first flop window keeps the board open.
  chooseThenCancel("CBSetFlop", {1, 2, 3});
  EXPECT_TRUE(app->TABLE.boardcards.empty());
  EXPECT_EQ(app->SETUP.SimulateFlop, 1);
  EXPECT_EQ(Text(app->TABLE.cmitem1), "Choose flop cards");
  EXPECT_TRUE(resultShown());
  // A turn cannot be set without a flop.
  runWithoutWindow("CBSetTurn");

  fixFlop({12, 25, 38});
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{12, 25, 38}));
  EXPECT_EQ(app->SETUP.SimulateFlop, 0);
  EXPECT_EQ(app->SETUP.SimulateTurn, 1);
  EXPECT_EQ(Text(app->TABLE.cmitem1), "Choose new flop cards");
  EXPECT_TRUE(app->TABLE.cmitem2 && app->TABLE.cmitem2->isEnabled());
  EXPECT_TRUE(app->TABLE.cmitem3 && app->TABLE.cmitem3->isEnabled());
  EXPECT_TRUE(app->TABLE.cmitem4 && !app->TABLE.cmitem4->isEnabled());
  EXPECT_FALSE(resultShown());

  // Releasing a turn that is not fixed changes nothing.
  showResult();
  run("CBReleaseTurn");
  EXPECT_EQ(app->TABLE.boardcards.size(), 3u);
  EXPECT_TRUE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, TurnMenuLabelsAfterSettingAndReleasingTheTurn) {
  fixFlop({1, 2, 3});
  chooseThenCancel("CBSetTurn", {4});
  EXPECT_EQ(app->TABLE.boardcards.size(), 3u);
  EXPECT_EQ(Text(app->TABLE.cmitem2), "Choose turn card");
  EXPECT_TRUE(consistent());

  fixTurn(4);
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(app->SETUP.SimulateTurn, 0);
  EXPECT_EQ(Text(app->TABLE.cmitem2), "Choose new turn card");
  EXPECT_EQ(Text(app->TABLE.cmitem3), "Release flop and turn");
  EXPECT_TRUE(app->TABLE.cmitem4 && app->TABLE.cmitem4->isEnabled());
  EXPECT_TRUE(consistent());

  showResult();
  run("CBReleaseTurn");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(app->cardsindeck(4), 1);
  EXPECT_EQ(app->SETUP.SimulateTurn, 1);
  EXPECT_EQ(Text(app->TABLE.cmitem2), "Choose turn card");
  EXPECT_EQ(Text(app->TABLE.cmitem3), "Release flop cards");
  EXPECT_TRUE(app->TABLE.cmitem4 && !app->TABLE.cmitem4->isEnabled());
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, ANewFlopKeepsTheTurnAndOffersNoFixedCard) {
  fixHoleCards(1, {40, 41});
  fixFlop({1, 2, 3});
  fixTurn(4);
  inWindow([this](ChooseCardWindow&) {
    const auto offered = offeredCards();
    EXPECT_EQ(offered.size(), 52u - 3u);  // the old flop is offered again
    for (int fixed : {4, 40, 41}) EXPECT_EQ(std::count(offered.begin(), offered.end(), fixed), 0) << fixed;
    const auto& pictures = app->TABLE.boardcardsimage;
    EXPECT_TRUE(pictures[3] && pictures[3]->isVisible()) << "the fixed turn stays on the table";
    for (int p : {0, 1, 2, 4}) EXPECT_TRUE(pictures[p] && !pictures[p]->isVisible()) << p + 1;
    for (int card : {20, 21, 22}) run(Pick(card, 3));
    run(Close("Ok", 3));
  });
  run("CBSetFlop");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{20, 21, 22, 4}));
  for (int card : {1, 2, 3}) EXPECT_EQ(app->cardsindeck(card), 1);
  EXPECT_EQ(Text(app->TABLE.cmitem3), "Release flop and turn");
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, ReleasingTheFlopReleasesTheTurnToo) {
  fixFlop({1, 2, 3});
  fixTurn(4);
  showResult();
  run("CBReleaseFlop");
  EXPECT_TRUE(app->TABLE.boardcards.empty());
  for (int card = 1; card <= 4; ++card) EXPECT_EQ(app->cardsindeck(card), 1);
  EXPECT_EQ(app->SETUP.SimulateFlop, 1);
  EXPECT_EQ(app->SETUP.SimulateTurn, 1);
  EXPECT_EQ(Text(app->TABLE.cmitem1), "Choose flop cards");
  EXPECT_EQ(Text(app->TABLE.cmitem2), "Choose turn card");
  EXPECT_EQ(Text(app->TABLE.cmitem3), "Release flop cards");
  for (QAction* item : {app->TABLE.cmitem2, app->TABLE.cmitem3, app->TABLE.cmitem4}) {
    EXPECT_TRUE(item && !item->isEnabled());
  }
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());

  // With an open board only the items, flags and the result display are reset.
  showResult();
  run("CBReleaseFlop");
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, WhileAWindowIsOpenMenusAndStartAreGatedAndScenarioCommandsWait) {
  fixFlop({1, 2, 3});
  inWindow([this](ChooseCardWindow&) {
    const QWidget* start = app->UICONTROLS.handle[kStartButton];
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(start->toolTip(), "Close card-choosing window before starting simulation");
    for (int p = 1; p <= 10; ++p) {
      for (const QAction* item : {app->player(p).cmitem1, app->player(p).cmitem2, app->player(p).cmitem3}) {
        EXPECT_TRUE(item && !item->isEnabled()) << "seat " << p;
      }
    }
    for (const QAction* item : {app->TABLE.cmitem1, app->TABLE.cmitem2, app->TABLE.cmitem3, app->TABLE.cmitem4}) {
      EXPECT_TRUE(item && !item->isEnabled());
    }
    // Stale texts of the gated items change nothing and open no second window.
    for (const char* text : {"CBTogglePlayerActivate(1)", "CBChoosePlayerCards(2)", "CBReleaseCards(1)", "CBSetFlop",
                             "CBSetTurn", "CBReleaseFlop", "CBReleaseTurn"}) {
      run(text);
    }
    EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(app->TABLE.activeplayers[0], 1);
    run(Pick(30, 2));
    run(Pick(31, 2));
    run(Close("Ok", 2));
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(windowsRun, 2);
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{30, 31}));
  EXPECT_TRUE(consistent());
}

TEST_F(CardCommandsTest, CardsDealtInTheLastRunAreNeverTreatedAsFixed) {
  fixHoleCards(1, {1, 2});
  app->SETUP.NrOfSims = 1000;
  run("CBStartSimulation");
  if (app->FIGURE.WinStatFigHandle) app->FIGURE.WinStatFigHandle->close();
  // The run leaves seat 2 with the cards of its last hand, still random.
  const std::vector<int> dealt = app->player(2).Cards;
  ASSERT_EQ(dealt.size(), 2u);
  ASSERT_EQ(app->TABLE.simulateplayers[1], 1);
  dealtCardsLeft = true;
  EXPECT_TRUE(consistent());

  // Nothing to release: the deck keeps the dealt cards free.
  run("CBReleaseCards(2)");
  EXPECT_EQ(app->player(2).Cards, dealt);

  // Seat 1 now fixes one of them; switching seat 2 off must not free it.
  fixHoleCards(1, {dealt[0], 3});
  run("CBTogglePlayerActivate(2)");
  EXPECT_EQ(app->cardsindeck(dealt[0]), 0);
  EXPECT_TRUE(consistent());

  // Choosing for seat 2 and cancelling leaves it random, without the old deal.
  run("CBTogglePlayerActivate(2)");
  app->player(2).Cards = {dealt[1], dealt[0]};  // as another run could leave it
  inWindow([this, dealt](ChooseCardWindow& window) {
    const auto offered = offeredCards();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), dealt[0]), 0) << "fixed at seat 1";
    EXPECT_EQ(std::count(offered.begin(), offered.end(), dealt[1]), 1);
    window.close();
  });
  run("CBChoosePlayerCards(2)");
  EXPECT_TRUE(app->player(2).Cards.empty());
  EXPECT_EQ(app->TABLE.simulateplayers[1], 1);
  EXPECT_EQ(app->cardsindeck(dealt[0]), 0);
  EXPECT_TRUE(consistent());
}

}  // namespace
}  // namespace zuv
