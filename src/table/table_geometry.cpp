#include "table/table_geometry.h"

#include <QGraphicsItem>

#include "platform/normal_position.h"
#include "state/main_window.h"

namespace zuv::table_geometry {

QRect AreaInCanvas() { return NormalToPixels(0, 0.05, 0.6, 0.9, MainWindow::kSize); }

double Scale() {
  const QRect area = AreaInCanvas();
  return std::min(area.width() / (2 * kXLimit), area.height() / (2 * kYLimit));
}

QRectF SceneRect() {
  const QRect area = AreaInCanvas();
  return QRectF(-area.width() / 2.0, -area.height() / 2.0, area.width(), area.height());
}

QPointF ToScene(QPointF data) { return {data.x() * Scale(), -data.y() * Scale()}; }

QPointF ToData(QPointF scene) { return {scene.x() / Scale(), -scene.y() / Scale()}; }

QRectF ToScene(const DataBox& box) {
  return QRectF(ToScene(box.left, box.top), ToScene(box.right, box.bottom));
}

DataBox ToData(const QRectF& sceneRect) {
  const QPointF topLeft = ToData(sceneRect.topLeft());
  const QPointF bottomRight = ToData(sceneRect.bottomRight());
  return {topLeft.x(), bottomRight.x(), bottomRight.y(), topLeft.y()};
}

DataBox DataBoxOf(const QGraphicsItem& item) { return ToData(item.sceneBoundingRect()); }

}  // namespace zuv::table_geometry
