#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "scenario_test.h"
#include "state/main_window.h"

namespace zuv {
namespace {

using testing::Close;
using testing::Pick;
using testing::ScenarioTest;

using ChooseCardWindowTest = ScenarioTest;

// Where card n's picture is, as (left, bottom) from the window's bottom-left corner.
QPointF BottomLeft(const App& app, int card) {
  const QPointF top = app.CHOOSECARDS.axes[card - 1]->pos();
  return {top.x(), ChooseCardWindow::kSize.height() - top.y() - app.DECK.displayimagesize[1]};
}

TEST_F(ChooseCardWindowTest, WindowButtonsAndGridGeometry) {
  inWindow([this](ChooseCardWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Choose hole cards for player 1");
    EXPECT_TRUE(window.isWindow());
    EXPECT_TRUE(window.isVisible());
    // The main window takes no input meanwhile, but its close box still works.
    EXPECT_FALSE(app->FIGURE.mainfigurehandle->centralWidget()->isEnabled());
    EXPECT_FALSE(app->FIGURE.mainfigurehandle->menuBar()->isEnabled());
    EXPECT_EQ(window.size(), QSize(455, 400));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window must not be resizable";
    EXPECT_EQ(window.cardsToPick(), 2);

    EXPECT_EQ(offeredCards().size(), 52u);
    struct Cell {
      int card;
      double left, bottom;
    };
    // Value 2 in column 57, ace in 357; spades on top (310) down to clubs (70).
    for (const Cell& c : {Cell{1, 57, 310}, Cell{13, 357, 310}, Cell{14, 57, 230}, Cell{35, 257, 150},
                          Cell{40, 57, 70}, Cell{52, 357, 70}}) {
      EXPECT_EQ(BottomLeft(*app, c.card), QPointF(c.left, c.bottom)) << "card " << c.card;
      const auto* picture = dynamic_cast<const PictureItem*>(app->CHOOSECARDS.axes[c.card - 1]);
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->buttonDownFcn(), QString("CBPickCard(%1, 2)").arg(c.card));
      EXPECT_EQ(picture->boundingRect().size(), QSizeF(40, 56));
      EXPECT_DOUBLE_EQ(picture->opacity(), 1.0);
    }

    QPushButton* cancel = app->CHOOSEWINDOWBUTTONS.handle[kCancelButton];
    QPushButton* ok = app->CHOOSEWINDOWBUTTONS.handle[kOkButton];
    ASSERT_TRUE(cancel && ok);
    EXPECT_EQ(cancel->window(), &window);
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_EQ(ok->text(), "Ok");
    // [115 25 80 25] and [255 25 80 25] from the bottom left of a 400 pixel high window.
    EXPECT_EQ(cancel->geometry(), QRect(115, 350, 80, 25));
    EXPECT_EQ(ok->geometry(), QRect(255, 350, 80, 25));
    EXPECT_EQ(Callback(cancel), "CBClosePickFigure('Cancel', 2)");
    EXPECT_EQ(Callback(ok), "CBClosePickFigure('Ok', 2)");
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    cancel->click();
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(windowsRun, 1);
  EXPECT_TRUE(consistent());
  EXPECT_TRUE(app->FIGURE.mainfigurehandle->centralWidget()->isEnabled());
  EXPECT_TRUE(app->FIGURE.mainfigurehandle->menuBar()->isEnabled());
}

TEST_F(ChooseCardWindowTest, ClickOnAnOverlapGoesToTheHigherCard) {
  inWindow([this](ChooseCardWindow& window) {
    // 2s spans x 57..97, 3s spans 82..122: x 90 lies on both.
    const QPoint overlap = window.view()->mapFromScene(QPointF(90, 34 + 28));
    QTest::mouseClick(window.view()->viewport(), Qt::LeftButton, {}, overlap);
    EXPECT_EQ(app->CHOOSECARDS.chosencards, std::vector<int>{2});
    // The left part of 2s that no card covers picks 2s.
    QTest::mouseClick(window.view()->viewport(), Qt::LeftButton, {}, window.view()->mapFromScene(QPointF(60, 62)));
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{2, 1}));
    EXPECT_TRUE(app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->isEnabled());
    app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->click();
  });
  run("CBChoosePlayerCards(2)");
  EXPECT_EQ(app->player(2).Cards, (std::vector<int>{2, 1}));
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, PickRaisesAndUnpickLowersAndOkFollowsTheCount) {
  inWindow([this](ChooseCardWindow&) {
    QPushButton* ok = app->CHOOSEWINDOWBUTTONS.handle[kOkButton];
    const QPointF grid = BottomLeft(*app, 13);
    run(Pick(13, 2));
    EXPECT_EQ(BottomLeft(*app, 13), grid + QPointF(0, 15));
    EXPECT_NE(app->CHOOSECARDS.axes[12]->graphicsEffect(), nullptr) << "a picked card is highlighted";
    EXPECT_EQ(app->CHOOSECARDS.chosencards, std::vector<int>{13});
    EXPECT_FALSE(ok->isEnabled());
    run(Pick(14, 2));
    EXPECT_TRUE(ok->isEnabled());
    run(Pick(13, 2));
    EXPECT_EQ(BottomLeft(*app, 13), grid);
    EXPECT_EQ(app->CHOOSECARDS.axes[12]->graphicsEffect(), nullptr);
    EXPECT_EQ(app->CHOOSECARDS.chosencards, std::vector<int>{14});
    EXPECT_FALSE(ok->isEnabled());
    // Ok with too few cards leaves the window open.
    run(Close("Ok", 2));
    EXPECT_NE(OpenChooseCardWindow(*app), nullptr);
    run(Pick(40, 2));
    run(Close("Ok", 2));
    EXPECT_EQ(OpenChooseCardWindow(*app), nullptr);
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{14, 40}));
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, UnpickingTheSecondFlopCardKeepsThePickingOrder) {
  inWindow([this](ChooseCardWindow&) {
    for (int card : {5, 18, 31}) run(Pick(card, 3));
    run(Pick(18, 3));
    run(Pick(44, 3));
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{5, 31, 44}));
    // Un-picking the first card keeps the others in their order too.
    run(Pick(5, 3));
    run(Pick(6, 3));
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{31, 44, 6}));
    run(Close("Ok", 3));
  });
  run("CBSetFlop");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{31, 44, 6}));
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, PickingLimitMessageByCardCount) {
  struct Case {
    std::string command;
    int n;
    const char* text;
    const char* title;
  };
  fixFlop({1, 2, 3});
  for (const Case& c : {Case{"CBChoosePlayerCards(1)", 2, "Only two hole cards can be selected.", "Select hole cards"},
                        Case{"CBSetFlop", 3, "Only three Flop cards can be selected.", "Select Flop"},
                        Case{"CBSetTurn", 1, "Only one Turn card can be selected.", "Select Turn"}}) {
    SCOPED_TRACE(c.command);
    app->messages.closeAll();
    inWindow([this, c](ChooseCardWindow&) {
      std::vector<int> picked;
      for (int card = 20; card < 20 + c.n; ++card) {
        run(Pick(card, c.n));
        picked.push_back(card);
      }
      EXPECT_TRUE(app->messages.open().empty());
      const QPointF grid = BottomLeft(*app, 50);
      run(Pick(50, c.n));
      run(Pick(51, c.n));  // a second message of the same title replaces the first
      drawnow();
      const auto shown = app->messages.open();
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].text, c.text);
      EXPECT_EQ(shown[0].title, c.title);
      EXPECT_EQ(BottomLeft(*app, 50), grid);
      EXPECT_EQ(app->CHOOSECARDS.chosencards, picked);
      EXPECT_TRUE(app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->isEnabled());
      run(Close("Cancel", c.n));
    });
    run(c.command);
  }
  EXPECT_EQ(windowsRun, 4);
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, CancelHandsBackTheCommittedChoiceOfItsKind) {
  // No flop committed: Cancel leaves nothing.
  inWindow([this](ChooseCardWindow&) {
    for (int card : {7, 8, 9}) run(Pick(card, 3));
    run(Close("Cancel", 3));
    EXPECT_TRUE(app->CHOOSECARDS.chosencards.empty());
  });
  run("CBSetFlop");
  EXPECT_TRUE(app->TABLE.boardcards.empty());

  fixFlop({30, 20, 10});
  inWindow([this](ChooseCardWindow&) {
    for (int card : {7, 8, 9}) run(Pick(card, 3));
    run(Close("Cancel", 3));
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{30, 20, 10}));
  });
  run("CBSetFlop");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{30, 20, 10}));

  fixTurn(52);
  inWindow([this](ChooseCardWindow&) {
    run(Pick(51, 1));
    run(Close("Cancel", 1));
    EXPECT_EQ(app->CHOOSECARDS.chosencards, std::vector<int>{52});
  });
  run("CBSetTurn");
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{30, 20, 10, 52}));

  // A seat without fixed cards gets nothing back.
  inWindow([this](ChooseCardWindow&) {
    run(Pick(1, 2));
    run(Pick(2, 2));
    run(Close("Cancel", 2));
    EXPECT_TRUE(app->CHOOSECARDS.chosencards.empty());
  });
  run("CBChoosePlayerCards(2)");
  EXPECT_TRUE(app->player(2).Cards.empty());
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, CloseBoxIsCancel) {
  fixHoleCards(1, {26, 13});
  inWindow([this](ChooseCardWindow& window) {
    run(Pick(1, 2));
    run(Pick(2, 2));
    window.close();
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{26, 13}));
    EXPECT_FALSE(window.isVisible());
    // A second close request of the closing window runs nothing more.
    app->CHOOSECARDS.chosencards = {99};
    window.close();
    EXPECT_EQ(app->CHOOSECARDS.chosencards, std::vector<int>{99});
    app->CHOOSECARDS.chosencards = {26, 13};
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{26, 13}));
  EXPECT_EQ(app->TABLE.simulateplayers[0], 0);
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, CommandsThatDoNotFitTheOpenWindowChangeNothing) {
  fixHoleCards(2, {3, 4});
  inWindow([this](ChooseCardWindow& window) {
    run(Pick(10, 2));
    const std::vector<int> picked{10};
    for (const std::string text :
         {"CBPickCard(0, 2)", "CBPickCard(53, 2)", "CBPickCard(-7, 2)", "CBPickCard(3, 2)" /* fixed at seat 2 */,
          "CBPickCard(11, 3)" /* another window's N */, "CBPickCard('11', 2)", "CBPickCard(11, 'x')", "CBPickCard()",
          "CBPickCard(99999999999, 2)", "CBClosePickFigure('Ok', 3)", "CBClosePickFigure('Cancel', 1)",
          "CBClosePickFigure('Maybe', 2)", "CBClosePickFigure(2, 2)", "CBClosePickFigure()",
          "CBClosePickFigure('Ok', 2)" /* one card only */}) {
      run(text);
      EXPECT_EQ(app->CHOOSECARDS.chosencards, picked) << text;
      EXPECT_EQ(OpenChooseCardWindow(*app), &window) << text;
    }
    // Left-out N means the open window's.
    run("CBPickCard(11)");
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{10, 11}));
    EXPECT_FALSE(app->run("CBPickCard(12, 2, 1)"));
    EXPECT_EQ(app->commands.lastError(), TooManyInputsError("CBPickCard", 2));
    EXPECT_FALSE(app->run("CBClosePickFigure('Ok', 2, 1)"));
    EXPECT_EQ(app->commands.lastError(), TooManyInputsError("CBClosePickFigure", 2));
    run(Close("Ok", 2));
  });
  run("CBChoosePlayerCards(1)");
  EXPECT_EQ(app->player(1).Cards, (std::vector<int>{10, 11}));

  // With no window open the window's commands are stale and do nothing.
  run("CBPickCard(20, 2)");
  run("CBClosePickFigure('Cancel', 2)");
  run("CBClosePickFigure('Ok', 2)");
  EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{10, 11}));
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, OnlyFreeCardsAreOffered) {
  fixHoleCards(1, {1, 14});
  fixHoleCards(2, {27, 40});
  fixFlop({2, 15, 28});
  inWindow([this](ChooseCardWindow&) {
    const auto offered = offeredCards();
    EXPECT_EQ(offered.size(), 45u);
    for (int fixed : {1, 14, 27, 40, 2, 15, 28}) {
      EXPECT_EQ(std::count(offered.begin(), offered.end(), fixed), 0) << fixed;
    }
    run(Close("Cancel", 1));
  });
  run("CBSetTurn");
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, TitlesNameTheSeatAndTheBoardPart) {
  for (int seat = 3; seat <= 10; ++seat) run("CBTogglePlayerActivate(" + std::to_string(seat) + ")");
  std::vector<QString> titles;
  auto record = [this, &titles](ChooseCardWindow& window) {
    titles.push_back(window.windowTitle());
    window.close();
  };
  for (int seat = 1; seat <= 10; ++seat) {
    inWindow(record);
    run("CBChoosePlayerCards(" + std::to_string(seat) + ")");
  }
  ASSERT_EQ(titles.size(), 10u);
  EXPECT_EQ(titles[2], "Choose hole cards for player 3");
  EXPECT_EQ(titles[9], "Choose hole cards for player 10");
  fixFlop({5, 6, 7});
  inWindow(record);
  run("CBSetFlop");
  inWindow(record);
  run("CBSetTurn");
  ASSERT_EQ(titles.size(), 12u);
  EXPECT_EQ(titles[10], "Choose Flop cards");
  EXPECT_EQ(titles[11], "Choose Turn card");
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseCardWindowTest, ClosingTheMainWindowCancelsTheOpenWindowFirst) {
  fixHoleCards(2, {8, 9});
  inWindow([this](ChooseCardWindow& window) {
    run(Pick(30, 2));
    run(Pick(31, 2));
    QPointer<ChooseCardWindow> guard(&window);
    run("CBCloseMainWindow");
    // The window went through its own close request, as Cancel, and is gone
    // (or about to go).
    EXPECT_TRUE(!guard || !guard->isVisible());
    EXPECT_EQ(app->CHOOSECARDS.chosencards, (std::vector<int>{8, 9}));
    EXPECT_EQ(OpenChooseCardWindow(*app), nullptr);
  });
  run("CBChoosePlayerCards(2)");
  EXPECT_EQ(windowsRun, 2);
  EXPECT_EQ(app->FIGURE.terminateprogram, 1);
  EXPECT_FALSE(app->FIGURE.mainfigurehandle->isVisible());
  EXPECT_EQ(app->player(2).Cards, (std::vector<int>{8, 9}));
  EXPECT_EQ(app->cardsindeck(30), 1);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_EQ(qobject_cast<ChooseCardWindow*>(w), nullptr) << "the card-choosing window is still there";
  }
  EXPECT_TRUE(consistent());
}

}  // namespace
}  // namespace zuv
