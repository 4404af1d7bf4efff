#include <QAction>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSlider>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "scenario/choose_range_window.h"
#include "scenario/range_grid.h"
#include "scenario/range_suits_panel.h"
#include "scenario_test.h"
#include "sim/hand_range.h"
#include "sim/start_hand_strength.h"
#include "state/main_window.h"

namespace zuv {
namespace {

using testing::ScenarioTest;

class ChooseRangeWindowTest : public ScenarioTest {
 protected:
  // Runs `action` inside the range window that `command` opens; a window
  // the action leaves open fails the test and is cancelled.
  void inRangeWindow(const std::string& command, std::function<void(ChooseRangeWindow&)> action) {
    bool ran = false;
    whenWaiting([&] {
      ChooseRangeWindow* window = OpenChooseRangeWindow();
      ASSERT_NE(window, nullptr) << command << " opened no range window";
      ran = true;
      action(*window);
      if (ChooseRangeWindow* still = OpenChooseRangeWindow()) {
        ADD_FAILURE() << "the range window was left open";
        still->cancel();
      }
    });
    run(command);
    EXPECT_TRUE(ran) << command << " opened no range window";
  }

  void setRange(int seat, const std::string& text) {
    inRangeWindow("CBSetPlayerRange(" + std::to_string(seat) + ")", [&](ChooseRangeWindow&) {
      run("CBRangeText('" + text + "')");
      run("CBCloseRangeFigure('Ok', " + std::to_string(seat) + ")");
    });
  }

  // Sends a mouse event to the grid at the centre of cell (row, column).
  static void mouse(ChooseRangeWindow& window, QEvent::Type type, int row, int column) {
    QGraphicsSceneMouseEvent event(type);
    const int c = RangeGridScene::kCell;
    event.setScenePos(QPointF(column * c + c / 2.0, row * c + c / 2.0));
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : Qt::LeftButton);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
    QApplication::sendEvent(window.view()->scene(), &event);
  }
};

TEST_F(ChooseRangeWindowTest, TextAndGridFollowEachOtherAndOkGivesTheSeatTheRange) {
  inRangeWindow("CBSetPlayerRange(2)", [this](ChooseRangeWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Choose range for player 2");
    EXPECT_FALSE(app->FIGURE.mainfigurehandle->centralWidget()->isEnabled());
    EXPECT_FALSE(window.okButton()->isEnabled()) << "an empty range cannot be dealt";

    run("CBRangeText('qq+, AKs')");
    EXPECT_EQ(window.text(), "qq+, AKs") << "the text stays as typed";
    EXPECT_TRUE(window.cellOn(0, 0) && window.cellOn(2, 2) && window.cellOn(0, 1));
    EXPECT_FALSE(window.cellOn(1, 0)) << "AKo";
    EXPECT_FALSE(window.cellOn(3, 3)) << "JJ";
    EXPECT_EQ(window.countText(), "22 combos, 1.7 %");
    EXPECT_TRUE(window.okButton()->isEnabled());

    // Clicks rewrite the text in its shortest form.
    run("CBRangeCell(1, 2)");  // AKs off again
    run("CBRangeCell(4, 4)");  // JJ on
    EXPECT_EQ(window.text(), "JJ+");
    run("CBRangeCell(1, 13, 1)");  // A2s
    EXPECT_EQ(window.text(), "JJ+, A2s");

    // Text that does not parse is marked; the grid and Ok keep to the last good range.
    run("CBRangeText('JJ+,AKx')");
    EXPECT_NE(window.problem().toStdString().find("'AKx'"), std::string::npos) << window.problem().toStdString();
    EXPECT_FALSE(window.textField()->styleSheet().isEmpty());
    EXPECT_FALSE(window.okButton()->isEnabled());
    EXPECT_EQ(window.findChild<QLabel*>("combos")->text(), "") << "no count for text that is no range";
    run("CBCloseRangeFigure('Ok', 2)");
    QTest::keyClick(window.textField(), Qt::Key_Return);
    EXPECT_EQ(OpenChooseRangeWindow(), &window) << "Ok must not take a text that does not parse";
    run("CBRangeText('JJ+, A2s')");
    EXPECT_TRUE(window.problem().isEmpty());
    EXPECT_EQ(window.findChild<QLabel*>("combos")->text(), window.countText());
    run("CBCloseRangeFigure('Ok', 3)");  // a stale seat number does nothing
    EXPECT_EQ(OpenChooseRangeWindow(), &window);
    QTest::keyClick(window.textField(), Qt::Key_Return);
    EXPECT_EQ(OpenChooseRangeWindow(), nullptr) << "Return in the text field is Ok";
  });
  EXPECT_EQ(app->player(2).Range, "JJ+, A2s");
  EXPECT_EQ(app->simulateplayers(2), 1);
  EXPECT_TRUE(app->player(2).cmitem3->isEnabled()) << "a range can be released";
  EXPECT_TRUE(app->player(2).cmitem2->isEnabled()) << "the menus come back";
  EXPECT_TRUE(app->FIGURE.mainfigurehandle->centralWidget()->isEnabled());
  EXPECT_TRUE(consistent());

  // Reopened, the window shows the seat's range; Cancel and the close box keep it.
  inRangeWindow("CBSetPlayerRange(2)", [this](ChooseRangeWindow& window) {
    EXPECT_EQ(window.text(), "JJ+, A2s");
    EXPECT_TRUE(window.cellOn(0, 12));
    run("CBRangeText('72o')");
    run("CBCloseRangeFigure('Cancel', 2)");
  });
  inRangeWindow("CBSetPlayerRange(2)", [this](ChooseRangeWindow& window) {
    run("CBRangeText('72o')");
    window.close();
  });
  inRangeWindow("CBSetPlayerRange(2)", [this](ChooseRangeWindow& window) {
    run("CBRangeText('72o')");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.textField(), Qt::Key_Escape);
    EXPECT_EQ(OpenChooseRangeWindow(), nullptr) << "Escape is Cancel";
  });
  EXPECT_EQ(app->player(2).Range, "JJ+, A2s");

