#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "sim/per_hand_figures.h"

namespace zuv {

// The 13 x 13 starting-hand grid of one seat: each class coloured by its win
// rate on a scale from the lowest to the highest shown (with its legend under
// the grid), its name and win rate written in the cell; classes the seat
// never held are dimmed. Hovering over a cell or clicking it reports the cell.
class HandsGrid : public QWidget {
  Q_OBJECT
 public:
  HandsGrid(const QColor& felt, const QColor& ink, QWidget* parent = nullptr);

  // Per grid cell {row, column} (as sim::RangeCellOf numbers them) its class figures.
  void setClasses(const std::vector<sim::HandFigures>& classes);
  // The cell whose figures the view lists, outlined; nullopt for none.
  void setSelected(std::optional<std::array<int, 2>> cell);
  // The class figures of a cell, or nullptr when the seat never held it.
  const sim::HandFigures* classAt(int row, int column) const;
  // The lowest and highest win rate on the colour scale.
  double lowest() const { return low_; }
  double highest() const { return high_; }
  // The colour of a win rate on the scale.
  QColor colourOf(double winRate) const;

  QSize minimumSizeHint() const override { return {300, 330}; }

 signals:
  void cellHovered(int row, int column);
  void cellClicked(int row, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The grid's square and the legend's bar, fitted to the widget.
  QRectF gridRect() const;
  QRectF legendRect() const;
  std::optional<std::array<int, 2>> cellAt(QPointF point) const;

  QColor felt_, ink_;
  std::array<std::array<std::optional<sim::HandFigures>, 13>, 13> cells_;
  std::optional<std::array<int, 2>> selected_;
  double low_ = 0, high_ = 1;
};

}  // namespace zuv
