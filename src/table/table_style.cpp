#include "table/table_style.h"

namespace zuv::table_style {

namespace {
QPen Edge(const QColor& color, double width) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}
}  // namespace

QPen OvalEdge(const QColor& color) { return Edge(color, 1.0); }
QPen TableEdge() { return Edge(Qt::black, 1.5); }
QPen SeatEdge(const QColor& color) { return Edge(color, 1.0); }
QPen CaptionEdge() { return Edge(Qt::black, 0.8); }
QPen SeatNumberRim() { return Edge(QColor(20, 20, 20), 1.2); }

QFont SeatNumberFont() {
  QFont font;
  font.setPixelSize(14);
  font.setBold(true);
  return font;
}

QFont CaptionFont() {
  QFont font;
  font.setPixelSize(12);
  return font;
}

QFont RangeCaptionFont() {
  QFont font;
  font.setPixelSize(10);
  font.setStretch(QFont::SemiCondensed);
  return font;
}

}  // namespace zuv::table_style