  // Weights typed in the field reach the seat.
  setRange(2, "AA:0.5,KK");
  EXPECT_EQ(app->player(2).Range, sim::FormatRange(sim::ParseRange("AA:0.5,KK").combos, sim::ParseRange("AA:0.5,KK").weights));
  EXPECT_NE(app->player(2).Range.find(":0.5"), std::string::npos) << app->player(2).Range;

  // Every combination is no range at all.
  setRange(2, "random");
  EXPECT_EQ(app->player(2).Range, "");
  // Without a window the window's commands do nothing.
  run("CBRangeCell(1, 1)");
  run("CBRangeText('AA')");
  run("CBCloseRangeFigure('Ok', 2)");
  EXPECT_EQ(app->player(2).Range, "");
}

TEST_F(ChooseRangeWindowTest, CardsFixedElsewhereLimitTheCombosAndTheSeatsOwnCardsGoBack) {
  run("CBTogglePlayerActivate(3)");
  fixHoleCards(1, {13, 26});     // As Ah
  fixHoleCards(3, {38, 51});     // Kd Kc
  fixFlop({39, 2, 3});           // Ad 3s 4s
  inRangeWindow("CBSetPlayerRange(1)", [this](ChooseRangeWindow& window) {
    run("CBRangeText('AA')");
    EXPECT_EQ(window.countText(), "3 combos, 0.2 %") << "seat 1's own aces count as free, the Ad on the flop does not";
    run("CBRangeText('KK')");
    EXPECT_EQ(window.countText(), "1 combo, 0.1 %");
    run("CBRangeText('KdKc')");
    EXPECT_EQ(window.countText(), "0 combos, 0.0 %");
    EXPECT_FALSE(window.problem().isEmpty());
    EXPECT_FALSE(window.okButton()->isEnabled()) << "a range that cannot be dealt";
    EXPECT_DOUBLE_EQ(static_cast<RangeGridScene*>(window.view()->scene())->share(1, 1), 1.0 / 6)
        << "one exact combination lights a sixth of the KK cell";
    run("CBRangeText('AA,KK')");
    run("CBCloseRangeFigure('Ok', 1)");
  });
  EXPECT_EQ(app->player(1).Range, "KK+");
  EXPECT_TRUE(app->player(1).Cards.empty());
  fixHoleCards(1, {13, 26});
  inRangeWindow("CBSetPlayerRange(1)", [this](ChooseRangeWindow& window) {
    EXPECT_EQ(window.text(), "AsAh") << "a seat's fixed cards are its range";
    window.cancel();
  });
  setRange(1, "AA,KK");
  EXPECT_EQ(app->cardsindeck(13), 1);
  EXPECT_EQ(app->cardsindeck(26), 1);
  EXPECT_EQ(app->simulateplayers(1), 1);
  EXPECT_EQ(app->player(1).cmitem2->text(), "Choose player cards");
  EXPECT_TRUE(consistent());

  // An inactive seat gets no range window.
  ASSERT_EQ(app->activeplayers(5), 0);
  whenWaiting([] {
    if (ChooseRangeWindow* window = OpenChooseRangeWindow()) {
      ADD_FAILURE() << "a range window opened for an inactive seat";
      window->cancel();
    }
  });
  run("CBSetPlayerRange(5)");
  drawnow();
}

