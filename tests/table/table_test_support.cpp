#include "table_test_support.h"

#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsView>

namespace zuv::testing {

namespace geo = table_geometry;

int CardOf(const App& app, const std::string& symbol) {
  for (int n = 1; n <= kCards; ++n)
    if (app.DECK.symbol[n - 1] == symbol) return n;
  return 0;
}

std::vector<QPointF> DataCorners(const QGraphicsPolygonItem& polygon) {
  std::vector<QPointF> corners;
  for (const QPointF& p : polygon.polygon()) corners.push_back(geo::ToData(polygon.mapToScene(p)));
  return corners;
}

QPointF DataCentre(const QGraphicsPolygonItem& polygon) {
  QPointF sum;
  const auto corners = DataCorners(polygon);
  for (const QPointF& p : corners) sum += p;
  return corners.empty() ? sum : sum / double(corners.size());
}

QImage GrabTable(App& app) { return app.TABLE.axes->grab().toImage(); }

QColor ColourAt(const QImage& table, QPointF data) {
  const QPointF scene = geo::ToScene(data) - geo::SceneRect().topLeft();
  return table.pixelColor(int(scene.x()), int(scene.y()));
}

QGraphicsItem* TopItemAt(App& app, QPointF data) {
  const auto items = app.TABLE.axes->scene()->items(geo::ToScene(data), Qt::IntersectsItemShape, Qt::DescendingOrder);
  for (QGraphicsItem* item : items)
    if (item->isVisible()) return item;
  return nullptr;
}

}  // namespace zuv::testing
