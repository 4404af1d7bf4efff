#include "stats/win_stat_window.h"

#include <QCheckBox>
#include <QMenu>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <cmath>
#include <qcustomplot.h>

#include "platform/callback.h"
#include "state/app.h"
#include "state/main_window.h"
#include "stats/movable_frame.h"
#include "stats/percent_ticker.h"
#include "stats/text_legend_item.h"
#include "stats/win_stat_figures.h"

namespace zuv {

namespace {

// The plot box in fractions of the window (left, bottom, width, height).
// The bottom leaves a line under the class names for the caption.
constexpr double kLeft = 0.13, kBottom = 0.15, kWidth = 0.775, kHeight = 0.775;
constexpr double kGroupWidth = 0.8;  // of the space between two classes
constexpr double kWholeShare = 100;  // percent: all hands
// A legend or check box deeper than this share of the plot box gets no headroom: the bars would shrink to nothing.
constexpr double kMostCovered = 0.75;

// Series colours that stand out on the felt and from the light-yellow split bars.
const std::array<QColor, 10> kSeriesColours{
    QColor(74, 144, 226), QColor(240, 110, 60), QColor(190, 110, 230), QColor(60, 200, 210),
    QColor(235, 80, 130), QColor(160, 160, 160), QColor(170, 110, 60), QColor(230, 60, 60),
    QColor(255, 160, 200), QColor(110, 90, 220),
};

// An upper y limit at a round step above `top`, as an automatic axis would choose.
double NiceUpper(double top) {
  if (!(top > 0) || !std::isfinite(top)) return 1.0;
  const double raw = top / 5.0;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * magnitude;
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    if (m * magnitude >= raw) {
      step = m * magnitude;
      break;
    }
  }
  return std::ceil(top / step - 1e-9) * step;
}

void StyleAxis(QCPAxis* axis, const QColor& ink) {
  axis->setBasePen(QPen(ink, 0));
  axis->setTickPen(QPen(ink, 0));
  axis->setSubTickPen(QPen(ink, 0));
  axis->setTickLabelColor(ink);
  axis->setLabelColor(ink);
}

QCPItemText* Text(QCustomPlot* plot, const QString& text, const QColor& ink, double x, double y) {
  auto* item = new QCPItemText(plot);
  item->setText(text);
  item->setColor(ink);
  item->setClipToAxisRect(false);
  item->position->setType(QCPItemPosition::ptAxisRectRatio);
  // Ratios of the plot box run downwards; the box's bottom edge is at 1.
  item->position->setCoords(x, y);
  item->setPositionAlignment(Qt::AlignCenter);
  return item;
}

}  // namespace

WinStatWindow::WinStatWindow(App& app, const WinStatFigures& figures, const HandsRun& hands)
    : app_(app), plot_(new QCustomPlot(this)), box_(new QCheckBox("Show splitted hands")) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Zuv Poker Simulator - Winning hands statistics");
  const QColor felt = app.TABLE.backgroundcolor.toQColor();
  const QColor ink = app.TABLE.lightyellow.toQColor();
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, felt);
  palette.setColor(QPalette::WindowText, ink);
  palette.setColor(QPalette::ButtonText, ink);
  setPalette(palette);
  setAutoFillBackground(true);
  setMinimumSize(kMinimumSize);
  resize(kDefaultSize);
  plot_->setBackground(felt);

  box_->setChecked(true);
  box_->setPalette(palette);
  // Opaque on the felt like the window, not in the button colour.
  box_->setBackgroundRole(QPalette::Window);
  box_->setAutoFillBackground(true);
  box_->setToolTip("click and drag close to this text to move it");
  SetCallback(box_, "CBShowSplittedHands;");
  // The clicked window's bars are the ones to flip, also in an older window.
  connect(box_, &QCheckBox::clicked, this, [this] {
    app_.SPLITBARHANDLES = splitBars_;
    app_.UICONTROLS.handle[kSplitHandsBox] = box_;
    app_.run(Callback(box_).toStdString());
  });
  const double boxTop = 1.0 - 0.95 * (kBottom + kHeight) - 0.03;
  frame_ = new MovableFrame(box_, QRectF(1.1 * kLeft, boxTop, 0.23, 0.03), this);
  frame_->setToolTip(box_->toolTip());

  build(figures);
  table_ = WinStatTable::Of(app, figures);
  context_ = WinStatContext::Of(app, figures);
  addCaption();
  addResultsMenu();
  addHandsTab(hands);
  placePlotArea();
  frame_->raise();
  results_->raise();
  tabs_->raise();
  fitValueAxis();
}

