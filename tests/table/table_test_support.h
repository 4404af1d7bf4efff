#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <string>

#include "platform/graphics_items.h"
#include "state/app.h"
#include "table/table_geometry.h"

class QGraphicsItem;
class QGraphicsPolygonItem;

namespace zuv::testing {

// The card number of a symbol such as "Ah".
int CardOf(const App& app, const std::string& symbol);

// The corners of a polygon of the table, in data units.
std::vector<QPointF> DataCorners(const QGraphicsPolygonItem& polygon);
// The mean of a polygon's corners, in data units.
QPointF DataCentre(const QGraphicsPolygonItem& polygon);

// The table's view drawn into an image, one pixel per scene unit.
QImage GrabTable(App& app);
// The colour of that image at a table point in data units.
QColor ColourAt(const QImage& table, QPointF data);

// The topmost item of the table under a point in data units (null when none).
QGraphicsItem* TopItemAt(App& app, QPointF data);

}  // namespace zuv::testing
