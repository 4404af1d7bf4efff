#include <gtest/gtest.h>

#include <QGraphicsView>
#include <map>

#include "platform/graphics_items.h"
#include "support/app_fixture.h"
#include "table/card_display.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"
#include "table_test_support.h"

namespace zuv {
namespace {

namespace geo = table_geometry;
using testing::CardOf;

class CardDisplay : public testing::AppTest {
 protected:
  int card(const std::string& symbol) { return CardOf(*app, symbol); }
  // The picture a card image shows: a card number, 0 for the back, -1 for anything else.
  int shown(const PictureItem* picture) {
    const qint64 key = picture->pixmap().cacheKey();
    if (key == app->DECK.backsideimage.cacheKey()) return 0;
    for (int n = 1; n <= kCards; ++n)
      if (app->cardImage(n).cacheKey() == key) return n;
    return -1;
  }
  void activate(int seat) {
    app->activeplayers(seat) = 1;
    app->simulateplayers(seat) = 1;
  }
  void expectSeat(int seat, int first, int second, double alpha) {
    for (int j = 0; j < 2; ++j) {
      const PictureItem* picture = app->player(seat).cardimage[j];
      EXPECT_TRUE(picture->isVisible()) << "seat " << seat << " card " << j + 1;
      EXPECT_EQ(shown(picture), j == 0 ? first : second) << "seat " << seat << " card " << j + 1;
      EXPECT_EQ(picture->alpha(), alpha) << "seat " << seat << " card " << j + 1;
    }
  }
  void expectBoard(int position, int shownCard, double alpha) {
    const PictureItem* picture = app->TABLE.boardcardsimage[position - 1];
    EXPECT_TRUE(picture->isVisible()) << position;
    EXPECT_EQ(shown(picture), shownCard) << position;
    EXPECT_EQ(picture->alpha(), alpha) << position;
  }
  bool boardVisible(int position) { return app->TABLE.boardcardsimage[position - 1]->isVisible(); }
  QRectF visibleTable() const {
    auto* view = qobject_cast<QGraphicsView*>(app->TABLE.axes);
    return view->mapToScene(view->viewport()->rect()).boundingRect();
  }
  // Every seat active with dealt cards 1..20 and the widest caption.
  void showTenSeatsWithWidestCaptions() {
    for (int p = 1; p <= kSeats; ++p) {
      activate(p);
      app->player(p).Cards = {2 * p - 1, 2 * p};
      app->player(p).hand = 9;  // "Straight flush"
    }
    DisplayPlayerCards(*app);
    DisplayHands(*app);
  }
};

TEST_F(CardDisplay, HoleCardsFollowActiveAndFixedFlags) {
  const int ace = card("As"), king = card("Kd");
  // Seat 1 fixed, seat 2 dealt the same numbers, seat 3 inactive though it holds cards, seat 4 active without cards.
  app->player(1).Cards = {ace, king};
  app->simulateplayers(1) = 0;
  app->player(2).Cards = {ace, king};
  app->player(3).Cards = {ace, king};
  activate(4);
  DisplayPlayerCards(*app);
  expectSeat(1, ace, king, 1.0);
  expectSeat(2, ace, king, 0.5);
  for (PictureItem* picture : app->player(3).cardimage) EXPECT_FALSE(picture->isVisible());
  expectSeat(4, 0, 0, 1.0);

  // Only the listed seats change; an empty list changes nothing.
  app->player(1).Cards.clear();
  app->player(2).Cards.clear();
  DisplayPlayerCards(*app, std::vector<int>{});
  expectSeat(1, ace, king, 1.0);
  DisplayPlayerCards(*app, std::vector<int>{2});
  expectSeat(1, ace, king, 1.0);
  expectSeat(2, 0, 0, 1.0);
}

TEST_F(CardDisplay, DamagedSeatStatesNeverCrash) {
  app->player(1).Cards = {0, 99};
  app->player(2).Cards = {card("2c")};
  DisplayPlayerCards(*app, std::vector<int>{0, 1, 2, 11, -4});
  expectSeat(1, 0, 0, 1.0);
  expectSeat(2, 0, 0, 1.0);
  app->TABLE.boardcards = {card("3c"), 60};
  DisplayBoardCards(*app, std::vector<int>{0, 1, 2, 6});
  expectBoard(1, card("3c"), 0.5);
  EXPECT_FALSE(boardVisible(2));
}

TEST_F(CardDisplay, BoardShowsItsCardsAndHidesTheRest) {
  for (PictureItem* picture : app->TABLE.boardcardsimage) picture->show();
  DisplayBoardCards(*app);  // no board cards
  for (int k = 1; k <= 5; ++k) EXPECT_FALSE(boardVisible(k)) << k;

  const int f1 = card("Qh"), f2 = card("Jh"), f3 = card("4s"), turn = card("9s"), river = card("2h");
  app->TABLE.boardcards = {f1, f2, f3};
  DisplayBoardCards(*app);
  expectBoard(1, f1, 0.5);
  expectBoard(3, f3, 0.5);
  EXPECT_FALSE(boardVisible(4));
  EXPECT_FALSE(boardVisible(5));

  // A fixed flop with the turn and river dealt.
  app->TABLE.boardcards = {f1, f2, f3, turn, river};
  app->SETUP.SimulateFlop = 0;
  DisplayBoardCards(*app);
  expectBoard(1, f1, 1.0);
  expectBoard(2, f2, 1.0);
  expectBoard(3, f3, 1.0);
  expectBoard(4, turn, 0.5);
  expectBoard(5, river, 0.5);

  // A fixed turn is opaque too; the river is always dealt.
  app->SETUP.SimulateTurn = 0;
  DisplayBoardCards(*app, std::vector<int>{5, 4});
  expectBoard(4, turn, 1.0);
  expectBoard(5, river, 0.5);
}

TEST_F(CardDisplay, CaptionsNameTheHandsWithWinnersInRed) {
  for (int seat : {4, 7}) activate(seat);
  app->player(1).hand = 3;  // Two pairs
  app->player(2).hand = 9;  // Straight flush
  app->player(4).hand = 9;
  app->player(7).hand = 1;
  app->player(5).hand = 2;  // inactive: its caption stays as it is
  app->TABLE.winner = {2, 4};
  DisplayHands(*app);
  const std::map<int, std::pair<QString, QColor>> expected{
      {1, {"Two pairs", Qt::black}}, {2, {"Straight flush", Qt::red}},
      {4, {"Straight flush", Qt::red}}, {7, {"High card", Qt::black}}};
  for (const auto& [seat, look] : expected) {
    const auto& P = app->player(seat);
    EXPECT_TRUE(P.handtext->isVisible()) << seat;
    EXPECT_TRUE(P.handtextrectangle->isVisible()) << seat;
    EXPECT_EQ(P.handtext->text(), look.first) << seat;
    EXPECT_EQ(P.handtext->color(), look.second) << seat;
  }
  EXPECT_FALSE(app->player(5).handtext->isVisible());
  EXPECT_TRUE(app->player(5).handtext->text().isEmpty());

  // The next hand: one winner, the old winner turns black.
  app->TABLE.winner = {7};
  DisplayHands(*app);
  EXPECT_EQ(app->player(2).handtext->color(), QColor(Qt::black));
  EXPECT_EQ(app->player(7).handtext->color(), QColor(Qt::red));
}

TEST_F(CardDisplay, CaptionBoxFitsItsTextAroundItsCentre) {
  const auto& P = app->player(1);
  const QPointF centre = table_layout::CaptionCentre(*app, 1);
  auto boxAfter = [&](int hand) {
    app->player(1).hand = hand;
    DisplayHands(*app);
    return testing::DataCorners(*P.handtextrectangle);
  };
  const auto wide = boxAfter(9);  // "Straight flush"
  const double wideText = P.handtext->boundingRect().width() / geo::Scale();
  const auto narrow = boxAfter(2);  // "Pair"
  const double narrowText = P.handtext->boundingRect().width() / geo::Scale();
  for (const auto* box : {&wide, &narrow}) {
    ASSERT_EQ(box->size(), 4u);
    const auto& c = *box;
    EXPECT_NEAR((c[0].x() + c[1].x()) / 2, centre.x(), 1e-9) << "symmetric around the centre";
    EXPECT_NEAR(c[3].x(), c[0].x(), 1e-9);
    EXPECT_NEAR(c[2].x(), c[1].x(), 1e-9);
    // The height stays as drawn.
    EXPECT_NEAR(c[0].y(), centre.y() - 0.05, 1e-9);
    EXPECT_NEAR(c[2].y(), centre.y() + 0.05, 1e-9);
  }
  EXPECT_NEAR(wide[1].x() - wide[0].x(), wideText + 0.06, 1e-9);
  EXPECT_NEAR(narrow[1].x() - narrow[0].x(), narrowText + 0.06, 1e-9);
  EXPECT_GT(wide[1].x() - wide[0].x(), 0.2) << "a long name widens the box";
  EXPECT_LT(narrow[1].x() - narrow[0].x(), 0.2) << "a short name narrows it";
  // The text itself stays centred on the box.
  EXPECT_NEAR(geo::ToData(P.handtext->sceneBoundingRect().center()).x(), centre.x(), 1e-9);
}

TEST_F(CardDisplay, EveryCaptionOfTheLongestHandNameLiesOnTheVisibleTable) {
  auto* view = qobject_cast<QGraphicsView*>(app->TABLE.axes);
  ASSERT_NE(view, nullptr);
  const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
  // The widest name in the caption's own font.
  const QFontMetricsF metrics(app->player(1).handtext->font());
  int longest = 1;
  for (int h = 1; h <= kHandClasses; ++h) {
    const auto width = [&](int k) { return metrics.horizontalAdvance(QString::fromStdString(app->SETUP.handnames[k - 1])); };
    if (width(h) > width(longest)) longest = h;
  }
  for (int p = 1; p <= kSeats; ++p) {
    activate(p);
    app->player(p).hand = longest;
  }
  DisplayHands(*app);
  for (int p = 1; p <= kSeats; ++p) {
    const auto& P = app->player(p);
    ASSERT_TRUE(P.handtext->isVisible()) << p;
    for (const QGraphicsItem* item : {static_cast<const QGraphicsItem*>(P.handtext),
                                      static_cast<const QGraphicsItem*>(P.handtextrectangle)}) {
      EXPECT_TRUE(visible.contains(item->sceneBoundingRect())) << "seat " << p;
    }
    // The text stays centred in its box, wherever the box had to go.
    EXPECT_NEAR(P.handtext->sceneBoundingRect().center().x(), P.handtextrectangle->sceneBoundingRect().center().x(), 0.5)
        << p;
  }
  // A short name keeps its place.
  app->player(8).hand = 2;
  DisplayHands(*app);
  EXPECT_NEAR(geo::ToData(app->player(8).handtext->anchor()).x(), table_layout::CaptionCentre(*app, 8).x(), 1e-9);
}

TEST_F(CardDisplay, EverySeatNumberStaysClearWhileTenSeatsShowCardsAndCaptions) {
  const QRectF visible = visibleTable();
  showTenSeatsWithWidestCaptions();
  for (int p = 1; p <= kSeats; ++p) {
    const auto& P = app->player(p);
    expectSeat(p, 2 * p - 1, 2 * p, 0.5);
    // The cards keep their places.
    for (int j = 1; j <= 2; ++j) {
      const geo::DataBox box = geo::DataBoxOf(*P.cardimage[j - 1]);
      const geo::DataBox expected = table_layout::HoleCardBox(*app, p, j);
      EXPECT_NEAR(box.left, expected.left, 1e-9) << p;
      EXPECT_NEAR(box.top, expected.top, 1e-9) << p;
    }
    // The number shows on the visible table, clear of every seat's cards and
    // caption, and over everything of the seats.
    const QRectF number = P.playernrtexthandle->sceneBoundingRect();
    EXPECT_TRUE(visible.contains(number)) << "seat " << p;
    for (int q = 1; q <= kSeats; ++q) {
      const auto& Q = app->player(q);
      for (const QGraphicsItem* item : {static_cast<const QGraphicsItem*>(Q.cardimage[0]),
                                        static_cast<const QGraphicsItem*>(Q.cardimage[1]),
                                        static_cast<const QGraphicsItem*>(Q.handtextrectangle)}) {
        EXPECT_FALSE(number.intersects(item->sceneBoundingRect())) << "number " << p << " meets seat " << q;
        EXPECT_GT(P.playernrtexthandle->zValue(), item->zValue());
      }
    }
  }
  // An empty seat has its number in its oval again.
  app->activeplayers(4) = 0;
  DisplayPlayerCards(*app, std::vector<int>{4});
  EXPECT_NEAR(geo::ToData(app->player(4).playernrtexthandle->sceneBoundingRect().center()).x(),
              table_layout::SeatCentre(*app, 4).x(), 1e-6);
}

TEST_F(CardDisplay, DeadCardsLieSmallAndDimmedInARowClearOfSeatsCaptionsAndBoard) {
  const QRectF visible = visibleTable();
  showTenSeatsWithWidestCaptions();
  app->TABLE.boardcards = {41, 42, 43, 44, 45};
  app->TABLE.deadcards = {21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
  DisplayBoardCards(*app);
  DisplayDeadCards(*app);

  std::vector<const QGraphicsItem*> others{app->TABLE.dealerbutton};
  for (const PictureItem* board : app->TABLE.boardcardsimage) others.push_back(board);
  for (int p = 1; p <= kSeats; ++p) {
    const auto& P = app->player(p);
    others.insert(others.end(), {P.patchhandle, P.cardimage[0], P.cardimage[1], P.handtextrectangle,
                                 P.handtext, P.playernrtexthandle});
  }
  const QRectF boardCard = app->TABLE.boardcardsimage[0]->sceneBoundingRect();
  double lastLeft = -1e9;
  for (int k = 1; k <= kMaxDeadCards; ++k) {
    const PictureItem* dead = app->TABLE.deadcardsimage[k - 1];
    ASSERT_TRUE(dead->isVisible()) << k;
    EXPECT_EQ(shown(dead), 20 + k);
    EXPECT_GT(dead->alpha(), 0.2) << "dimmed, not hidden";
    EXPECT_LT(dead->alpha(), 0.5) << "dimmer than a dealt card";
    const QRectF box = dead->sceneBoundingRect();
    EXPECT_LT(box.width(), boardCard.width());
    EXPECT_TRUE(visible.contains(box)) << k;
    EXPECT_GT(box.left(), lastLeft) << "in order from left to right";
    lastLeft = box.right();
    for (const QGraphicsItem* item : others) {
      EXPECT_FALSE(box.intersects(item->sceneBoundingRect())) << "dead card " << k << " covers another item";
    }
  }

  // A shorter row is centred, and the pictures past it are hidden.
  app->TABLE.deadcards = {21, 22, 23};
  DisplayDeadCards(*app);
  const double left = app->TABLE.deadcardsimage[0]->sceneBoundingRect().left();
  const double right = app->TABLE.deadcardsimage[2]->sceneBoundingRect().right();
  EXPECT_NEAR(left + right, 0.0, 1e-6);
  for (int k = 4; k <= kMaxDeadCards; ++k) EXPECT_FALSE(app->TABLE.deadcardsimage[k - 1]->isVisible()) << k;
  app->TABLE.deadcards.clear();
  DisplayDeadCards(*app);
  EXPECT_FALSE(app->TABLE.deadcardsimage[0]->isVisible());
}

TEST_F(CardDisplay, RangeCaptionsOfTenSeatsStayOnTheTableClearOfEveryOtherCaptionAndOfShownCards) {
  const QRectF visible = visibleTable();
  const std::string wide = "22+, A2s+, K9s+, QTs+, JTs, T9s, 98s, AJo+, KQo";
  for (int p = 1; p <= kSeats; ++p) app->player(p).Range = wide;
  showTenSeatsWithWidestCaptions();
  app->TABLE.deadcards = {41, 42, 43, 44, 45, 46, 47, 48, 49, 50};
  DisplayDeadCards(*app);
  for (int p = 1; p <= kSeats; ++p) {
    const auto& P = app->player(p);
    ASSERT_TRUE(P.rangetext->isVisible() && P.rangetextrectangle->isVisible()) << p;
    EXPECT_TRUE(P.rangetext->text().endsWith(QChar(0x2026))) << P.rangetext->text().toStdString();
    EXPECT_TRUE(wide.starts_with(P.rangetext->text().chopped(1).toStdString()));
    EXPECT_EQ(P.rangetext->toolTip().toStdString(), wide);
    const QRectF plate = P.rangetextrectangle->sceneBoundingRect();
    EXPECT_TRUE(plate.contains(P.rangetext->sceneBoundingRect())) << p;
    EXPECT_TRUE(visible.contains(plate)) << "seat " << p;
    EXPECT_LT(P.rangetext->zValue(), P.playernrtexthandle->zValue());
    for (const PictureItem* dead : app->TABLE.deadcardsimage) {
      EXPECT_FALSE(plate.intersects(dead->sceneBoundingRect())) << "range " << p << " meets a dead card";
    }
    for (int q = 1; q <= kSeats; ++q) {
      const auto& Q = app->player(q);
      EXPECT_FALSE(plate.intersects(Q.handtextrectangle->sceneBoundingRect())) << "range " << p << " meets caption " << q;
      EXPECT_FALSE(plate.intersects(Q.playernrtexthandle->sceneBoundingRect())) << "range " << p << " meets number " << q;
      // The dealt hand shows whole, its own cards too.
      for (const PictureItem* card : Q.cardimage) {
        EXPECT_FALSE(plate.intersects(card->sceneBoundingRect())) << "range " << p << " meets the cards of " << q;
      }
      if (q == p) continue;
      EXPECT_FALSE(plate.intersects(Q.rangetextrectangle->sceneBoundingRect())) << "range " << p << " meets range " << q;
    }
  }

  // The table cleared, the cards show their backs: the caption lies across them, under the number.
  run("CBClearTable");
  for (int p = 1; p <= kSeats; ++p) {
    const auto& P = app->player(p);
    const QRectF plate = P.rangetextrectangle->sceneBoundingRect();
    EXPECT_TRUE(visible.contains(plate)) << "seat " << p;
    EXPECT_TRUE(plate.intersects(P.cardimage[0]->sceneBoundingRect())) << p;
    EXPECT_GT(plate.top(), P.playernrtexthandle->sceneBoundingRect().bottom()) << p;
  }

  // A short range shows whole, centred across the cards.
  app->player(3).Range = "QQ+, AKs";
  app->player(3).Cards.clear();
  DisplayPlayerCards(*app, std::vector<int>{3});
  EXPECT_EQ(app->player(3).rangetext->text(), "QQ+, AKs");
  const double middle = (table_layout::HoleCardBox(*app, 3, 1).left + table_layout::HoleCardBox(*app, 3, 2).right) / 2;
  EXPECT_NEAR(geo::ToData(app->player(3).rangetext->anchor()).x(), middle, 1e-9);

  // Only an active seat dealt at random shows its range.
  app->simulateplayers(3) = 0;
  app->activeplayers(4) = 0;
  app->player(5).Range.clear();
  DisplayPlayerCards(*app, std::vector<int>{3, 4, 5});
  for (int p : {3, 4, 5}) {
    EXPECT_FALSE(app->player(p).rangetext->isVisible()) << p;
    EXPECT_FALSE(app->player(p).rangetextrectangle->isVisible()) << p;
  }
}

TEST_F(CardDisplay, SeatWithoutAHandShowsNoCaption) {
  app->player(1).hand = 0;
  app->player(2).hand = 42;
  app->player(1).handtext->show();
  DisplayHands(*app);
  for (int seat : {1, 2}) {
    EXPECT_FALSE(app->player(seat).handtext->isVisible()) << seat;
    EXPECT_FALSE(app->player(seat).handtextrectangle->isVisible()) << seat;
  }
}

TEST_F(CardDisplay, ClearTableReturnsToTheRestingLook) {
  // After a shown hand: seat 1 fixed, seat 2 dealt, seat 3 inactive with a stale caption,
  // a fixed flop, a dealt turn and river, every caption up.
  const int a = card("Ah"), k = card("Kh");
  app->player(1).Cards = {a, k};
  app->simulateplayers(1) = 0;
  app->player(2).Cards = {card("9c"), card("9d")};
  app->TABLE.boardcards = {card("Qh"), card("Jh"), card("4s"), card("9s"), card("2h")};
  app->SETUP.SimulateFlop = 0;
  app->player(1).hand = 6;
  app->player(2).hand = 4;
  app->TABLE.winner = {1};
  DisplayPlayerCards(*app);
  DisplayBoardCards(*app);
  DisplayHands(*app);
  app->player(3).handtext->show();
  app->player(3).handtextrectangle->show();

  run("CBClearTable");
  expectSeat(1, a, k, 1.0);
  expectSeat(2, 0, 0, 1.0);
  for (PictureItem* picture : app->player(3).cardimage) {
    EXPECT_FALSE(picture->isVisible());
    EXPECT_EQ(picture->alpha(), 1.0);
  }
  for (int seat = 1; seat <= 10; ++seat) {
    EXPECT_FALSE(app->player(seat).handtext->isVisible()) << seat;
    EXPECT_FALSE(app->player(seat).handtextrectangle->isVisible()) << seat;
  }
  EXPECT_EQ(app->player(1).handtext->text(), "Flush");
  expectBoard(1, card("Qh"), 1.0);
  expectBoard(3, card("4s"), 1.0);
  EXPECT_FALSE(boardVisible(4));
  EXPECT_FALSE(boardVisible(5)) << "the river is always hidden";
  EXPECT_EQ(app->TABLE.boardcardsimage[4]->alpha(), 1.0);
  EXPECT_EQ(shown(app->TABLE.boardcardsimage[3]), 0) << "a simulated turn goes back to the card back";

  // A fixed turn stays; a simulated flop is hidden.
  app->SETUP.SimulateFlop = 1;
  app->SETUP.SimulateTurn = 0;
  run("CBClearTable");
  for (int position : {1, 2, 3, 5}) EXPECT_FALSE(boardVisible(position)) << position;
  expectBoard(4, card("9s"), 1.0);
  // The records are left alone.
  EXPECT_EQ(app->TABLE.boardcards.size(), 5u);
  EXPECT_EQ(app->player(2).Cards.size(), 2u);
}

TEST_F(CardDisplay, ClearTableTakesNoArguments) {
  EXPECT_FALSE(app->run("CBClearTable(1)"));
  EXPECT_EQ(app->commands.lastError(), TooManyInputsError("CBClearTable", 0));
}

}  // namespace
}  // namespace zuv