WinStatWindow::~WinStatWindow() {
  // The records must not point into a window that is gone.
  if (app_.UICONTROLS.handle[kSplitHandsBox] == box_) app_.UICONTROLS.handle[kSplitHandsBox] = nullptr;
  if (!splitBars_.empty() && app_.SPLITBARHANDLES == splitBars_) app_.SPLITBARHANDLES.clear();
}

void WinStatWindow::build(const WinStatFigures& figures) {
  const QColor felt = app_.TABLE.backgroundcolor.toQColor();
  const QColor ink = app_.TABLE.lightyellow.toQColor();
  QCPAxis* x = plot_->xAxis;
  QCPAxis* y = plot_->yAxis;
  const int n = static_cast<int>(figures.players.size());
  const bool anyHands = figures.total > 0;

  plot_->legend->setVisible(true);
  auto* winGroup = new QCPBarsGroup(plot_);
  auto* splitGroup = new QCPBarsGroup(plot_);
  for (QCPBarsGroup* group : {winGroup, splitGroup}) {
    group->setSpacingType(QCPBarsGroup::stAbsolute);
    group->setSpacing(0);
  }
  const QStringList rows = figures.legendRows(app_);
  const double barWidth = n > 0 ? kGroupWidth / n : kGroupWidth;
  for (int j = 0; j < n; ++j) {
    const int p = figures.players[j];
    auto* bars = new QCPBars(x, y);
    const QColor colour = kSeriesColours[j % kSeriesColours.size()];
    bars->setBrush(colour);
    bars->setPen(QPen(colour.darker(160), 0));
    bars->setWidth(barWidth);
    bars->setBarsGroup(winGroup);
    bars->setName(rows[j]);
    if (anyHands) {
      for (int h = 1; h <= kHandClasses; ++h) bars->addData(h, figures.aloneShare[p - 1][h - 1]);
    }
    winBars_.push_back(bars);
  }
  // Drawn later, the split bars stand in front of the win bars at the same places.
  for (int j = 0; j < n; ++j) {
    const int p = figures.players[j];
    auto* bars = new QCPBars(x, y);
    bars->setBrush(ink);
    bars->setPen(QPen(ink.darker(170), 0));
    bars->setWidth(barWidth);
    bars->setBarsGroup(splitGroup);
    bars->removeFromLegend();
    if (anyHands) {
      for (int h = 1; h <= kHandClasses; ++h) bars->addData(h, figures.splitShare[p - 1][h - 1]);
    }
    splitBars_.push_back(bars);
  }

  QCPLegend* legend = plot_->legend;
  legend->setBrush(felt);
  legend->setBorderPen(QPen(ink, 0));
  legend->setTextColor(ink);
  legend->setIconSize(14, 10);
  for (int i = n; i < rows.size(); ++i) legend->addItem(new TextLegendItem(legend, rows[i]));
  plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);

  x->setRange(0, kHandClasses + 1);
  x->setTicks(false);
  StyleAxis(x, ink);
  StyleAxis(y, ink);
  y->setTicker(QSharedPointer<PercentTicker>::create());
  y->setLabel(figures.yLabel());
  y->grid()->setVisible(true);
  QColor gridInk = ink;
  gridInk.setAlphaF(0.35f);
  y->grid()->setPen(QPen(gridInk, 0, Qt::DotLine));
  y->grid()->setZeroLinePen(Qt::NoPen);
  x->grid()->setVisible(false);

  auto* heading = Text(plot_, "DISTRIBUTION OF WINNING HANDS", ink, 0.5, -0.05);
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  heading->setFont(headingFont);

  for (int h = 1; h <= kHandClasses; ++h) {
    const QStringList words = StackedClassLabel(app_.SETUP.handnames[h - 1]);
    for (int m = 1; m <= words.size(); ++m) Text(plot_, words[m - 1], ink, h / 10.0, 1.0 + 0.03 * m);
  }
}