TEST_F(ChooseRangeWindowTest, ReleaseFixedCardsAndSwitchingOffTakeTheRangeAway) {
  setRange(1, "QQ+,AKs");
  EXPECT_TRUE(app->player(1).cmitem4->isEnabled());
  run("CBReleaseCards(1)");
  EXPECT_EQ(app->player(1).Range, "");
  EXPECT_EQ(app->simulateplayers(1), 1) << "dealt any two cards again";
  EXPECT_FALSE(app->player(1).cmitem3->isEnabled());
  EXPECT_TRUE(consistent());

  // Cancel in "Choose player cards" keeps the range; Ok replaces it.
  setRange(2, "AKs");
  chooseThenCancel("CBChoosePlayerCards(2)", {1, 2});
  EXPECT_EQ(app->player(2).Range, "AKs");
  EXPECT_TRUE(app->player(2).cmitem3->isEnabled());
  EXPECT_TRUE(consistent());
  fixHoleCards(2, {1, 2});
  EXPECT_EQ(app->player(2).Range, "");
  EXPECT_EQ(app->player(2).Cards, (std::vector<int>{1, 2}));
  EXPECT_EQ(app->player(2).cmitem2->text(), "Choose new player cards");
  EXPECT_TRUE(consistent());

  // A seat switched off loses its range, and comes back dealt any two cards.
  setRange(2, "22+");
  run("CBTogglePlayerActivate(2)");
  EXPECT_EQ(app->player(2).Range, "");
  EXPECT_FALSE(app->player(2).cmitem4->isEnabled());
  EXPECT_TRUE(consistent());
  run("CBTogglePlayerActivate(2)");
  EXPECT_TRUE(app->player(2).cmitem4->isEnabled());
  EXPECT_FALSE(app->player(2).cmitem3->isEnabled());
  EXPECT_TRUE(consistent());

  // While the window is open the seat stays as the window found it.
  inRangeWindow("CBSetPlayerRange(2)", [this](ChooseRangeWindow&) {
    for (int p = 1; p <= 2; ++p) EXPECT_FALSE(app->player(p).cmitem4->isEnabled()) << "seat " << p;
    run("CBRangeText('AA')");
    run("CBTogglePlayerActivate(2)");
    run("CBReleaseCards(2)");
    run("CBSetPlayerRange(1)");
    run("CBCloseRangeFigure('Ok', 2)");
  });
  EXPECT_EQ(app->player(2).Range, "AA");
  EXPECT_EQ(app->activeplayers(2), 1);
  EXPECT_EQ(app->player(1).Range, "");
  EXPECT_TRUE(consistent());
}

