#include "run/win_rate_chart.h"

#include <qcustomplot.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/event_loop.h"
#include "run/run.h"
#include "state/app.h"

namespace zuv {

namespace {

constexpr double kBarWidth = 0.8;
constexpr double kInsideFrom = 0.63;  // rates from here on are labelled inside the bar

QCPItemText* Text(QCustomPlot* plot, const QString& text, const QColor& colour, double pointSize) {
  auto* item = new QCPItemText(plot);
  item->setText(text);
  item->setColor(colour);
  QFont font = plot->font();
  font.setPointSizeF(pointSize);
  item->setFont(font);
  item->setPadding(QMargins());
  item->setPen(Qt::NoPen);
  return item;
}

void StyleAxis(QCPAxis* axis, const QColor& ink) {
  axis->setBasePen(QPen(ink, 0));
  axis->setTickPen(QPen(ink, 0));
  axis->setSubTicks(false);
  axis->setTickLabelColor(ink);
  axis->setLabelColor(ink);
  axis->setTickLengthIn(3);
  axis->setTickLengthOut(0);
}

}  // namespace

QString WinRateTitle(const App& app) {
  if (app.SIM.exact != 1) return "Simulated win rate";
  // A stopped enumeration has dealt only some of the deals, in order.
  return app.SIM.stopsim == 1 ? "Win rate (stopped, not exact)" : "Exact win rate";
}

RateLabelPlace PlaceRateLabel(double rate) {
  if (rate >= kInsideFrom) return {true, rate - 0.42, 0, 0};
  // A gap of a few pixels from the bar or the axis, whose line would
  // otherwise read as a minus sign before "0.0%".
  return {false, rate + 0.07, rate + 0.02, rate + 0.48};
}

namespace {

// Where the chart's parts are, in the order they were built.
struct ChartParts {
  QCPBars* bars = nullptr;
  QCPItemText* title = nullptr;
  std::vector<QCPItemText*> labels;     // one per active seat
  std::vector<QCPItemRect*> backdrops;  // one per label above its bar
};

// The active seats, and for each whether its label stands inside the bar.
// The chart's parts depend on nothing else: they are built for a layout and
// afterwards only updated while it holds.
QString Layout(const App& app, const std::array<RateLabelPlace, kSeats>& places) {
  QString layout;
  for (int p = 1; p <= kSeats; ++p) {
    const bool active = app.TABLE.activeplayers[p - 1] == 1;
    layout += !active ? '-' : places[p - 1].insideBar ? 'i' : 'a';
  }
  return layout;
}

constexpr const char* kLayoutProperty = "winRateLayout";

void Build(const App& app, QCustomPlot* plot, const std::array<RateLabelPlace, kSeats>& places) {
  const QColor ink = app.TABLE.lightyellow.toQColor();
  const QColor felt = app.TABLE.backgroundcolor.toQColor();
  plot->clearPlottables();
  plot->clearItems();

  auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
  bars->setWidth(kBarWidth);
  bars->setBrush(ink);
  bars->setPen(QPen(Qt::black, 0));

  auto* base = new QCPItemLine(plot);
  base->start->setCoords(0.5, 0);
  base->end->setCoords(10.5, 0);
  base->setPen(QPen(ink, 0.5));

  QCPAxis* x = plot->xAxis;
  QCPAxis* y = plot->yAxis;
  y->setRange(0, 1);
  x->setRange(0.5, 10.5);
  auto yTicks = QSharedPointer<QCPAxisTickerText>::create();
  yTicks->addTicks({0, 0.25, 0.5, 0.75, 1}, {"  0%", " 25%", " 50%", " 75%", "100%"});
  y->setTicker(yTicks);
  auto xTicks = QSharedPointer<QCPAxisTickerText>::create();
  for (int p = 1; p <= kSeats; ++p) xTicks->addTick(p, QString::number(p));
  x->setTicker(xTicks);
  StyleAxis(x, ink);
  StyleAxis(y, ink);
  QFont tickFont = plot->font();
  tickFont.setPointSizeF(7.5);
  x->setTickLabelFont(tickFont);
  y->setTickLabelFont(tickFont);
  x->setLabelFont(tickFont);
  x->setLabelPadding(1);
  x->setTickLabelPadding(2);
  y->setTickLabelPadding(3);
  x->grid()->setVisible(false);
  y->grid()->setVisible(true);
  QColor gridInk = ink;
  gridInk.setAlphaF(0.35f);
  y->grid()->setPen(QPen(gridInk, 0, Qt::DotLine));
  y->grid()->setZeroLinePen(Qt::NoPen);
  plot->axisRect()->setBackground(felt);
  x->setLabel("Player");

  auto* title = Text(plot, QString(), ink, 8.5);
  title->setClipToAxisRect(false);
  title->position->setType(QCPItemPosition::ptAxisRectRatio);
  title->position->setCoords(0.5, -0.1);
  title->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);

