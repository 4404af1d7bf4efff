#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

class QGraphicsItem;

namespace zuv {

// The table's plot area: data units with the origin at the table centre and
// y pointing up, shown with equal scaling in the 450 x 450 pixel square at
// (0, 0.05, 0.6, 0.9) of the main window. Scene units are pixels (scene y
// points down), so texts keep ordinary pixel fonts.
namespace table_geometry {

inline constexpr double kXLimit = 1.273;  // x runs from -kXLimit to kXLimit
inline constexpr double kYLimit = 1.24;   // y runs from -kYLimit to kYLimit

// Where the plot area sits in the main window's canvas, in pixels.
QRect AreaInCanvas();
// Pixels per data unit; the wider x range decides it.
double Scale();
// The scene rectangle that the view shows, centred on the table.
QRectF SceneRect();

QPointF ToScene(QPointF data);
QPointF ToData(QPointF scene);
inline QPointF ToScene(double x, double y) { return ToScene(QPointF(x, y)); }

// A box in data units.
struct DataBox {
  double left = 0, right = 0, bottom = 0, top = 0;
  double width() const { return right - left; }
  double height() const { return top - bottom; }
  QPointF centre() const { return {(left + right) / 2, (bottom + top) / 2}; }
};

QRectF ToScene(const DataBox& box);
DataBox ToData(const QRectF& sceneRect);
// Where an item lies on the table, in data units.
DataBox DataBoxOf(const QGraphicsItem& item);

}  // namespace table_geometry
}  // namespace zuv
