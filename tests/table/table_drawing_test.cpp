#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenu>
#include <algorithm>

#include "platform/callback.h"
#include "support/app_fixture.h"
#include "table/background_light.h"
#include "table/card_display.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"
#include "table_test_support.h"

namespace zuv {
namespace {

namespace geo = table_geometry;
using testing::ColourAt;
using testing::GrabTable;

class TableDrawing : public testing::AppTest {
 protected:
  // Right-clicks the table at a point in data units; returns the menu that opened.
  QMenu* rightClick(QPointF data) {
    QGraphicsView* view = app->TABLE.axes;
    const QPoint at = view->mapFromScene(geo::ToScene(data));
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
    QMenu* opened = nullptr;
    for (QMenu* menu : allMenus())
      if (menu->isVisible()) opened = menu;
    for (QMenu* menu : allMenus()) menu->hide();
    return opened;
  }
  std::vector<QMenu*> allMenus() {
    std::vector<QMenu*> menus{app->TABLE.cmenu};
    for (int p = 1; p <= 10; ++p) menus.push_back(app->player(p).cmenu);
    return menus;
  }
};

void ExpectColourNear(const QColor& seen, const QColor& expected, int tolerance, const char* where) {
  EXPECT_NEAR(seen.red(), expected.red(), tolerance) << where;
  EXPECT_NEAR(seen.green(), expected.green(), tolerance) << where;
  EXPECT_NEAR(seen.blue(), expected.blue(), tolerance) << where;
}

TEST_F(TableDrawing, LaterObjectsCoverEarlierOnes) {
  const auto& T = app->TABLE;
  auto z = [](const QGraphicsItem* item) { return item->zValue(); };
  // The light lies under everything, the table oval under every seat.
  for (QGraphicsItem* item : T.axes->scene()->items()) {
    if (item != T.patchhandle && dynamic_cast<QGraphicsPixmapItem*>(item) == nullptr) {
      EXPECT_GT(z(item), z(T.patchhandle));
    }
  }
  const auto lowest = std::ranges::min(T.axes->scene()->items(), {}, z);
  EXPECT_LT(z(lowest), z(T.patchhandle));
  EXPECT_EQ(dynamic_cast<PictureItem*>(lowest), nullptr) << "the background is no card picture";

  qreal lastSeat = z(T.patchhandle);
  for (int p = 1; p <= 10; ++p) {
    const auto& P = app->player(p);
    EXPECT_GT(z(P.patchhandle), lastSeat);
    EXPECT_GT(z(P.playernrtexthandle), z(P.patchhandle));
    lastSeat = z(P.patchhandle);
  }
  qreal last = lastSeat;
  for (int p = 1; p <= 10; ++p) {
    const auto& P = app->player(p);
    EXPECT_GT(z(P.cardimage[0]), last) << p;
    EXPECT_GT(z(P.cardimage[1]), z(P.cardimage[0])) << "card 2 over card 1, seat " << p;
    EXPECT_GT(z(P.handtextrectangle), z(P.cardimage[1])) << p;
    EXPECT_GT(z(P.handtext), z(P.handtextrectangle)) << "caption over its box, seat " << p;
    last = z(P.handtext);
  }
  // Every seat number over every seat's cards and captions.
  for (int p = 1; p <= 10; ++p) {
    EXPECT_GT(z(app->player(p).playernrtexthandle), last) << p;
    last = z(app->player(p).playernrtexthandle);
  }
  for (PictureItem* board : T.boardcardsimage) {
    EXPECT_GT(z(board), last);
    last = z(board);
  }
  for (QGraphicsItem* item : T.axes->scene()->items()) {
    if (item != T.dealerbutton) {
      EXPECT_GT(z(T.dealerbutton), z(item)) << "dealer button last";
    }
  }

  // What the user sees: where the cards overlap, card 2 is on top.
  const geo::DataBox a = geo::DataBoxOf(*app->player(1).cardimage[0]);
  EXPECT_EQ(testing::TopItemAt(*app, {a.right - 0.01, a.centre().y()}), app->player(1).cardimage[1]);
  EXPECT_EQ(testing::TopItemAt(*app, {a.left + 0.01, a.centre().y()}), app->player(1).cardimage[0]);
}

TEST_F(TableDrawing, StartUpLook) {
  const auto& T = app->TABLE;
  for (int p = 1; p <= 2; ++p) {
    const auto& P = app->player(p);
    EXPECT_EQ(P.patchhandle->brush().color(), T.activeplayercolor.toQColor()) << p;
    EXPECT_EQ(P.patchhandle->pen().color(), T.activeplayercolor.toQColor()) << p;
    EXPECT_EQ(P.playernrtexthandle->color(), T.lightyellow.toQColor()) << p;
    EXPECT_EQ(P.playernrtexthandle->text(), QString::number(p));
    for (PictureItem* card : P.cardimage) {
      EXPECT_TRUE(card->isVisible()) << p;
      EXPECT_EQ(card->pixmap().cacheKey(), app->DECK.backsideimage.cacheKey()) << p;
      EXPECT_EQ(card->alpha(), 1.0);
    }
    EXPECT_EQ(P.cmitem1->text(), "Deactivate player");
    EXPECT_TRUE(P.cmitem1->isEnabled());
    EXPECT_TRUE(P.cmitem2->isEnabled());
    EXPECT_FALSE(P.cmitem3->isEnabled());
    EXPECT_TRUE(P.cmitem4->isEnabled());
  }
  for (int p = 3; p <= 10; ++p) {
    const auto& P = app->player(p);
    EXPECT_EQ(P.patchhandle->brush().color().rgb(), T.deactiveplayercolor.toQColor().rgb()) << p;
    EXPECT_NEAR(P.patchhandle->brush().color().alphaF(), 0.2, 0.003) << p;
    EXPECT_EQ(P.patchhandle->pen().color(), QColor(Qt::black)) << p;
    EXPECT_EQ(P.playernrtexthandle->color(), QColor(Qt::black)) << p;
    for (PictureItem* card : P.cardimage) EXPECT_FALSE(card->isVisible()) << p;
    EXPECT_EQ(P.cmitem1->text(), "Activate player");
    EXPECT_FALSE(P.cmitem2->isEnabled());
    EXPECT_FALSE(P.cmitem3->isEnabled());
    EXPECT_FALSE(P.cmitem4->isEnabled());
  }
  for (int p = 1; p <= 10; ++p) {
    EXPECT_FALSE(app->player(p).handtext->isVisible()) << p;
    EXPECT_FALSE(app->player(p).handtextrectangle->isVisible()) << p;
    EXPECT_TRUE(app->player(p).handtext->text().isEmpty());
    EXPECT_TRUE(app->player(p).patchhandle->isVisible());
  }
  for (PictureItem* board : T.boardcardsimage) {
    EXPECT_FALSE(board->isVisible());
    EXPECT_EQ(board->pixmap().cacheKey(), app->DECK.backsideimage.cacheKey());
  }
  EXPECT_TRUE(T.dealerbutton->isVisible());
  EXPECT_EQ(T.patchhandle->brush().color(), T.tablecolor.toQColor());
  EXPECT_EQ(T.patchhandle->pen().color(), QColor(Qt::black));
  EXPECT_TRUE(T.cmitem1->isEnabled());
  EXPECT_FALSE(T.cmitem2->isEnabled());
  EXPECT_FALSE(T.cmitem3->isEnabled());
  EXPECT_FALSE(T.cmitem4->isEnabled());
  EXPECT_TRUE(T.cmitem5->isEnabled());
  EXPECT_FALSE(T.cmitem6->isEnabled());
  for (PictureItem* dead : T.deadcardsimage) {
    EXPECT_FALSE(dead->isVisible());
    EXPECT_EQ(dead->contextMenu(), T.cmenu) << "a right-click on a dead card opens the table's menu";
  }
}

TEST_F(TableDrawing, ContextMenusCarryTheirLabelsAndCommands) {
  const auto& T = app->TABLE;
  const std::vector<QAction*> board{T.cmitem1, T.cmitem2, T.cmitem3, T.cmitem4, T.cmitem5, T.cmitem6};
  auto actions = T.cmenu->actions();
  ASSERT_EQ(actions.size(), 7);
  EXPECT_TRUE(actions.takeAt(4)->isSeparator()) << "separator above \"Set dead cards...\"";
  EXPECT_EQ(actions.toVector(), QList<QAction*>(board.begin(), board.end()).toVector());
  const char* labels[] = {"Set Flop cards",    "Set Turn card", "Release Flop cards", "Release Turn card",
                          "Set dead cards...", "Release dead cards"};
  const char* commands[] = {"CBSetFlop",      "CBSetTurn",     "CBReleaseFlop",
                            "CBReleaseTurn",  "CBSetDeadCards", "CBReleaseDeadCards"};
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(board[j]->text(), labels[j]);
    EXPECT_EQ(Callback(board[j]), commands[j]);
  }
  for (int p = 1; p <= 10; ++p) {
    const auto& P = app->player(p);
    const auto actions = P.cmenu->actions();
    ASSERT_EQ(actions.size(), 5) << p;
    EXPECT_EQ(actions[0], P.cmitem1);
    EXPECT_TRUE(actions[1]->isSeparator()) << "separator above \"Choose player cards\"";
    EXPECT_EQ(actions[2], P.cmitem2);
    EXPECT_EQ(actions[3], P.cmitem4) << "the range item right after \"Choose player cards\"";
    EXPECT_EQ(actions[4], P.cmitem3);
    EXPECT_EQ(P.cmitem2->text(), "Choose player cards");
    EXPECT_EQ(P.cmitem4->text(), "Set player range...");
    EXPECT_EQ(P.cmitem3->text(), "Release player cards");
    const QString n = QString::number(p);
    EXPECT_EQ(Callback(P.cmitem1), "CBTogglePlayerActivate(" + n + ")");
    EXPECT_EQ(Callback(P.cmitem2), "CBChoosePlayerCards(" + n + ")");
    EXPECT_EQ(Callback(P.cmitem3), "CBReleaseCards(" + n + ")");
    EXPECT_EQ(Callback(P.cmitem4), "CBSetPlayerRange(" + n + ")");
    EXPECT_EQ(P.patchhandle->contextMenu(), P.cmenu);
    EXPECT_EQ(P.cardimage[0]->contextMenu(), P.cmenu);
    EXPECT_EQ(P.cardimage[1]->contextMenu(), P.cmenu);
    EXPECT_FALSE(P.rangetext->hitTest() || P.rangetextrectangle->hitTest())
        << "a right-click on the range caption reaches the cards below it";
  }
  EXPECT_EQ(T.patchhandle->contextMenu(), T.cmenu);
  for (PictureItem* picture : T.boardcardsimage) EXPECT_EQ(picture->contextMenu(), T.cmenu);
}

TEST_F(TableDrawing, MenuItemsRunTheirCommandTexts) {
  std::vector<long long> chosen;
  app->commands.add("CBChoosePlayerCards", 1, [&](const CommandArgs& a) { chosen.push_back(a.integer(0).value_or(0)); });
  int flops = 0;
  app->commands.add("CBSetFlop", 0, [&](const CommandArgs&) { ++flops; });
  app->player(7).cmitem2->setEnabled(true);
  app->player(7).cmitem2->trigger();
  app->player(2).cmitem2->trigger();
  app->TABLE.cmitem1->trigger();
  EXPECT_EQ(chosen, (std::vector<long long>{7, 2}));
  EXPECT_EQ(flops, 1);

  // A command the program does not know is reported; nothing else happens.
  SetCallback(app->TABLE.cmitem1, "CBNotACommand");
  app->TABLE.cmitem1->trigger();
  EXPECT_NE(app->commands.lastError().find("CBNotACommand"), std::string::npos);
  EXPECT_EQ(flops, 1);
}

TEST_F(TableDrawing, RightClicksOpenTheMenuOfWhatIsUnderThePointer) {
  const auto& T = app->TABLE;
  // The seat number lets the click through to its oval.
  EXPECT_EQ(rightClick(testing::DataCentre(*app->player(1).patchhandle)), app->player(1).cmenu);
  EXPECT_EQ(app->currentObject, app->player(1).patchhandle);
  const geo::DataBox card1 = geo::DataBoxOf(*app->player(2).cardimage[0]);
  EXPECT_EQ(rightClick({card1.left + 0.01, card1.centre().y()}), app->player(2).cmenu);
  const geo::DataBox card2 = geo::DataBoxOf(*app->player(2).cardimage[1]);
  EXPECT_EQ(rightClick({card2.right - 0.01, card2.centre().y()}), app->player(2).cmenu);
  EXPECT_EQ(app->currentObject, app->player(2).cardimage[1]);
  // An inactive seat's hidden cards do not catch clicks, its oval does.
  EXPECT_EQ(rightClick(testing::DataCentre(*app->player(6).patchhandle)), app->player(6).cmenu);
  // The table; a shown board card opens the same menu.
  EXPECT_EQ(rightClick({0, 0.2}), T.cmenu);
  EXPECT_EQ(app->currentObject, T.patchhandle);
  T.boardcardsimage[2]->show();
  EXPECT_EQ(rightClick({0, 0}), T.cmenu);
  EXPECT_EQ(app->currentObject, T.boardcardsimage[2]);
  // The dealer button has no menu of its own: the table's opens beneath it.
  EXPECT_EQ(rightClick(geo::DataBoxOf(*T.dealerbutton).centre()), T.cmenu);
  // Outside the table nothing opens.
  EXPECT_EQ(rightClick({1.2, -1.2}), nullptr);
}

TEST_F(TableDrawing, LightGlowsAroundTheTableOnly) {
  const QImage table = GrabTable(*app);
  ASSERT_FALSE(table.isNull());
  // Between the table's edge and the seats the light shows its ramp colour.
  for (const QPointF at : {QPointF(0, -0.5), QPointF(0.75, 0.15), QPointF(-0.85, -0.2)}) {
    const auto light = background_light::ColourAt(at.x(), at.y());
    ASSERT_TRUE(light.has_value());
    ExpectColourNear(ColourAt(table, at), light->toQColor(), 3, "light");
  }
  // The table oval is opaque felt; outside the light's ellipse is the plain background.
  ExpectColourNear(ColourAt(table, {0, 0.2}), app->TABLE.tablecolor.toQColor(), 1, "table");
  ExpectColourNear(ColourAt(table, {1.2, 1.2}), app->TABLE.backgroundcolor.toQColor(), 1, "outside");
  ExpectColourNear(ColourAt(table, {-1.2, -1.0}), app->TABLE.backgroundcolor.toQColor(), 1, "outside");
}

TEST_F(TableDrawing, CardsAreDrawnOpaqueOrHalfTransparent) {
  // The middle of seat 1's card 1 (not covered by card 2) on the grabbed table.
  const geo::DataBox a = geo::DataBoxOf(*app->player(1).cardimage[0]);
  const QPointF spot{a.left + 0.02, a.centre().y()};
  PictureItem* card = app->player(1).cardimage[0];
  const QColor opaque = ColourAt(GrabTable(*app), spot);
  card->setAlpha(0.5);
  const QColor half = ColourAt(GrabTable(*app), spot);
  card->hide();
  const QColor none = ColourAt(GrabTable(*app), spot);
  // Half transparent lies halfway between the picture and what is under it.
  EXPECT_NEAR(half.red(), (opaque.red() + none.red()) / 2.0, 4);
  EXPECT_NEAR(half.green(), (opaque.green() + none.green()) / 2.0, 4);
  EXPECT_NE(opaque, none);
}

}  // namespace
}  // namespace zuv
