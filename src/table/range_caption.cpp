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
// Room between the plate and the cards or the seat number beside it.
constexpr double kGap = 0.005;

// The range whole when it fits in `maxWidth` pixels of the caption's font,
// else cut short with "…".
QString RangeCaptionText(const QString& range, double maxWidth) {
  return QFontMetricsF(table_style::RangeCaptionFont()).elidedText(range, Qt::ElideRight, maxWidth);
}

bool Meet(const geo::DataBox& a, const geo::DataBox& b) {
  return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// The seat's hand caption at the widest hand name, where the table puts it.
geo::DataBox WidestHandCaption(const App& app, int seat) {
  const QFontMetricsF metrics(table_style::CaptionFont());
  double widest = 0;
  for (const std::string& name : app.SETUP.handnames) {
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(name)));
  }
  const geo::DataBox box = table_layout::CaptionBox(app, seat);
  const double half = widest / geo::Scale() / 2 + table_layout::kCaptionMargin;
  return {box.centre().x() - half, box.centre().x() + half, box.bottom, box.top};
}

// A place of the plate clear of the other seats' cards and hand captions.
bool Clear(const App& app, int seat, const geo::DataBox& plate) {
  for (int other = 1; other <= kSeats; ++other) {
    if (other == seat || app.TABLE.activeplayers.at(other - 1) != 1) continue;
    if (Meet(plate, table_layout::HoleCardBox(app, other, 1)) || Meet(plate, table_layout::HoleCardBox(app, other, 2)) ||
        Meet(plate, WidestHandCaption(app, other))) {
      return false;
    }
  }
  return true;
}

// Across the middle of the two cards, which show their backs; a seat near
// the side moves its caption in just enough to keep it on the visible table.
geo::DataBox AcrossTheCards(const App& app, int seat, double halfWidth, double halfHeight) {
  const geo::DataBox first = table_layout::HoleCardBox(app, seat, 1);
  const geo::DataBox second = table_layout::HoleCardBox(app, seat, 2);
  const double room = std::max(0.0, geo::kXLimit - halfWidth);
  const double x = std::clamp((first.left + second.right) / 2, -room, room);
  const double y = first.centre().y();
  return {x - halfWidth, x + halfWidth, y - halfHeight, y + halfHeight};
}

// Above the cards, which show a dealt hand, beside the seat number: on the
// side away from the table's middle, narrowed to stay on the table, unless a
// neighbour's cards or hand caption are there; then on the side towards it.
geo::DataBox AboveTheCards(const App& app, int seat, double width, double height) {
  const geo::DataBox first = table_layout::HoleCardBox(app, seat, 1);
  const geo::DataBox second = table_layout::HoleCardBox(app, seat, 2);
  const double bottom = std::max(first.top, second.top) + kGap;
  const geo::DataBox number = geo::DataBoxOf(*app.player(seat).playernrtexthandle);
  const bool rightHalf = table_layout::SeatCentre(app, seat).x() >= 0;
  geo::DataBox outer{0, 0, bottom, bottom + height};
  if (rightHalf) {
    outer.left = number.right + kGap;
    outer.right = std::min(outer.left + width, geo::kXLimit);
  } else {
    outer.right = number.left - kGap;
    outer.left = std::max(outer.right - width, -geo::kXLimit);
  }
  if (Clear(app, seat, outer)) return outer;
  geo::DataBox inner{0, 0, bottom, bottom + height};
  if (rightHalf) {
    inner.right = number.left - kGap;
    inner.left = inner.right - width;
  } else {
    inner.left = number.right + kGap;
    inner.right = inner.left + width;
  }
  return inner;
}

// The seat shows the faces of its dealt cards (a hand shown one by one), not their backs.
bool ShowsDealtHand(const App& app, int seat) {
  const PictureItem* card = app.player(seat).cardimage[0];
  return card && card->isVisible() && card->pixmap().cacheKey() != app.DECK.backsideimage.cacheKey();
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
  double halfWidth = text->boundingRect().width() / scale / 2 + kPlateMarginX;
  const double halfHeight = text->boundingRect().height() / scale / 2 + kPlateMarginY;
  geo::DataBox box = AcrossTheCards(app, seat, halfWidth, halfHeight);
  if (ShowsDealtHand(app, seat) && player.playernrtexthandle) {
    box = AboveTheCards(app, seat, 2 * halfWidth, 2 * halfHeight);
    // Narrowed at the table's edge: the text is cut shorter to fit.
    if (box.width() < 2 * halfWidth) text->setString(RangeCaptionText(range, (box.width() - 2 * kPlateMarginX) * scale));
  }
  plate->setPolygon(QPolygonF(geo::ToScene(box)));
  text->setAnchor(geo::ToScene(box.centre()), Qt::AlignCenter);
  text->setToolTip(range);
  plate->setToolTip(range);
  text->show();
  plate->show();
}

}  // namespace zuv
