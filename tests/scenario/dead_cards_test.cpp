#include <QAction>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "scenario_test.h"
#include "sim/card.h"
#include "sim/start_hands.h"

namespace zuv {
namespace {

using testing::Close;
using testing::Pick;
using testing::ScenarioTest;

class DeadCardsTest : public ScenarioTest {
 protected:
  void setDead(const std::vector<int>& cards) { choose("CBSetDeadCards", cards); }
  bool offered(int card) const {
    const auto cards = offeredCards();
    return std::count(cards.begin(), cards.end(), card) == 1;
  }
  bool raised(int card) const {
    return app->CHOOSECARDS.axes[card - 1]->pos() == ChooseCardWindow::CellPosition(*app, card, true);
  }
};

TEST_F(DeadCardsTest, OkFromOneCardMakesThePickedCardsDead) {
  showResult();
  inWindow([this](ChooseCardWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Choose dead cards");
    EXPECT_EQ(window.cardsToPick(), kMaxDeadCards);
    EXPECT_EQ(offeredCards().size(), 52u);
    EXPECT_TRUE(app->CHOOSECARDS.chosencards.empty());
    QPushButton* ok = app->CHOOSEWINDOWBUTTONS.handle[kOkButton];
    EXPECT_EQ(Callback(ok), "CBClosePickFigure('Ok', 10)");
    EXPECT_FALSE(ok->isEnabled());
    run(Close("Ok", 10));  // refused without a card
    EXPECT_NE(OpenChooseCardWindow(*app), nullptr);
    // Gated like every table item while a card-choosing window is open.
    EXPECT_FALSE(app->TABLE.cmitem5->isEnabled());
    run(Pick(44, 10));
    EXPECT_TRUE(ok->isEnabled());
    run(Pick(5, 10));
    run(Pick(18, 10));
    ok->click();
  });
  run("CBSetDeadCards");
  EXPECT_EQ(app->TABLE.deadcards, (std::vector<int>{44, 5, 18}));
  for (int card : {44, 5, 18}) EXPECT_EQ(app->cardsindeck(card), 0) << card;
  EXPECT_TRUE(app->TABLE.cmitem6->isEnabled());
  EXPECT_FALSE(resultShown()) << "new dead cards change the odds";
  EXPECT_TRUE(consistent());
  EXPECT_LT(app->TABLE.deadcardsimage[0]->alpha(), 1.0);
}

TEST_F(DeadCardsTest, TheWindowOpensWithTheDeadCardsPickedAndCancelKeepsThem) {
  setDead({5, 18, 44});
  const auto reopen = [this](std::function<void()> action) {
    inWindow([this, action](ChooseCardWindow&) {
      EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{5, 18, 44}));
      for (int card : {5, 18, 44}) EXPECT_TRUE(raised(card)) << card;
      EXPECT_FALSE(raised(6));
      EXPECT_TRUE(app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->isEnabled());
      action();
    });
    run("CBSetDeadCards");
  };
  showResult();
  reopen([this] {
    run(Pick(18, 10));
    run(Pick(19, 10));
    run(Close("Cancel", 10));
  });
  EXPECT_EQ(app->TABLE.deadcards, (std::vector<int>{5, 18, 44}));
  EXPECT_TRUE(resultShown()) << "nothing changed";
  EXPECT_TRUE(consistent());

  // Un-picking every card turns Ok off; the set can then be changed as a whole.
  reopen([this] {
    for (int card : {5, 18, 44}) run(Pick(card, 10));
    EXPECT_FALSE(app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->isEnabled());
    run(Pick(7, 10));
    run(Close("Ok", 10));
  });
  EXPECT_EQ(app->TABLE.deadcards, std::vector<int>{7});
  for (int card : {5, 18, 44}) EXPECT_EQ(app->cardsindeck(card), 1) << card;
  EXPECT_TRUE(consistent());
}

TEST_F(DeadCardsTest, AtMostTenCardsCanBeDead) {
  const std::vector<int> ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  inWindow([this, ten](ChooseCardWindow&) {
    for (int card : ten) run(Pick(card, 10));
    EXPECT_TRUE(app->messages.open().empty());
    run(Pick(11, 10));
    drawnow();
    const auto shown = app->messages.open();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Only ten dead cards can be selected.");
    EXPECT_EQ(shown[0].title, "Select dead cards");
    EXPECT_EQ(app->CHOOSECARDS.chosencards, ten);
    EXPECT_FALSE(raised(11));
    run(Close("Ok", 10));
  });
  run("CBSetDeadCards");
  EXPECT_EQ(app->TABLE.deadcards, ten);
  EXPECT_TRUE(app->TABLE.deadcardsimage[9]->isVisible());
  EXPECT_TRUE(consistent());
}