// Seat 1 holds AhKh, seat 2 is dealt from "QQ+,AKs": a sampled run and an
// exact run through the window, the seat showing its range throughout.
TEST_F(ChooseRangeWindowTest, ARunDealsTheSeatFromItsRangeAndTheSeatShowsIt) {
  fixHoleCards(1, {26, 25});  // Ah Kh
  setRange(2, "QQ+,AKs");
  const PlayerRecord& ranged = app->player(2);
  EXPECT_TRUE(ranged.rangetext->isVisible());
  EXPECT_EQ(ranged.rangetext->text(), "QQ+, AKs");
  EXPECT_EQ(ranged.rangetext->toolTip(), "QQ+, AKs");

  auto* hands = qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kHandsField]);
  hands->setText("20000");
  run("CBValidateHandsToSimulate");
  bool gated = false;
  whenWaiting([&] {
    gated = !ranged.cmitem2->isEnabled() && !ranged.cmitem3->isEnabled() && !ranged.cmitem4->isEnabled();
  });
  run("CBStartSimulation");
  EXPECT_TRUE(gated) << "the seat's items are off during a run";
  EXPECT_TRUE(ranged.cmitem3->isEnabled() && ranged.cmitem4->isEnabled()) << "and back after it";
  EXPECT_TRUE(ranged.rangetext->isVisible());
  // The last hand dealt to the seat came from its range.
  ASSERT_EQ(ranged.Cards.size(), 2u);
  const auto combos = sim::ParseRange("QQ+,AKs").combos;
  const sim::Combo dealt{std::min(ranged.Cards[0], ranged.Cards[1]), std::max(ranged.Cards[0], ranged.Cards[1])};
  EXPECT_TRUE(std::binary_search(combos.begin(), combos.end(), dealt)) << ranged.Cards[0] << " " << ranged.Cards[1];
  const double sampled = app->SIM.WinRecord[1] / 20000;

  run("CBExactOdds");
  run("CBStartSimulation");
  app->messages.closeAll();
  const double deals = app->SIM.WinRecord[0] + app->SIM.WinRecord[1];
  const double exact = app->SIM.WinRecord[1] / deals;
  EXPECT_GT(exact, 0.5) << "the range is the favourite against AhKh";
  EXPECT_LT(exact, 0.75);
  EXPECT_NEAR(sampled, exact, 4.5 * std::sqrt(exact * (1 - exact) / 20000));
  EXPECT_TRUE(ranged.rangetext->isVisible());
  dealtCardsLeft = true;
  EXPECT_TRUE(consistent());
}

TEST_F(ChooseRangeWindowTest, ADragPaintsCellsWithTheStateOfTheFirst) {
  inRangeWindow("CBSetPlayerRange(1)", [this](ChooseRangeWindow& window) {
    run("CBRangeText('AKo')");
    mouse(window, QEvent::GraphicsSceneMousePress, 0, 0);  // AA goes on ...
    mouse(window, QEvent::GraphicsSceneMouseMove, 1, 1);
    mouse(window, QEvent::GraphicsSceneMouseMove, 1, 0);   // ... and so does AKo, which already was
    mouse(window, QEvent::GraphicsSceneMouseMove, 2, 2);
    mouse(window, QEvent::GraphicsSceneMouseRelease, 2, 2);
    EXPECT_EQ(window.text(), "QQ+, AKo");
    mouse(window, QEvent::GraphicsSceneMouseMove, 3, 3);   // no button: nothing painted
    mouse(window, QEvent::GraphicsSceneMousePress, 1, 1);  // KK goes off ...
    mouse(window, QEvent::GraphicsSceneMouseMove, 0, 0);   // ... and AA with it
    mouse(window, QEvent::GraphicsSceneMouseRelease, 0, 0);
    EXPECT_EQ(window.text(), "QQ, AKo");
    run("CBCloseRangeFigure('Cancel', 1)");
  });
}

