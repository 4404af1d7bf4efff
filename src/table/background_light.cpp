#include "table/background_light.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <cmath>

#include "state/app.h"
#include "table/table_geometry.h"

namespace zuv {

namespace background_light {

namespace {
constexpr RGB kFelt{14 / 255.0, 70 / 255.0, 0};
constexpr RGB kPaleYellow{1, 1, 110 / 255.0};
}  // namespace

RGB Ramp(double entry) {
  const double t = std::pow(std::clamp(entry, 1.0, double(kRampEntries)) / kRampEntries, 3);
  return {kFelt.r + (kPaleYellow.r - kFelt.r) * t, kFelt.g + (kPaleYellow.g - kFelt.g) * t,
          kFelt.b + (kPaleYellow.b - kFelt.b) * t};
}

std::optional<RGB> ColourAt(double x, double y) {
  const double r2 = std::pow(x / kRadiusX, 2) + std::pow(y / kRadiusY, 2);
  if (r2 > 1) return std::nullopt;
  const double height = std::sqrt(1 - r2) * kHeight;
  // Heights from the rim (0) to the top (0.4) run linearly over entries 1 to 91.
  return Ramp(1 + (kRampEntries - 1) * height / kHeight);
}

QImage Image(double pixelsPerUnit, double devicePixelRatio) {
  const double perUnit = pixelsPerUnit * devicePixelRatio;
  const int width = int(std::ceil(2 * kRadiusX * perUnit));
  const int height = int(std::ceil(2 * kRadiusY * perUnit));
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  for (int row = 0; row < height; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const double y = kRadiusY - (row + 0.5) / perUnit;
    for (int column = 0; column < width; ++column) {
      const double x = (column + 0.5) / perUnit - kRadiusX;
      if (const auto c = ColourAt(x, y)) line[column] = c->toQColor().rgb();
    }
  }
  image.setDevicePixelRatio(devicePixelRatio);
  return image;
}

}  // namespace background_light

void PlotBackground(App& app) {
  if (!app.TABLE.axes || !app.TABLE.axes->scene()) return;
  const double ratio = std::max(1.0, std::ceil(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0));
  QImage light = background_light::Image(table_geometry::Scale(), ratio);
  auto* item = new QGraphicsPixmapItem(QPixmap::fromImage(std::move(light)));
  item->setTransformationMode(Qt::SmoothTransformation);
  item->setPos(table_geometry::ToScene(-background_light::kRadiusX, background_light::kRadiusY));
  item->setAcceptedMouseButtons(Qt::NoButton);
  // Behind everything, as if drawn on a plot area of its own under the table's.
  item->setZValue(-1000);
  app.TABLE.axes->scene()->addItem(item);
}

}  // namespace zuv
