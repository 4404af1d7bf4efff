#include <gtest/gtest.h>

#include <cmath>
#include <qcustomplot.h>

#include "run/run_test_support.h"
#include "run/win_rate_chart.h"

namespace zuv {
namespace {

using testing::AppTest;

TEST(PlaceRateLabel, AboveTheBarBelowSixtyThreePercentInsideFromThere) {
  const RateLabelPlace half = PlaceRateLabel(0.5);
  EXPECT_FALSE(half.insideBar);
  EXPECT_DOUBLE_EQ(half.backdropBottom, 0.52);
  EXPECT_DOUBLE_EQ(half.backdropTop, 0.98);
  EXPECT_DOUBLE_EQ(half.textY, 0.57);
  EXPECT_FALSE(PlaceRateLabel(0.6299).insideBar);
  EXPECT_TRUE(PlaceRateLabel(0.63).insideBar);
  EXPECT_NEAR(PlaceRateLabel(0.63).textY, 0.21, 1e-12);
  EXPECT_TRUE(PlaceRateLabel(1.0).insideBar);
  EXPECT_NEAR(PlaceRateLabel(1.0).textY, 0.58, 1e-12);
  EXPECT_FALSE(PlaceRateLabel(0.0).insideBar);
  EXPECT_DOUBLE_EQ(PlaceRateLabel(0.0).textY, 0.07);
}

struct Label {
  QString text;
  double x, y;
  QColor colour;
  QBrush backing;
};

std::vector<Label> RateLabels(QCustomPlot* chart) {
  std::vector<Label> labels;
  for (int i = 0; i < chart->itemCount(); ++i) {
    auto* text = qobject_cast<QCPItemText*>(chart->item(i));
    if (!text || text->rotation() == 0) continue;
    EXPECT_EQ(text->rotation(), -90);
    EXPECT_EQ(text->positionAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(text->font().pointSizeF(), 8);
    labels.push_back(
        {text->text(), text->position->coords().x(), text->position->coords().y(), text->color(), text->brush()});
  }
  return labels;
}

std::vector<QRectF> Backdrops(QCustomPlot* chart) {
  std::vector<QRectF> rects;
  for (int i = 0; i < chart->itemCount(); ++i) {
    if (auto* rect = qobject_cast<QCPItemRect*>(chart->item(i))) {
      rects.push_back(QRectF(rect->topLeft->coords(), rect->bottomRight->coords()).normalized());
    }
  }
  return rects;
}

class ChartTest : public AppTest {
 protected:
  QCustomPlot* chart() { return app->FIGURE.histogramaxes; }
  void draw(std::vector<double> winRecord, long long hands) {
    app->SIM.WinRecord = std::move(winRecord);
    app->SIM.WinRecord.resize(10);
    plothistogram(*app, hands);
  }
};

TEST_F(ChartTest, BarsAxesAndTitle) {
  draw({400, 600}, 1000);
  EXPECT_TRUE(chart()->isVisible());
  ASSERT_EQ(chart()->plottableCount(), 1);
  auto* bars = qobject_cast<QCPBars*>(chart()->plottable(0));
  ASSERT_NE(bars, nullptr);
  EXPECT_DOUBLE_EQ(bars->width(), 0.8);
  EXPECT_EQ(bars->brush().color(), app->TABLE.lightyellow.toQColor());
  ASSERT_EQ(bars->data()->size(), 10);
  EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 0.4);
  EXPECT_DOUBLE_EQ(bars->data()->at(1)->value, 0.6);
  for (int p = 1; p <= 10; ++p) EXPECT_DOUBLE_EQ(bars->data()->at(p - 1)->key, p);

  QCPAxis* y = chart()->yAxis;
  EXPECT_EQ(y->range(), QCPRange(0, 1));
  EXPECT_EQ(chart()->xAxis->range(), QCPRange(0.5, 10.5));
  auto yTicks = y->ticker().dynamicCast<QCPAxisTickerText>();
  ASSERT_TRUE(yTicks);
  EXPECT_EQ(yTicks->ticks().keys(), (QList<double>{0, 0.25, 0.5, 0.75, 1}));
  EXPECT_EQ(yTicks->ticks().values(), (QStringList{"  0%", " 25%", " 50%", " 75%", "100%"}));
  auto xTicks = chart()->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
  ASSERT_TRUE(xTicks);
  EXPECT_EQ(xTicks->ticks().size(), 10);
  EXPECT_EQ(xTicks->ticks().value(10), "10");
  EXPECT_TRUE(y->grid()->visible());
  EXPECT_EQ(chart()->xAxis->label(), "Player");
  EXPECT_EQ(y->tickLabelColor(), app->TABLE.lightyellow.toQColor());

  bool title = false;
  for (int i = 0; i < chart()->itemCount(); ++i) {
    if (auto* text = qobject_cast<QCPItemText*>(chart()->item(i)); text && text->text() == "Simulated win rate") {
      title = true;
      EXPECT_EQ(text->color(), app->TABLE.lightyellow.toQColor());
    }
  }
  EXPECT_TRUE(title);

  // A later call updates what the first built: one bar series, one set of labels.
  const int items = chart()->itemCount();
  draw({400, 600}, 1000);
  EXPECT_EQ(chart()->plottableCount(), 1);
  EXPECT_EQ(chart()->itemCount(), items);
  draw({500, 500}, 1000);
  EXPECT_EQ(chart()->plottable(0), bars);
  EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 0.5);
  EXPECT_EQ(RateLabels(chart())[0].text, "50.0%");
}

TEST_F(ChartTest, LabelsAboveOnABackdropOrInsideTheBar) {
  for (int p : {3, 7}) testing::ActivateSeat(*app, p);
  draw({500, 6299, 3201, 0, 0, 0, 0}, 10000);
  const auto labels = RateLabels(chart());
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[0].text, "5.0%");
  EXPECT_EQ(labels[1].text, "63.0%");
  EXPECT_EQ(labels[2].text, "32.0%");
  EXPECT_EQ(labels[3].text, "0.0%");
  const QColor ink = app->TABLE.lightyellow.toQColor();
  const QColor felt = app->TABLE.backgroundcolor.toQColor();
  EXPECT_DOUBLE_EQ(labels[0].x, 1);
  EXPECT_NEAR(labels[0].y, 0.12, 1e-12);
  EXPECT_EQ(labels[0].colour, ink);
  // 0.6299 stays above.
  EXPECT_DOUBLE_EQ(labels[1].x, 2);
  EXPECT_NEAR(labels[1].y, 0.6999, 1e-12);
  EXPECT_EQ(labels[1].colour, ink);
  EXPECT_DOUBLE_EQ(labels[3].x, 7);
  // Three backdrops, one behind every label above its bar.
  const auto backdrops = Backdrops(chart());
  ASSERT_EQ(backdrops.size(), 4u);
  EXPECT_NEAR(backdrops[0].left(), 0.65, 1e-12);
  EXPECT_NEAR(backdrops[0].right(), 1.35, 1e-12);
  EXPECT_NEAR(backdrops[0].top(), 0.07, 1e-12);
  EXPECT_NEAR(backdrops[0].bottom(), 0.53, 1e-12);