TEST_F(ChooseRangeWindowTest, TopWeightSuitsSavedRangesAndPaste) {
  inRangeWindow("CBSetPlayerRange(1)", [this](ChooseRangeWindow& window) {
    auto* grid = static_cast<RangeGridScene*>(window.view()->scene());
    // The top 15 %: the strongest cells, as many as fit in 15 % of 1,326.
    run("CBRangeTop(150)");
    EXPECT_EQ(window.topSlider()->value(), 150);
    EXPECT_DOUBLE_EQ(window.topField()->value(), 15.0);
    const auto cells = sim::StrongestCells(15);
    int combos = 0;
    for (const auto& [row, column] : cells) {
      EXPECT_TRUE(window.cellOn(row, column)) << sim::RangeCellName(row, column);
      combos += static_cast<int>(sim::RangeCellCombos(row, column).size());
    }
    EXPECT_EQ(window.possibleCombos(), combos);
    const auto& next = sim::kStartHandStrengths.at(cells.size());
    EXPECT_GT(combos + sim::RangeCellCombos(next.row, next.column).size(), 0.15 * 1326) << "the next hand would not fit";
    EXPECT_EQ(sim::ParseRange(window.text().toStdString()).combos, window.combos()) << window.text().toStdString();
    EXPECT_TRUE(window.cellOn(0, 0) && !window.cellOn(12, 11)) << "AA in, 32o out";

    // Weights: what clicks add, lit as a share and written into the text.
    run("CBRangeWeight(50)");
    run("CBRangeText('AKs')");
    run("CBRangeCell(2, 1)");  // AKo at one half
    EXPECT_EQ(window.text(), "AKs, AKo:0.5");
    EXPECT_EQ(grid->toolTip(1, 0), "AKo: 50 %");
    EXPECT_FALSE(window.cellOn(0, 1)) << "AKs is held at another weight: a click gives it one half";
    run("CBRangeCell(1, 2)");
    EXPECT_EQ(window.text(), "AK:0.5");
    run("CBRangeCell(1, 2)");
    EXPECT_EQ(window.text(), "AKo:0.5") << "a cell at the click weight goes off";
    EXPECT_EQ(window.countText(), "12 combos (6 weighted), 0.5 %");

    // Suits of one cell, one by one.
    run("CBRangeWeight(100)");
    run("CBRangeText('AKs')");
    run("CBRangeSuits(1, 2)");
    RangeSuitsPanel& suits = *window.suitsPanel();
    int shown = 0;
    for (int k = 0; k < RangeSuitsPanel::kMostCombos; ++k) shown += suits.button(k)->isVisibleTo(&window) ? 1 : 0;
    EXPECT_EQ(shown, 4);
    suits.button(0)->click();  // the first of the cell's combinations, taken out
    EXPECT_FALSE(suits.button(0)->isChecked());
    EXPECT_EQ(sim::ParseRange(window.text().toStdString()).combos.size(), 3u) << window.text().toStdString();
    run("CBRangeCombo('AsKs', 1)");
    run("CBRangeCombo('KhAh')");  // toggles off
    EXPECT_EQ(window.text(), "AsKs, AdKd, AcKc");
    EXPECT_TRUE(suits.button(0)->isChecked());
    EXPECT_DOUBLE_EQ(grid->share(0, 1), 0.75);

    // Saved ranges, in this test's own settings.
    run("CBSaveRange('tight')");
    run("CBRangeText('QQ+:0.5')");
    run("CBSaveRange('Mine/BB 3bet')");
    ASSERT_EQ(window.savedList()->count(), 2);
    EXPECT_EQ(window.savedList()->item(0)->text(), "Mine/BB 3bet");
    run("CBLoadRange('tight')");
    EXPECT_EQ(window.text(), "AsKs, AdKd, AcKc");
    run("CBDeleteRange");  // the one chosen by the load
    ASSERT_EQ(window.savedList()->count(), 1);
    run("CBLoadRange('Mine/BB 3bet')");
    EXPECT_EQ(window.text(), "QQ+:0.5");

    // A solver export pasted over the text, line breaks and all.
    QApplication::clipboard()->setText("AA:1,\nAKs:0.75,\r\nT9s-65s:0.3\n");
    window.textField()->selectAll();
    window.textField()->setFocus();
    QTest::keyClick(window.textField(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(sim::FormatRange(window.combos(), window.weights()), "AA, AKs:0.75, T9s-65s:0.3");
    EXPECT_TRUE(window.problem().isEmpty()) << window.problem().toStdString();
    run("CBCloseRangeFigure('Ok', 1)");
  });
  EXPECT_EQ(app->player(1).Range, "AA, AKs:0.75, T9s-65s:0.3");
}

}  // namespace
}  // namespace zuv
