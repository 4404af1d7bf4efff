#pragma once

#include <QGraphicsScene>
#include <array>
#include <functional>
#include <optional>

class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

namespace zuv {

// The 13 x 13 grid of starting hands in the range window: pairs on the
// diagonal (AA top left), suited hands above it, offsuit hands below. Each
// cell shows how much of it the range holds, and says it in figures when the
// mouse rests on it. A press toggles a cell; a drag paints every cell it
// crosses with the state the first cell took. The right button asks for the
// cell's suits.
class RangeGridScene : public QGraphicsScene {
 public:
  static constexpr int kSide = 13;
  static constexpr int kCell = 32;  // pixels per cell

  RangeGridScene(const QColor& felt, const QColor& lit, QObject* parent);

  // Share 0..1 of the combinations of cell (row, column), both 0..12, that
  // the range holds, weights counted: drawn as that part of the cell lit from
  // below. `on`: the cell is as a click would set it, so a click takes it out.
  void setShare(int row, int column, double share, bool on);
  double share(int row, int column) const { return shares_.at(row * kSide + column); }
  // The text shown while the mouse rests on the cell: "AKs: 50 %".
  QString toolTip(int row, int column) const;

  // Receives "CBRangeCell(row, column, on)" (numbered from 1) for each cell
  // a press or a drag sets, and "CBRangeSuits(row, column)" for a press of
  // the right button.
  std::function<void(const QString& command)> runCommand;

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

 private:
  std::optional<int> cellAt(QPointF scenePos) const;
  void paint(int cell);

  struct Cell {
    QGraphicsRectItem* base = nullptr;
    QGraphicsRectItem* fill = nullptr;
    QGraphicsSimpleTextItem* name = nullptr;
    QGraphicsSimpleTextItem* halo = nullptr;  // a dark rim behind the name of a partly lit cell
  };
  QColor lit_;
  std::array<Cell, kSide * kSide> cells_{};
  std::array<double, kSide * kSide> shares_{};
  std::array<bool, kSide * kSide> on_{};
  std::optional<bool> painting_;  // the state a drag paints, while the button is down
  int lastPainted_ = -1;
};

}  // namespace zuv
