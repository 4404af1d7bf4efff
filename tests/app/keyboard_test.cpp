// Keys of the main window and the card-choosing window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "scenario/choose_card_window.h"
#include "state/main_window.h"
#include "support/app_fixture.h"

namespace zuv {
namespace {

class Keyboard : public testing::AppTest {
 protected:
  QLineEdit* field(ControlSlot k) { return qobject_cast<QLineEdit*>(app->UICONTROLS.handle[k]); }
  QPushButton* startButton() { return qobject_cast<QPushButton*>(app->UICONTROLS.handle[kStartButton]); }
  void activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  // Types `text` into field `k` and presses Return there.
  void typeAndReturn(ControlSlot k, const QString& text) {
    QLineEdit* edit = field(k);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  bool ran() const { return !app->FIGURE.WinStatFigHandle.isNull(); }
};

TEST_F(Keyboard, ReturnInTheHandsOrSeedFieldAppliesItAndStartsNoRun) {
  activate(app->FIGURE.mainfigurehandle);
  typeAndReturn(kHandsField, "2000");
  EXPECT_EQ(app->SETUP.NrOfSims, 2000);
  typeAndReturn(kSeedField, "42");
  EXPECT_EQ(app->SETUP.Seed, 42);
  EXPECT_FALSE(ran());
  EXPECT_EQ(startButton()->text(), "Start simulation");
}

TEST_F(Keyboard, CtrlRStartsTheRunWithTheFieldBeingEdited) {
  activate(app->FIGURE.mainfigurehandle);
  EXPECT_TRUE(startButton()->toolTip().contains("Ctrl+R"));
  QLineEdit* hands = field(kHandsField);
  hands->setFocus();
  hands->selectAll();
  QTest::keyClicks(hands, "3000");
  QTest::keyClick(app->FIGURE.mainfigurehandle, Qt::Key_R, Qt::ControlModifier);
  ASSERT_TRUE(ran());
  EXPECT_EQ(app->SETUP.NrOfSims, 3000);
  double hands_played = 0;
  for (double pots : app->SIM.WinStat2) hands_played += pots;
  EXPECT_NEAR(hands_played, 3000, 1e-6);
}

TEST_F(Keyboard, EscapeInTheCardChoosingWindowIsCancel) {
  bool escaped = false;
  whenWaiting([this, &escaped] {
    ChooseCardWindow* window = OpenChooseCardWindow(*app);
    ASSERT_NE(window, nullptr);
    activate(window);
    run("CBPickCard(5, 2)");
    run("CBPickCard(9, 2)");
    QTest::keyClick(window, Qt::Key_Escape);
    escaped = OpenChooseCardWindow(*app) == nullptr;
    if (!escaped) run("CBClosePickFigure('Cancel', 2)");
  });
  run("CBChoosePlayerCards(2)");
  EXPECT_TRUE(escaped);
  EXPECT_TRUE(app->player(2).Cards.empty());
  EXPECT_EQ(app->cardsindeck(5), 1);
  EXPECT_EQ(app->cardsindeck(9), 1);
}

}  // namespace
}  // namespace zuv
