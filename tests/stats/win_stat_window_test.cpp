#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <qcustomplot.h>
#include <set>

#include "platform/callback.h"
#include "platform/event_loop.h"
#include "stats/movable_frame.h"
#include "stats/text_legend_item.h"
#include "win_stat_test.h"

namespace zuv {
namespace {

class WinStatWindowTest : public testing::WinStatTest {
 protected:
  void table(int seats) {
    app->TABLE.activeplayers.fill(0);
    app->TABLE.simulateplayers.fill(0);
    for (int p = 1; p <= seats; ++p) app->activeplayers(p) = app->simulateplayers(p) = 1;
    app->SIM.WinStat2Players = seats;
    app->SIM.WinStat2.assign(90 * seats, 0.0);
  }
  static QStringList legendRows(QCustomPlot* plot) {
    QStringList rows;
    for (int i = 0; i < plot->legend->itemCount(); ++i) {
      if (auto* item = qobject_cast<QCPPlottableLegendItem*>(plot->legend->item(i))) {
        rows << item->plottable()->name();
      } else if (auto* text = qobject_cast<TextLegendItem*>(plot->legend->item(i))) {
        rows << text->text();
      }
    }
    return rows;
  }
  static std::vector<QCPItemText*> texts(QCustomPlot* plot) {
    std::vector<QCPItemText*> items;
    for (int i = 0; i < plot->itemCount(); ++i) {
      if (auto* text = qobject_cast<QCPItemText*>(plot->item(i))) items.push_back(text);
    }
    return items;
  }
  static void expectPercentTicks(QCustomPlot* plot) {
    plot->replot();
    const QVector<QString> labels = plot->yAxis->tickVectorLabels();
    ASSERT_FALSE(labels.isEmpty());
    for (const QString& label : labels) EXPECT_TRUE(label.endsWith("%")) << label.toStdString();
  }
};

TEST_F(WinStatWindowTest, WindowBarsAndHandles) {
  table(3);
  pot(2, {1}, 40);
  pot(3, {2}, 30);
  pot(1, {1, 3}, 20);
  pot(5, {1, 2, 3}, 10);
  WinStatWindow* window = open();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Zuv Poker Simulator - Winning hands statistics");
  EXPECT_EQ(window->palette().color(QPalette::Window), app->TABLE.backgroundcolor.toQColor());

  auto* box = qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kSplitHandsBox]);
  ASSERT_EQ(box, window->checkBox());
  EXPECT_EQ(box->text(), "Show splitted hands");
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(box->toolTip(), "click and drag close to this text to move it");
  EXPECT_EQ(Callback(box), "CBShowSplittedHands;");
  EXPECT_EQ(box->palette().color(QPalette::WindowText), app->TABLE.lightyellow.toQColor());

  ASSERT_EQ(window->winBars().size(), 3u);
  EXPECT_EQ(app->SPLITBARHANDLES, window->splitBars());
  std::set<QRgb> colours;
  for (QCPBars* bars : window->winBars()) colours.insert(bars->brush().color().rgb());
  EXPECT_EQ(colours.size(), 3u);
  for (QCPBars* bars : window->splitBars()) {
    EXPECT_EQ(bars->brush().color(), app->TABLE.lightyellow.toQColor());
    EXPECT_TRUE(bars->visible());
  }
  // Seat 1 won 40 of 100 hands alone with a pair, and shared 20 + 10 pots.
  EXPECT_DOUBLE_EQ(window->winBars()[0]->data()->at(1)->value, 40);
  EXPECT_DOUBLE_EQ(window->splitBars()[0]->data()->at(0)->value, 20);
  EXPECT_DOUBLE_EQ(window->splitBars()[1]->data()->at(4)->value, 10);
  // The split bar of a seat stands where its win bar stands.
  for (int j = 0; j < 3; ++j) {
    QCPBars* win = window->winBars()[j];
    QCPBars* split = window->splitBars()[j];
    ASSERT_NE(win->barsGroup(), split->barsGroup());
    EXPECT_EQ(win->barsGroup()->bars().indexOf(win), j);
    EXPECT_EQ(split->barsGroup()->bars().indexOf(split), j);
    EXPECT_EQ(win->barsGroup()->size(), split->barsGroup()->size());
    EXPECT_EQ(win->barsGroup()->spacing(), split->barsGroup()->spacing());
    EXPECT_EQ(win->width(), split->width());
    EXPECT_EQ(win->data()->at(2)->key, split->data()->at(2)->key);
  }

  QCustomPlot* plot = window->plot();
  EXPECT_EQ(plot->yAxis->label(), "Percentage of 100 simulated hands");
  EXPECT_FALSE(plot->xAxis->ticks());
  EXPECT_EQ(plot->xAxis->range(), QCPRange(0, 10));
  expectPercentTicks(plot);
  EXPECT_EQ(legendRows(plot), (QStringList{"Player 1 ( - - ): 40.0% (+30.0% split)",
                                           "Player 2 ( - - ): 30.0% (+10.0% split)",
                                           "Player 3 ( - - ): 0.0% (+30.0% split)", "Flop: Simulated",
                                           "Turn: Simulated"}));
  EXPECT_EQ(plot->legend->textColor(), app->TABLE.lightyellow.toQColor());

