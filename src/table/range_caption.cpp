#include "table/range_caption.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>

#include "platform/graphics_items.h"
#include "state/app.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"
#include "table/table_style.h"

namespace zuv {

namespace {

namespace geo = table_geometry;

// The widest plate in card widths, a little wider than the two cards: more
// would reach a neighbour's hand caption.
constexpr double kMaxWidthInCards = 1.5;
// Room around the text inside its plate, in data units.
constexpr double kPlateMarginX = 0.02;
constexpr double kPlateMarginY = 0.01;

// The range whole when it fits in `maxWidth` pixels of the caption's font,
// else cut short with "…".
QString RangeCaptionText(const QString& range, double maxWidth) {
  return QFontMetricsF(table_style::RangeCaptionFont()).elidedText(range, Qt::ElideRight, maxWidth);
}

}  // namespace

void DisplayRangeCaption(App& app, int seat) {
  PlayerRecord& player = app.player(seat);
  TextItem* text = player.rangetext;
  PolygonItem* plate = player.rangetextrectangle;
  if (!text || !plate) return;
  const QString range = QString::fromStdString(player.Range);
  if (app.activeplayers(seat) != 1 || app.simulateplayers(seat) != 1 || range.isEmpty()) {
    text->hide();
    plate->hide();
    return;
  }

  const double scale = geo::Scale();
  const double maxWidth = kMaxWidthInCards * app.SETUP.CardSize[0];
  text->setString(RangeCaptionText(range, (maxWidth - 2 * kPlateMarginX) * scale));
  const double halfWidth = text->boundingRect().width() / scale / 2 + kPlateMarginX;
  const double halfHeight = text->boundingRect().height() / scale / 2 + kPlateMarginY;

  // Across the middle of the two cards; a seat near the side moves its caption
  // in just enough to keep it on the visible table.
  const geo::DataBox first = table_layout::HoleCardBox(app, seat, 1);
  const geo::DataBox second = table_layout::HoleCardBox(app, seat, 2);
  const double room = std::max(0.0, geo::kXLimit - halfWidth);
  const double x = std::clamp((first.left + second.right) / 2, -room, room);
  const double y = first.centre().y();
  plate->setPolygon(QPolygonF(geo::ToScene(geo::DataBox{x - halfWidth, x + halfWidth, y - halfHeight, y + halfHeight})));
  text->setAnchor(geo::ToScene(x, y), Qt::AlignCenter);
  text->setToolTip(range);
  plate->setToolTip(range);
  text->show();
  plate->show();
}

}  // namespace zuv
