#include "stats/hands_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "sim/hand_range.h"
#include "sim/start_hands.h"

namespace zuv {

namespace {

constexpr double kLegendHeight = 34;  // pixels below the grid: the colour bar and its numbers

QString Percent(double x, int decimals) { return QString::number(100 * x, 'f', decimals); }

// The grid cell {row, column} of starting-hand class 1..169.
std::array<int, 2> CellOfClass(int startClass) {
  static const auto cells = [] {
    std::array<std::array<int, 2>, sim::kStartHandClasses + 1> found{};
    for (int row = 0; row < 13; ++row) {
      for (int column = 0; column < 13; ++column) {
        const sim::Combo combo = sim::RangeCellCombos(row, column).front();
        found[sim::StartHandClass(combo[0], combo[1])] = {row, column};
      }
    }
    return found;
  }();
  return cells[startClass];
}

}  // namespace

HandsGrid::HandsGrid(const QColor& felt, const QColor& ink, QWidget* parent) : QWidget(parent), felt_(felt), ink_(ink) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void HandsGrid::setClasses(const std::vector<sim::HandFigures>& classes) {
  for (auto& row : cells_) row.fill(std::nullopt);
  low_ = 1;
  high_ = 0;
  for (const sim::HandFigures& figures : classes) {
    const auto [row, column] = CellOfClass(figures.startClass);
    cells_[row][column] = figures;
    low_ = std::min(low_, figures.winRate);
    high_ = std::max(high_, figures.winRate);
  }
  if (low_ > high_) low_ = 0, high_ = 1;
  update();
}

void HandsGrid::setSelected(std::optional<std::array<int, 2>> cell) {
  selected_ = cell;
  update();
}

const sim::HandFigures* HandsGrid::classAt(int row, int column) const {
  const auto& cell = cells_[row][column];
  return cell ? &*cell : nullptr;
}

QColor HandsGrid::colourOf(double winRate) const {
  // Red for the weakest, through yellow, to green for the strongest.
  const double t = high_ > low_ ? std::clamp((winRate - low_) / (high_ - low_), 0.0, 1.0) : 0.5;
  return QColor::fromHsvF(static_cast<float>(t / 3.0), 0.75f, 0.85f);
}

QRectF HandsGrid::gridRect() const {
  const double side = std::max(0.0, std::min<double>(width(), height() - kLegendHeight));
  return {0, 0, side, side};
}

QRectF HandsGrid::legendRect() const {
  const QRectF grid = gridRect();
  return {grid.left(), grid.bottom() + 6, grid.width(), 10};
}

std::optional<std::array<int, 2>> HandsGrid::cellAt(QPointF point) const {
  const QRectF grid = gridRect();
  if (!grid.contains(point) || grid.width() <= 0) return std::nullopt;
  const int column = std::clamp(static_cast<int>((point.x() - grid.left()) * 13 / grid.width()), 0, 12);
  const int row = std::clamp(static_cast<int>((point.y() - grid.top()) * 13 / grid.height()), 0, 12);
  return std::array<int, 2>{row, column};
}

void HandsGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QRectF grid = gridRect();
  const double cell = grid.width() / 13;
  QFont nameFont = font();
  nameFont.setPixelSize(std::max(7, static_cast<int>(cell * 0.3)));
  QFont rateFont = nameFont;
  rateFont.setBold(true);
  QColor dim = felt_.darker(140);
  for (int row = 0; row < 13; ++row) {
    for (int column = 0; column < 13; ++column) {
      const QRectF box(grid.left() + column * cell, grid.top() + row * cell, cell, cell);
      const auto& figures = cells_[row][column];
      painter.fillRect(box, figures ? colourOf(figures->winRate) : dim);
      painter.setPen(QPen(felt_.darker(200), 0));
      painter.drawRect(box);
      painter.setPen(figures ? QColor(Qt::black) : felt_.lighter(170));
      const QString name = QString::fromStdString(sim::RangeCellName(row, column));
      if (!figures) {
        painter.setFont(nameFont);
        painter.drawText(box, Qt::AlignCenter, name);
        continue;
      }
      painter.setFont(nameFont);
      painter.drawText(box.adjusted(0, 1, 0, -cell / 2), Qt::AlignHCenter | Qt::AlignBottom, name);
      painter.setFont(rateFont);
      painter.drawText(box.adjusted(0, cell / 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, Percent(figures->winRate, 0));
    }
  }
  if (selected_) {
    const auto [row, column] = *selected_;
    painter.setPen(QPen(ink_, 2));
    painter.drawRect(QRectF(grid.left() + column * cell, grid.top() + row * cell, cell, cell).adjusted(1, 1, -1, -1));
  }

  // The colour scale: the bar from the lowest to the highest win rate, in percent.
  const QRectF bar = legendRect();
  QLinearGradient gradient(bar.topLeft(), bar.topRight());
  for (int i = 0; i <= 10; ++i) gradient.setColorAt(i / 10.0, colourOf(low_ + (high_ - low_) * i / 10.0));
  painter.fillRect(bar, gradient);
  painter.setPen(QPen(ink_, 0));
  painter.drawRect(bar);
  QFont legendFont = font();
  legendFont.setPixelSize(11);
  painter.setFont(legendFont);
  const QRectF labels(bar.left(), bar.bottom() + 2, bar.width(), 14);
  painter.drawText(labels, Qt::AlignLeft | Qt::AlignTop, Percent(low_, 1) + " %");
  painter.drawText(labels, Qt::AlignHCenter | Qt::AlignTop, "Win % of each class, numbers in the cells");
  painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, Percent(high_, 1) + " %");
}

void HandsGrid::mouseMoveEvent(QMouseEvent* event) {
  if (const auto cell = cellAt(event->position())) emit cellHovered((*cell)[0], (*cell)[1]);
  QWidget::mouseMoveEvent(event);
}

void HandsGrid::mousePressEvent(QMouseEvent* event) {
  if (const auto cell = cellAt(event->position())) emit cellClicked((*cell)[0], (*cell)[1]);
  QWidget::mousePressEvent(event);
}

}  // namespace zuv