  std::map<QString, QPointF> at;
  for (QCPItemText* text : texts(plot)) {
    EXPECT_EQ(text->color(), app->TABLE.lightyellow.toQColor());
    at[text->text()] = text->position->coords();
  }
  ASSERT_TRUE(at.count("DISTRIBUTION OF WINNING HANDS"));
  EXPECT_EQ(at["DISTRIBUTION OF WINNING HANDS"], QPointF(0.5, -0.05));
  // "Four of a kind" stacks in three rows under group 8 (ratios run downwards).
  EXPECT_NEAR(at["Four"].x(), 0.8, 1e-12);
  EXPECT_NEAR(at["Four"].y(), 1.03, 1e-12);
  EXPECT_NEAR(at["of a"].y(), 1.06, 1e-12);
  EXPECT_NEAR(at["kind"].y(), 1.09, 1e-12);
  EXPECT_NEAR(at["Pair"].x(), 0.2, 1e-12);
  EXPECT_NEAR(at["flush"].x(), 0.9, 1e-12);
  EXPECT_NEAR(at["flush"].y(), 1.06, 1e-12);
  EXPECT_EQ(texts(plot).size(), 1u + 15u + 1u);  // and the caption of where the numbers come from
}

TEST_F(WinStatWindowTest, TheCheckBoxFlipsTheSplitBarsAndKeepsThePercentSigns) {
  table(2);
  pot(1, {1, 2}, 80);
  pot(2, {1}, 20);
  WinStatWindow* window = open();
  const QCPRange withSplits = window->plot()->yAxis->range();
  EXPECT_GE(withSplits.upper, 80);

  window->checkBox()->click();
  for (QCPBars* bars : window->splitBars()) EXPECT_FALSE(bars->visible());
  EXPECT_FALSE(window->checkBox()->isChecked());
  EXPECT_LT(window->plot()->yAxis->range().upper, 80);
  expectPercentTicks(window->plot());

  run("CBShowSplittedHands;");
  for (QCPBars* bars : window->splitBars()) EXPECT_TRUE(bars->visible());
  EXPECT_TRUE(window->checkBox()->isChecked());  // the text flips the box with the bars
  EXPECT_EQ(window->plot()->yAxis->range(), withSplits);
  expectPercentTicks(window->plot());

  run("CBShowSplittedHands;");
  EXPECT_FALSE(window->splitBars()[0]->visible());
  EXPECT_FALSE(window->checkBox()->isChecked());
  window->checkBox()->click();
  EXPECT_TRUE(window->splitBars()[0]->visible());
  EXPECT_TRUE(window->checkBox()->isChecked());
}

TEST_F(WinStatWindowTest, AnOlderWindowsCheckBoxFlipsItsOwnBars) {
  table(2);
  pot(3, {1}, 10);
  WinStatWindow* older = open();
  WinStatWindow* newer = open();
  ASSERT_NE(older, newer);
  EXPECT_EQ(app->SPLITBARHANDLES, newer->splitBars());

  older->checkBox()->click();
  EXPECT_FALSE(older->splitBars()[0]->visible());
  EXPECT_TRUE(newer->splitBars()[0]->visible());
}

TEST_F(WinStatWindowTest, ClosingTheNewestWindowLeavesNoStaleHandles) {
  table(2);
  pot(3, {1}, 10);
  WinStatWindow* older = open();
  QPointer<WinStatWindow> newer = open();
  newer->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(newer.isNull());
  EXPECT_EQ(app->UICONTROLS.handle[kSplitHandsBox], nullptr);
  EXPECT_TRUE(app->SPLITBARHANDLES.empty());
  EXPECT_EQ(app->FIGURE.WinStatFigHandle, nullptr);
  run("CBShowSplittedHands;");
  EXPECT_TRUE(older->splitBars()[0]->visible());
}

// Where a text item of the plot is drawn, in the window's pixels.
QRectF DrawnRect(QCPItemText* text) {
  const QPointF a = text->topLeft->pixelPosition(), b = text->bottomRight->pixelPosition();
  return QRectF(a, b).normalized();
}