void WinStatWindow::addCaption() {
  // Along the bottom edge, under the class names: a saved picture says where its numbers come from.
  auto* caption = Text(plot_, context_.caption(), app_.TABLE.lightyellow.toQColor(), 0.5, 0.995);
  caption->position->setType(QCPItemPosition::ptViewportRatio);
  caption->position->setCoords(0.5, 0.995);
  caption->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  QFont font = caption->font();
  font.setPointSizeF(font.pointSizeF() * 0.8);
  caption->setFont(font);
}

void WinStatWindow::addResultsMenu() {
  results_ = new QToolButton(this);
  results_->setText("Results");
  results_->setToolTip("Save the chart as a picture, save its numbers as a table, or copy them");
  results_->setPopupMode(QToolButton::InstantPopup);
  // The window's light-yellow ink is for the felt; the button and its menu keep dark text.
  QPalette plain = palette();
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) plain.setColor(role, Qt::black);
  plain.setColor(QPalette::Window, QColor(240, 240, 240));
  plain.setColor(QPalette::Button, QColor(240, 240, 240));
  results_->setPalette(plain);
  auto* menu = new QMenu(results_);
  menu->setPalette(plain);
  for (const auto& [label, command] : {std::pair{"Save picture...", "CBSaveStatPicture"},
                                       std::pair{"Save table...", "CBSaveStatTable"}, std::pair{"Copy", "CBCopyStatTable"}}) {
    QAction* item = menu->addAction(label);
    SetCallback(item, command);
    // The items act on this window, also when a newer one is open.
    connect(item, &QAction::triggered, this, [this, item] {
      const QPointer<QWidget> newest = app_.FIGURE.WinStatFigHandle;
      app_.FIGURE.WinStatFigHandle = this;
      app_.run(Callback(item).toStdString());
      if (app_.FIGURE.WinStatFigHandle == this) app_.FIGURE.WinStatFigHandle = newest;
    });
  }
  results_->setMenu(menu);
  results_->move(6, 6);
  results_->adjustSize();
  // The menu arrow is drawn inside the button: room for it beside the text.
  results_->resize(results_->width() + style()->pixelMetric(QStyle::PM_MenuButtonIndicator), results_->height());
}

void WinStatWindow::addHandsTab(const HandsRun& hands) {
  hands_ = new HandsView(hands, app_.TABLE.backgroundcolor.toQColor(), app_.TABLE.lightyellow.toQColor(), this);
  hands_->setCaption(context_.caption());
  hands_->hide();
  tabs_ = new QTabBar(this);
  tabs_->addTab("Chart");
  tabs_->addTab("Hands");
  tabs_->setToolTip("The chart of winning hands, or each hand of a seat's range");
  tabs_->setPalette(results_->palette());
  tabs_->setDrawBase(false);
  tabs_->adjustSize();
  tabs_->move(results_->geometry().right() + 8, results_->y() + (results_->height() - tabs_->height()) / 2);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    const bool hands = tab == 1;
    hands_->setVisible(hands);
    plot_->setVisible(!hands);
    frame_->setVisible(!hands);
  });
}

bool WinStatWindow::showsHands() const { return tabs_ && tabs_->currentIndex() == 1; }

void WinStatWindow::placePlotArea() {
  const QSize size = this->size();
  plot_->setGeometry(rect());
  if (hands_) hands_->setGeometry(rect());
  // A hidden plot gets no resize event; its layout must know the size before it is shown.
  plot_->setViewport(plot_->rect());
  plot_->axisRect()->setAutoMargins(QCP::msNone);
  plot_->axisRect()->setMargins(QMargins(qRound(kLeft * size.width()), qRound((1 - kBottom - kHeight) * size.height()),
                                         qRound((1 - kLeft - kWidth) * size.width()), qRound(kBottom * size.height())));
}

double WinStatWindow::tallestBar(double fromKey, double toKey) const {
  double top = 0;
  for (const auto& series : {winBars_, splitBars_}) {
    for (QCPBars* bars : series) {
      if (!bars->visible()) continue;
      for (auto it = bars->data()->constBegin(); it != bars->data()->constEnd(); ++it) {
        // A whole group counts where any of its bars could stand.
        if (it->key + kGroupWidth / 2 >= fromKey && it->key - kGroupWidth / 2 <= toKey) top = std::max(top, it->value);
      }
    }
  }
  return top;
}