TEST_F(DeadCardsTest, DeadCardsLeaveTheDeckAndTheOtherWindowsLeaveThemOut) {
  fixFlop({20, 21, 22});
  setDead({1, 2});
  // The dead-cards window offers no fixed card.
  inWindow([this](ChooseCardWindow& window) {
    EXPECT_FALSE(offered(20));
    EXPECT_TRUE(offered(1)) << "dead cards are offered again, picked";
    window.close();
  });
  run("CBSetDeadCards");
  // Nor does any other window offer a dead card, nor take one.
  for (const char* command : {"CBChoosePlayerCards(1)", "CBSetFlop", "CBSetTurn"}) {
    SCOPED_TRACE(command);
    inWindow([this](ChooseCardWindow& window) {
      const int n = window.cardsToPick();
      EXPECT_FALSE(offered(1));
      EXPECT_FALSE(offered(2));
      EXPECT_TRUE(offered(3));
      run(Pick(1, n));
      EXPECT_TRUE(app->CHOOSECARDS.chosencards.empty());
      window.close();
    });
    run(command);
  }
  EXPECT_EQ(app->TABLE.deadcards, (std::vector<int>{1, 2}));
  EXPECT_TRUE(consistent());
}

TEST_F(DeadCardsTest, ReleaseGivesThemBackToTheDeck) {
  setDead({30, 31, 32});
  showResult();
  run("CBReleaseDeadCards");
  EXPECT_TRUE(app->TABLE.deadcards.empty());
  for (int card : {30, 31, 32}) EXPECT_EQ(app->cardsindeck(card), 1) << card;
  EXPECT_FALSE(app->TABLE.deadcardsimage[0]->isVisible());
  EXPECT_FALSE(app->TABLE.cmitem6->isEnabled());
  EXPECT_FALSE(resultShown());
  EXPECT_TRUE(consistent());
  // Nothing left to release: the text changes nothing.
  showResult();
  run("CBReleaseDeadCards");
  EXPECT_TRUE(resultShown());
  fixHoleCards(1, {30, 31});
  EXPECT_TRUE(consistent());
}

TEST_F(DeadCardsTest, ARunNeverDealsADeadCard) {
  // Every ace and king dead: no seat can hold one, so no win can come from a starting hand with one.
  std::vector<int> dead;
  for (int suit = 1; suit <= 4; ++suit) {
    dead.push_back(sim::MakeCard(14, suit));
    dead.push_back(sim::MakeCard(13, suit));
  }
  dead.push_back(sim::MakeCard(12, 1));
  dead.push_back(sim::MakeCard(12, 2));
  setDead(dead);
  for (int seat = 3; seat <= 6; ++seat) run("CBTogglePlayerActivate(" + std::to_string(seat) + ")");
  app->SETUP.NrOfSims = 20000;
  bool gated = false;
  whenWaiting([this, &gated] { gated = !app->TABLE.cmitem5->isEnabled() && !app->TABLE.cmitem6->isEnabled(); });
  run("CBStartSimulation");
  if (app->FIGURE.WinStatFigHandle) app->FIGURE.WinStatFigHandle->close();
  EXPECT_TRUE(gated) << "the dead-card items are off during a run";

  // The starting-hand classes that need an ace or a king.
  std::array<bool, kStartHandClasses + 1> needsDead{};
  for (int a = 1; a <= kCards; ++a) {
    for (int b = a + 1; b <= kCards; ++b) {
      if (std::max(sim::CardValue(a), sim::CardValue(b)) >= 13) needsDead[sim::StartHandClass(a, b)] = true;
    }
  }
  double withDeadCard = 0, all = 0;
  for (int h = 1; h <= kHandClasses; ++h) {
    for (int s = 1; s <= kStartHandClasses; ++s) {
      for (int n = 1; n <= kSeats; ++n) {
        const double wins = app->SIM.Statistic[(n - 1) + kSeats * (s - 1) + kSeats * kStartHandClasses * (h - 1)];
        all += wins;
        if (needsDead[s]) withDeadCard += wins;
      }
    }
  }
  EXPECT_GT(all, 0);
  EXPECT_EQ(withDeadCard, 0) << "a seat won holding an ace or a king";
  // The last hand on the table holds no dead card either.
  std::vector<int> shown = app->TABLE.boardcards;
  for (int p = 1; p <= 6; ++p) shown.insert(shown.end(), app->player(p).Cards.begin(), app->player(p).Cards.end());
  for (int card : shown) EXPECT_EQ(std::count(dead.begin(), dead.end(), card), 0) << card;
  dealtCardsLeft = true;
  EXPECT_TRUE(consistent()) << "the items come back after the run";
}

}  // namespace
}  // namespace zuv