TEST_F(WinStatWindowTest, AtEverySizeTheUserCanChooseNothingOverlapsWithTenSeats) {
  table(10);
  for (int p = 1; p <= 10; ++p) pot(1 + (p % 9), {p}, 10 + p);
  pot(2, {1, 2}, 30);
  WinStatWindow* window = open();
  QCustomPlot* plot = window->plot();
  for (const QSize asked : {QSize(420, 300), QSize(200, 150), QSize(760, 520), QSize(1200, 400), QSize(500, 900)}) {
    window->resize(asked);
    QCoreApplication::processEvents();
    const QSize size = window->size();
    SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
    EXPECT_GE(size.width(), std::min(asked.width(), window->minimumWidth()));
    const QRect legend = plot->legend->outerRect();
    const QRect box = window->checkBoxFrame()->geometry();
    EXPECT_FALSE(legend.intersects(box)) << "check box on the legend";
    EXPECT_TRUE(window->rect().contains(legend));
    EXPECT_TRUE(window->rect().contains(box));
    // The names of neighbouring classes stand apart, all inside the window.
    std::vector<std::pair<double, QRectF>> names;  // class place, drawn text
    for (QCPItemText* text : texts(plot)) {
      const QRectF drawn = DrawnRect(text);
      EXPECT_TRUE(QRectF(window->rect()).contains(drawn)) << text->text().toStdString();
      if (text->position->coords().y() > 1) names.push_back({text->position->coords().x(), drawn});
    }
    for (const auto& [place, drawn] : names) {
      for (const auto& [otherPlace, otherDrawn] : names) {
        if (place < otherPlace) {
          EXPECT_LT(drawn.right(), otherDrawn.left()) << place << " " << otherPlace;
        }
      }
    }
    // The y axis title is in view.
    const int titleRoom = plot->axisRect()->left() - plot->yAxis->offset() - plot->yAxis->tickLabelPadding();
    EXPECT_GT(titleRoom, QFontMetrics(plot->yAxis->labelFont()).height() * 2) << "room for tick labels and title";
    // No bar top hides under the legend or the check box.
    for (QCPBars* bars : window->winBars()) {
      for (int i = 0; i < bars->dataCount(); ++i) {
        if (bars->data()->at(i)->value <= 0) continue;
        const QPointF top = bars->dataPixelPosition(i);
        for (const QRect& cover : {legend, box}) EXPECT_FALSE(QRectF(cover).contains(top)) << i;
      }
    }
  }
}

TEST_F(WinStatWindowTest, TheAxisStopsAtAHundredPercentAndTheLegendMakesWay) {
  // Trips on a fixed flop at ten seats: nearly every pot is a full house that all share.
  table(10);
  pot(7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 95);
  pot(4, {3}, 5);
  WinStatWindow* window = open();
  QCustomPlot* plot = window->plot();
  for (const QSize size : {WinStatWindow::kDefaultSize, WinStatWindow::kMinimumSize, QSize(1200, 700)}) {
    window->resize(size);
    QCoreApplication::processEvents();
    SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
    EXPECT_LE(plot->yAxis->range().upper, 100);
    const QRect legend = plot->legend->outerRect();
    EXPECT_FALSE(legend.intersects(window->checkBoxFrame()->geometry()));
    EXPECT_TRUE(plot->axisRect()->rect().contains(legend));
    for (QCPBars* bars : window->splitBars()) {
      for (int i = 0; i < bars->dataCount(); ++i) {
        if (bars->data()->at(i)->value <= 0) continue;
        EXPECT_FALSE(QRectF(legend).contains(bars->dataPixelPosition(i))) << i;
      }
    }
  }
}

TEST_F(WinStatWindowTest, ZeroHandsShowNoBarsAndZeroRows) {
  table(2);
  WinStatWindow* window = open();
  EXPECT_EQ(window->plot()->yAxis->label(), "Percentage of 0 simulated hands");
  for (QCPBars* bars : window->winBars()) EXPECT_TRUE(bars->data()->isEmpty());
  EXPECT_EQ(legendRows(window->plot())[1], "Player 2 ( - - ): 0.0% (+0.0% split)");
  EXPECT_FALSE(std::isnan(window->plot()->yAxis->range().upper));
  expectPercentTicks(window->plot());
}

TEST_F(WinStatWindowTest, TheCheckBoxCanBeDraggedByItsFrame) {
  table(2);
  WinStatWindow* window = open();
  MovableFrame* frame = window->checkBoxFrame();
  const QPoint start = frame->pos();
  QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QTest::mouseMove(frame, QPoint(2 + 150, 2 + 200));
  QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, QPoint(2 + 150, 2 + 200));
  EXPECT_EQ(frame->pos(), start + QPoint(150, 200));
  EXPECT_EQ(window->checkBox()->parentWidget(), frame);

  // Dragging far out stops at the window's edge.
  QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QTest::mouseMove(frame, QPoint(5000, 5000));
  QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, QPoint(5000, 5000));
  EXPECT_LE(frame->geometry().right(), window->width() + MovableFrame::kBorder);
  EXPECT_LE(frame->geometry().bottom(), window->height() + MovableFrame::kBorder);

  // The place is kept in fractions of the window.
  const QRectF place = frame->place();
  window->resize(window->width() * 2, window->height());
  EXPECT_EQ(frame->place(), place);
  EXPECT_NEAR(frame->x() + MovableFrame::kBorder, place.left() * window->width(), 1.0);

  window->checkBox()->click();
  EXPECT_FALSE(window->splitBars()[0]->visible());
}

}  // namespace
}  // namespace zuv
