#include <gtest/gtest.h>

#include <QGraphicsView>
#include <cmath>
#include <numbers>

#include "state/main_window.h"
#include "support/app_fixture.h"
#include "table/table_drawing.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"
#include "table/table_picture.h"
#include "table_test_support.h"

namespace zuv {
namespace {

namespace geo = table_geometry;
namespace lay = table_layout;
using testing::DataCentre;
using testing::DataCorners;

constexpr double kFigure = 1e-4;  // the geometry figures are given to four decimals

class TableLayout : public testing::AppTest {
 protected:
  geo::DataBox card(int seat, int j) { return geo::DataBoxOf(*app->player(seat).cardimage[j - 1]); }
  QPointF captionBoxCentre(int seat) { return DataCentre(*app->player(seat).handtextrectangle); }
  QPointF captionAnchor(int seat) { return geo::ToData(app->player(seat).handtext->anchor()); }
};

TEST_F(TableLayout, PlotAreaShowsTheDataRangeWithEqualScaling) {
  QGraphicsView* view = app->TABLE.axes;
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->geometry(), QRect(0, 25, 450, 450));
  EXPECT_EQ(view->parentWidget(), app->FIGURE.mainfigurehandle->canvas());
  // x fills the width exactly; y gets the same scale and shows a little more than its range.
  EXPECT_NEAR(geo::ToScene(geo::kXLimit, 0).x(), 225, 1e-9);
  EXPECT_NEAR(geo::ToScene(-geo::kXLimit, 0).x(), -225, 1e-9);
  EXPECT_NEAR(geo::ToScene(0, 1).y(), -geo::Scale(), 1e-12);  // y points up
  EXPECT_LT(geo::ToScene(0, geo::kYLimit).y(), 0);
  EXPECT_GT(geo::ToScene(0, geo::kYLimit).y(), -225);
  EXPECT_EQ(view->mapFromScene(geo::ToScene(0, 0)), QPoint(225, 225));
  const QPointF back = geo::ToData(geo::ToScene(0.3, -0.7));
  EXPECT_NEAR(back.x(), 0.3, 1e-12);
  EXPECT_NEAR(back.y(), -0.7, 1e-12);
}

TEST_F(TableLayout, SeatOneOvalCardsAndCaption) {
  const QPointF oval = DataCentre(*app->player(1).patchhandle);
  EXPECT_NEAR(oval.x(), 0.4121, kFigure);
  EXPECT_NEAR(oval.y(), 0.5610, kFigure);
  // Seat 1 plays: its number stands above its cards' corner nearer the middle.
  const geo::DataBox left = card(1, 1), right = card(1, 2);
  const QPointF number = geo::ToData(app->player(1).playernrtexthandle->anchor());
  EXPECT_NEAR(number.x(), left.left, 1e-9);
  EXPECT_NEAR(number.y(), std::max(left.top, right.top) + 0.005, 1e-9);
  // Seat 3 does not: its number is in its oval.
  EXPECT_NEAR(geo::ToData(app->player(3).playernrtexthandle->anchor()).x(), table_layout::SeatCentre(*app, 3).x(), 1e-9);

  const geo::DataBox first = card(1, 1);
  EXPECT_NEAR(first.left, 0.3276, kFigure);
  EXPECT_NEAR(first.right, 0.5443, kFigure);
  EXPECT_NEAR(first.bottom, 0.6148, kFigure);
  EXPECT_NEAR(first.top, 0.9181, kFigure);
  const geo::DataBox second = card(1, 2);
  EXPECT_NEAR(second.left, 0.3999, kFigure);
  EXPECT_NEAR(second.right, 0.6165, kFigure);
  EXPECT_NEAR(second.bottom, 0.6047, kFigure);
  EXPECT_NEAR(second.top, 0.9080, kFigure);

  for (const QPointF caption : {captionBoxCentre(1), captionAnchor(1)}) {
    EXPECT_NEAR(caption.x(), 0.4760, kFigure);
    EXPECT_NEAR(caption.y(), 0.5564, kFigure);
  }
  // The box as first drawn: 0.2 by 0.1, corners bottom left, bottom right, top right, top left.
  const auto corners = DataCorners(*app->player(1).handtextrectangle);
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_NEAR(corners[1].x() - corners[0].x(), 0.2, 1e-9);
  EXPECT_NEAR(corners[2].y() - corners[1].y(), 0.1, 1e-9);
  EXPECT_NEAR(corners[3].x(), corners[0].x(), 1e-9);
}

TEST_F(TableLayout, SeatTenMirrorsSeatOneWithoutShiftedCards) {
  const QPointF oval = DataCentre(*app->player(10).patchhandle);
  EXPECT_NEAR(oval.x(), -0.4121, kFigure);
  EXPECT_NEAR(oval.y(), 0.5610, kFigure);
  EXPECT_NEAR(lay::Xmove(*app, 10), 0.0, 0.0);
  const geo::DataBox first = card(10, 1);
  EXPECT_NEAR(first.left, -0.5443, kFigure);
  EXPECT_NEAR(first.right, -0.3276, kFigure);
  EXPECT_NEAR(first.bottom, 0.6148, kFigure);
  EXPECT_NEAR(first.top, 0.9181, kFigure);
  // Seat 10 starts inactive: its cards are in place but hidden.
  EXPECT_FALSE(app->player(10).cardimage[0]->isVisible());
}

TEST_F(TableLayout, LeftSeatsHaveTheirCardsAndCaptionMovedLeft) {
  EXPECT_NEAR(lay::Xmove(*app, 7), -0.0677, kFigure);
  for (int seat : {6, 7, 8, 9}) EXPECT_NEAR(lay::Xmove(*app, seat), -app->SETUP.CardSize[0] / 3.2, 1e-12) << seat;
  for (int seat : {1, 2, 3, 4, 5, 10}) EXPECT_EQ(lay::Xmove(*app, seat), 0.0) << seat;
  const geo::DataBox first = card(7, 1);
  EXPECT_NEAR(first.left, -0.8955, kFigure);
  EXPECT_NEAR(first.right, -0.6789, kFigure);
  for (const QPointF caption : {captionBoxCentre(7), captionAnchor(7)}) {
    EXPECT_NEAR(caption.x(), -0.7425, kFigure);
    EXPECT_NEAR(caption.y(), -0.7043, kFigure);
  }
}

TEST_F(TableLayout, EveryCardIsCardSizedAndCardTwoOverlapsCardOne) {
  const auto [w, h] = app->SETUP.CardSize;
  for (int seat = 1; seat <= 10; ++seat) {
    const geo::DataBox a = card(seat, 1);
    const geo::DataBox b = card(seat, 2);
    EXPECT_NEAR(a.width(), w, 1e-9);
    EXPECT_NEAR(a.height(), h, 1e-9);
    EXPECT_NEAR(b.left - a.left, w / 3, 1e-9) << seat;
    EXPECT_NEAR(a.top - b.top, h / 30, 1e-9) << seat;
    // Every card stays inside the visible plot area.
    EXPECT_GT(a.left, -geo::kXLimit);
    EXPECT_LT(b.right, geo::kXLimit);
    EXPECT_GT(b.bottom, -geo::kYLimit);
    EXPECT_LT(a.top, geo::kYLimit);
  }
}

TEST_F(TableLayout, BoardCardsInARowOnTheMiddleLine) {
  const double expected[] = {-0.4767, -0.2383, 0, 0.2383, 0.4767};
  for (int k = 1; k <= 5; ++k) {
    const geo::DataBox box = geo::DataBoxOf(*app->TABLE.boardcardsimage[k - 1]);
    EXPECT_NEAR(box.centre().x(), expected[k - 1], kFigure) << k;
    EXPECT_NEAR(box.centre().y(), 0, 1e-9) << k;
    EXPECT_NEAR(box.width(), app->SETUP.CardSize[0], 1e-9);
    EXPECT_NEAR(box.height(), app->SETUP.CardSize[1], 1e-9);
  }
}

TEST_F(TableLayout, DealerButtonSitsTowardsTheDealerAtItsDisplaySize) {
  const geo::DataBox button = geo::DataBoxOf(*app->TABLE.dealerbutton);
  EXPECT_NEAR(button.centre().x(), -0.3030, kFigure);
  EXPECT_NEAR(button.centre().y(), 0.3462, kFigure);
  // The 104-pixel picture is drawn at four times its display size of 26 pixels.
  EXPECT_NEAR(button.width(), 26.0 / 240 * 1.29, 1e-9);
  EXPECT_NEAR(button.height(), 26.0 / 240 * 1.29, 1e-9);
  EXPECT_TRUE(app->TABLE.dealerbutton->isVisible());
}

TEST_F(TableLayout, TableOvalAndRecordedRadii) {
  EXPECT_EQ(app->TABLE.tableradie, (std::array<double, 2>{0.8, 0.5}));
  EXPECT_EQ(app->TABLE.headradie, (std::array<double, 2>{0.14, 0.1}));
  const auto corners = DataCorners(*app->TABLE.patchhandle);
  ASSERT_EQ(corners.size(), 72u);
  const double v = std::numbers::pi / 180;
  EXPECT_NEAR(corners[0].x(), 0.68 * std::pow(std::cos(v), 0.8), 1e-9);
  EXPECT_NEAR(corners[0].y(), 0.425 * std::pow(std::sin(v), 0.8), 1e-9);
  // Seat ovals are plain ellipses (skew 1) of half-axes 0.14 by 0.1.
  const auto seat = DataCorners(*app->player(3).patchhandle);
  const QPointF centre = DataCentre(*app->player(3).patchhandle);
  ASSERT_EQ(seat.size(), 72u);
  EXPECT_NEAR(seat[0].x() - centre.x(), 0.14 * std::cos(v), 1e-9);
  EXPECT_NEAR(seat[0].y() - centre.y(), 0.1 * std::sin(v), 1e-9);
}

TEST(PatchCircle, SeventyTwoCornersFromOneDegree) {
  const auto points = lay::PatchCirclePoints(0.5, -0.25, 0.3, 0.3);
  ASSERT_EQ(points.size(), 72u);
  const double deg = std::numbers::pi / 180;
  EXPECT_NEAR(points.front().x(), 0.5 + 0.3 * std::cos(deg), 1e-12);
  EXPECT_NEAR(points.front().y(), -0.25 + 0.3 * std::sin(deg), 1e-12);
  EXPECT_GT(points.front().y(), -0.25);  // not at 0 degrees
  EXPECT_NEAR(points.back().x(), 0.5 + 0.3 * std::cos(356 * deg), 1e-12);
  EXPECT_NEAR(points.back().y(), -0.25 + 0.3 * std::sin(356 * deg), 1e-12);
  for (const QPointF& p : points) EXPECT_NEAR(std::hypot(p.x() - 0.5, p.y() + 0.25), 0.3, 1e-12);
}

TEST(PatchCircle, SkewSquaresTheOvalOff) {
  // At 46 degrees an ellipse point lies inside the squarer oval's point in both directions.
  const auto round = lay::PatchCirclePoints(0, 0, 1, 0.5, 1.0);
  const auto square = lay::PatchCirclePoints(0, 0, 1, 0.5, 0.8);
  EXPECT_GT(square[9].x(), round[9].x());
  EXPECT_GT(square[9].y(), round[9].y());
  // Signs follow the quadrant.
  EXPECT_LT(square[36].x(), 0);  // 181 degrees
  EXPECT_LT(square[36].y(), 0);
  EXPECT_NEAR(square[36].x(), -std::pow(std::cos(std::numbers::pi / 180), 0.8), 1e-12);
}

TEST_F(TableLayout, PatchCircleDrawsIntoTheTableAndRefusesNoRadius) {
  const std::size_t before = app->TABLE.axes->scene()->items().size();
  PolygonItem* circle = patchcircle(*app, 0.1, 0.2, {0.05}, RGB{1, 0, 0});
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(app->TABLE.axes->scene()->items().size(), before + 1);
  EXPECT_EQ(circle->brush().color(), QColor(Qt::red));
  EXPECT_EQ(circle->pen().color(), QColor(Qt::black));
  const auto corners = DataCorners(*circle);
  EXPECT_NEAR(corners[0].x(), 0.1 + 0.05 * std::cos(std::numbers::pi / 180), 1e-9);
  EXPECT_NEAR(corners[18].y(), 0.2 + 0.05 * std::sin(91 * std::numbers::pi / 180), 1e-9);
  EXPECT_EQ(patchcircle(*app, 0, 0, {}, RGB{}), nullptr);
  EXPECT_EQ(app->TABLE.axes->scene()->items().size(), before + 1);
}

}  // namespace
}  // namespace zuv