  draw({6300, 3700}, 10000);
  const auto tall = RateLabels(chart());
  ASSERT_EQ(tall.size(), 4u);
  EXPECT_EQ(tall[0].text, "63.0%");
  EXPECT_NEAR(tall[0].y, 0.21, 1e-12);
  EXPECT_EQ(tall[0].colour, felt);
  // Backed in the bar's colour, so text wider than the bar stays readable on the felt.
  EXPECT_EQ(tall[0].backing.style(), Qt::SolidPattern);
  EXPECT_EQ(tall[0].backing.color(), ink);
  EXPECT_EQ(tall[1].backing.style(), Qt::NoBrush);
  EXPECT_EQ(Backdrops(chart()).size(), 3u);
}

TEST_F(ChartTest, ARateOfOneIsLabelledInsideFromFiftyEightPercent) {
  draw({1000, 0}, 1000);
  const auto labels = RateLabels(chart());
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "100.0%");
  EXPECT_NEAR(labels[0].y, 0.58, 1e-12);
  EXPECT_EQ(labels[0].colour, app->TABLE.backgroundcolor.toQColor());
  EXPECT_EQ(labels[1].text, "0.0%");
}

TEST_F(ChartTest, InactiveSeatsHaveNoLabelAndNoBar) {
  app->activeplayers(2) = 0;
  testing::ActivateSeat(*app, 9);
  draw({700, 0, 0, 0, 0, 0, 0, 0, 300}, 1000);
  const auto labels = RateLabels(chart());
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_DOUBLE_EQ(labels[0].x, 1);
  EXPECT_DOUBLE_EQ(labels[1].x, 9);
  auto* bars = qobject_cast<QCPBars*>(chart()->plottable(0));
  EXPECT_EQ(bars->data()->at(1)->value, 0.0);
}

TEST_F(ChartTest, ZeroHandsDrawZerosNotNaN) {
  draw({}, 0);
  auto* bars = qobject_cast<QCPBars*>(chart()->plottable(0));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(bars->data()->at(i)->value, 0.0);
  for (const Label& label : RateLabels(chart())) EXPECT_EQ(label.text, "0.0%");
}

TEST_F(ChartTest, NothingIsDrawnWhileTheProgramCloses) {
  app->FIGURE.terminateprogram = 1;
  draw({500, 500}, 1000);
  EXPECT_EQ(chart()->plottableCount(), 0);
  EXPECT_EQ(chart()->itemCount(), 0);
  EXPECT_TRUE(chart()->isHidden());
}

}  // namespace
}  // namespace zuv