void WinStatWindow::fitValueAxis() {
  QCPAxis* y = plot_->yAxis;
  QCPLayoutInset* inset = plot_->axisRect()->insetLayout();
  inset->setInsetPlacement(0, QCPLayoutInset::ipBorderAligned);
  const double upper = std::min(kWholeShare, NiceUpper(tallestBar(-1, kHandClasses + 2)));
  y->setRange(0, upper);
  plot_->replot();

  // Tall bars under the legend or the check box get headroom so that they stay visible.
  const QRect box = plot_->axisRect()->rect();
  auto headroom = [&](const QRect& cover) {
    if (!cover.intersects(box)) return 0.0;
    const double covered = double(cover.bottom() + 4 - box.top()) / box.height();
    if (covered <= 0 || covered >= kMostCovered) return 0.0;
    return tallestBar(plot_->xAxis->pixelToCoord(cover.left()), plot_->xAxis->pixelToCoord(cover.right())) /
           (1 - covered);
  };
  const QRect frame = frame_->geometry();
  QRect legend = plot_->legend->outerRect();
  double legendNeeds = headroom(legend);
  // No share passes 100 %: rather than stretch the axis beyond it, the legend
  // moves along the top to where the bars under it are lowest.
  if (NiceUpper(std::max(legendNeeds, headroom(frame))) > kWholeShare) {
    const QRect corner = legend;
    constexpr int kPlaces = 24;
    // Along the top, and lower down beside the check box.
    for (const int top : {corner.top(), frame.bottom() + 4}) {
      for (int k = 0; k <= kPlaces; ++k) {
        QRect place = corner.translated(-(corner.left() - box.left()) * k / kPlaces, 0);
        place.moveTop(top);
        const double needs = headroom(place);
        const bool fits = box.contains(place) && place.bottom() - box.top() < kMostCovered * box.height();
        if (fits && !place.intersects(frame) && needs < legendNeeds) {
          legend = place;
          legendNeeds = needs;
        }
      }
    }
    if (legend != corner) {
      inset->setInsetPlacement(0, QCPLayoutInset::ipFree);
      inset->setInsetRect(0, QRectF(double(legend.left() - box.left()) / box.width(),
                                    double(legend.top() - box.top()) / box.height(),
                                    double(legend.width()) / box.width(), double(legend.height()) / box.height()));
    }
  }
  const double needed = std::min(kWholeShare, NiceUpper(std::max({upper, legendNeeds, headroom(frame)})));
  if (needed > upper || legend != plot_->legend->outerRect()) {
    y->setRange(0, needed);
    plot_->replot();
  }
}

void WinStatWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placePlotArea();
  frame_->follow();
  fitValueAxis();
}

void PlotWinStat(App& app, const QString& counted, const HandsRun& hands) {
  WinStatFigures figures = WinStatFigures::Read(app);
  figures.counted = counted;
  auto* window = new WinStatWindow(app, figures, hands);
  app.FIGURE.WinStatFigHandle = window;
  app.UICONTROLS.handle[kSplitHandsBox] = window->checkBox();
  app.SPLITBARHANDLES = window->splitBars();
  // The window is not a child of the main window, so that it can lie behind
  // it, but it goes when the main window goes.
  if (MainWindow* main = app.FIGURE.mainfigurehandle) {
    QObject::connect(main, &QObject::destroyed, window, [window] { delete window; });
  }
  window->show();
}

void CBShowSplittedHands(App& app) {
  const std::vector<QCPBars*> bars = app.SPLITBARHANDLES;
  if (bars.empty()) return;
  for (QCPBars* series : bars) series->setVisible(!series->visible());
  if (auto* window = qobject_cast<WinStatWindow*>(bars.front()->parentPlot()->window())) {
    // Run as a command text the box was not clicked: it must show the bars' state all the same.
    window->checkBox()->setChecked(bars.front()->visible());
    window->fitValueAxis();
  }
}

}  // namespace zuv
