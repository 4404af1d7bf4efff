#include "scenario/range_grid.h"

#include <QFont>
#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSimpleTextItem>
#include <QPen>

#include "sim/hand_range.h"

namespace zuv {

namespace {

const QColor kDarkLetters(20, 40, 10);

// Pairs, suited and offsuit hands in slightly different shades of felt, so
// the three regions of the grid read at a glance.

QColor BaseColor(const QColor& felt, int row, int column) {
  if (row == column) return felt.lighter(175);
  return row < column ? felt.lighter(145) : felt.lighter(120);
}

}  // namespace

RangeGridScene::RangeGridScene(const QColor& felt, const QColor& lit, QObject* parent)
    : QGraphicsScene(parent), lit_(lit) {
  setSceneRect(0, 0, kSide * kCell, kSide * kCell);
  setBackgroundBrush(felt);
  QFont font;
  font.setPixelSize(11);
  font.setBold(true);
  const QPen border(felt.darker(160), 1);
  for (int row = 0; row < kSide; ++row) {
    for (int column = 0; column < kSide; ++column) {
      Cell& cell = cells_[row * kSide + column];
      const QRectF area(column * kCell, row * kCell, kCell, kCell);
      cell.base = addRect(area.adjusted(0.5, 0.5, -0.5, -0.5), border, BaseColor(felt, row, column));
      cell.fill = addRect(QRectF(), Qt::NoPen, lit_);
      const QString name = QString::fromStdString(sim::RangeCellName(row, column));
      cell.halo = addSimpleText(name, font);
      cell.halo->setBrush(kDarkLetters);
      cell.halo->setPen(QPen(kDarkLetters, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      cell.name = addSimpleText(name, font);
      const QRectF text = cell.name->boundingRect();
      cell.name->setPos(area.center() - text.center());
      cell.halo->setPos(cell.name->pos());
      setShare(row, column, 0, false);
    }
  }
}

void RangeGridScene::setShare(int row, int column, double share, bool on) {
  const int i = row * kSide + column;
  shares_.at(i) = share;
  on_.at(i) = on;
  Cell& cell = cells_[i];
  const QString tip = toolTip(row, column);
  for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{cell.base, cell.fill, cell.name, cell.halo}) {
    item->setToolTip(tip);
  }
  const QRectF area = cell.base->rect();
  const double height = area.height() * share;
  cell.fill->setRect(QRectF(area.left(), area.bottom() - height, area.width(), height));
  // Dark letters on a lit cell, light ones on felt; a partly lit cell has
  // both under its name, which takes light letters on a dark rim.
  cell.name->setBrush(share >= 1.0 ? kDarkLetters : QColor(240, 240, 215));
  cell.halo->setVisible(share > 0 && share < 1.0);
}

QString RangeGridScene::toolTip(int row, int column) const {
  // Three figures: "33.3 %", "50 %", "0.1 %".
  return QString("%1: %2 %")
      .arg(QString::fromStdString(sim::RangeCellName(row, column)))
      .arg(QString::number(100 * share(row, column), 'g', 3));
}

std::optional<int> RangeGridScene::cellAt(QPointF scenePos) const {
  const int column = static_cast<int>(scenePos.x()) / kCell;
  const int row = static_cast<int>(scenePos.y()) / kCell;
  if (scenePos.x() < 0 || scenePos.y() < 0 || row >= kSide || column >= kSide) return std::nullopt;
  return row * kSide + column;
}

void RangeGridScene::paint(int cell) {
  lastPainted_ = cell;
  if (runCommand) {
    runCommand(QString("CBRangeCell(%1, %2, %3)").arg(cell / kSide + 1).arg(cell % kSide + 1).arg(*painting_ ? 1 : 0));
  }
}

void RangeGridScene::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  const auto cell = cellAt(event->scenePos());
  if (!cell) return;
  event->accept();
  if (event->button() == Qt::RightButton && runCommand) {
    runCommand(QString("CBRangeSuits(%1, %2)").arg(*cell / kSide + 1).arg(*cell % kSide + 1));
  }
  if (event->button() != Qt::LeftButton) return;
  // A cell as a click sets it goes off; any other goes on.
  painting_ = !on_[*cell];
  paint(*cell);
}

void RangeGridScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
  if (!painting_) return;
  const auto cell = cellAt(event->scenePos());
  if (cell && *cell != lastPainted_) paint(*cell);
}

void RangeGridScene::mouseReleaseEvent(QGraphicsSceneMouseEvent*) {
  painting_.reset();
  lastPainted_ = -1;
}

}  // namespace zuv