  for (int p = 1; p <= kSeats; ++p) {
    if (app.TABLE.activeplayers[p - 1] != 1) continue;
    const bool inside = places[p - 1].insideBar;
    if (!inside) {
      // Blanks the grid lines behind the label.
      auto* backdrop = new QCPItemRect(plot);
      backdrop->setPen(QPen(felt, 0));
      backdrop->setBrush(felt);
    }
    auto* label = Text(plot, QString(), inside ? felt : ink, 8);
    // Narrow letters keep the label within the 0.42 of the chart's height it is given.
    QFont narrow = label->font();
    narrow.setStretch(QFont::SemiCondensed);
    label->setFont(narrow);
    label->setClipToAxisRect(false);
    label->setPositionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setRotation(-90);  // reads upwards from its anchor
    if (inside) {
      // Text of the felt's colour on a backing of the bar's colour: where the
      // text is wider than a narrow bar, its glyphs still stand on light ground.
      label->setBrush(ink);
      label->setPadding(QMargins(1, 0, 1, 0));
    }
  }
  plot->setProperty(kLayoutProperty, Layout(app, places));
}

// The parts built for `layout`, or nothing when the chart holds other parts
// (never built, reset, or built for another layout).
std::optional<ChartParts> Parts(const App& app, QCustomPlot* plot, const std::array<RateLabelPlace, kSeats>& places) {
  const QString layout = Layout(app, places);
  if (plot->property(kLayoutProperty).toString() != layout || plot->plottableCount() != 1) return std::nullopt;
  ChartParts parts;
  parts.bars = qobject_cast<QCPBars*>(plot->plottable(0));
  for (int i = 0; i < plot->itemCount(); ++i) {
    if (auto* text = qobject_cast<QCPItemText*>(plot->item(i))) {
      if (text->rotation() == 0) {
        parts.title = text;
      } else {
        parts.labels.push_back(text);
      }
    } else if (auto* rect = qobject_cast<QCPItemRect*>(plot->item(i))) {
      parts.backdrops.push_back(rect);
    }
  }
  const auto count = [&](QChar c) { return static_cast<std::size_t>(layout.count(c)); };
  if (!parts.bars || !parts.title || parts.labels.size() != count('a') + count('i') ||
      parts.backdrops.size() != count('a')) {
    return std::nullopt;
  }
  return parts;
}

}  // namespace

void plothistogram(App& app, long long simulation) {
  if (ProgramClosing(app)) return;
  QCustomPlot* plot = app.FIGURE.histogramaxes;
  if (!plot) return;

  std::array<double, kSeats> rate{};
  std::array<RateLabelPlace, kSeats> places{};
  for (int p = 1; p <= kSeats; ++p) {
    const double won = static_cast<std::size_t>(p) <= app.SIM.WinRecord.size() ? app.SIM.WinRecord[p - 1] : 0.0;
    // No hands yet: every rate is 0 rather than 0/0.
    rate[p - 1] = simulation > 0 && app.activeplayers(p) == 1 ? won / static_cast<double>(simulation) : 0.0;
    places[p - 1] = PlaceRateLabel(rate[p - 1]);
  }

  std::optional<ChartParts> parts = Parts(app, plot, places);
  if (!parts) {
    Build(app, plot, places);
    parts = Parts(app, plot, places);
  }
  QVector<double> seats, heights;
  for (int p = 1; p <= kSeats; ++p) {
    seats << p;
    heights << rate[p - 1];
  }
  parts->bars->setData(seats, heights, true);
  parts->title->setText(WinRateTitle(app));
  auto label = parts->labels.begin();
  auto backdrop = parts->backdrops.begin();
  for (int p = 1; p <= kSeats; ++p) {
    if (app.activeplayers(p) != 1) continue;
    const RateLabelPlace& place = places[p - 1];
    if (!place.insideBar) {
      (*backdrop)->topLeft->setCoords(p - 0.35, place.backdropTop);
      (*backdrop)->bottomRight->setCoords(p + 0.35, place.backdropBottom);
      ++backdrop;
    }
    (*label)->setText(QString::asprintf("%2.1f%%", 100.0 * rate[p - 1]));
    (*label)->position->setCoords(p, place.textY);
    ++label;
  }

  plot->show();
  plot->replot();
  drawnow();
}

}  // namespace zuv
