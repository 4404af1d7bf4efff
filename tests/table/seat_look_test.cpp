#include <gtest/gtest.h>

#include <QAction>

#include "platform/graphics_items.h"
#include "support/app_fixture.h"
#include "table/card_display.h"
#include "table/seat_look.h"

namespace zuv {
namespace {

using SeatLook = testing::AppTest;

TEST_F(SeatLook, DimmedSeatIsGreyFaintAndSwitchedOff) {
  auto& P = app->player(2);
  P.hand = 2;
  DisplayHands(*app);
  ASSERT_TRUE(P.handtext->isVisible());

  DimDeactivatedPlayer(*app, 2);
  EXPECT_EQ(P.patchhandle->brush().color().rgb(), QColor::fromRgbF(0.6f, 0.6f, 0.6f).rgb());
  EXPECT_NEAR(P.patchhandle->brush().color().alphaF(), 0.2, 0.003) << "only the face fades";
  EXPECT_EQ(P.patchhandle->pen().color(), QColor(Qt::black));
  EXPECT_EQ(P.patchhandle->pen().color().alphaF(), 1.0);
  EXPECT_EQ(P.patchhandle->opacity(), 1.0);
  EXPECT_EQ(P.playernrtexthandle->color(), QColor(Qt::black));
  EXPECT_EQ(app->activeplayers(2), 0);
  EXPECT_EQ(app->simulateplayers(2), 0);
  EXPECT_EQ(P.cmitem1->text(), "Activate player");
  EXPECT_TRUE(P.cmitem1->isEnabled());
  EXPECT_FALSE(P.cmitem2->isEnabled());
  EXPECT_FALSE(P.cmitem3->isEnabled());
  EXPECT_FALSE(P.cmitem4->isEnabled());
  EXPECT_FALSE(P.handtext->isVisible());
  EXPECT_FALSE(P.handtextrectangle->isVisible());
  // The cards are the switching command's business.
  EXPECT_TRUE(P.cardimage[0]->isVisible());
  EXPECT_TRUE(P.cardimage[1]->isVisible());
}

TEST_F(SeatLook, SeatNumbersOutsideTheTableChangeNothing) {
  const auto before = app->TABLE.activeplayers;
  DimDeactivatedPlayer(*app, 0);
  DimDeactivatedPlayer(*app, 11);
  EXPECT_EQ(app->TABLE.activeplayers, before);
  EXPECT_EQ(app->player(1).cmitem1->text(), "Deactivate player");
}

}  // namespace
}  // namespace zuv
