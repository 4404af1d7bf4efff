#pragma once

#include <QColor>
#include <QFont>
#include <QPen>

#include "state/records.h"

namespace zuv::table_style {

// Face of the box behind a hand caption.
inline constexpr RGB kCaptionFace{0.9, 0.9, 0.63};
// Plate behind a seat's range caption: the felt, darkened, letting the cards show through.
inline constexpr RGB kRangePlateFace{0.02, 0.12, 0.0};
inline constexpr double kRangePlateAlpha = 0.8;
// Opacity of an inactive seat's face.
inline constexpr double kInactiveFaceAlpha = 0.2;

// Line widths are in pixels of the 450-pixel table square.
QPen OvalEdge(const QColor& color);
QPen TableEdge();
QPen SeatEdge(const QColor& color);
QPen CaptionEdge();
// The dark rim of a seat number, which keeps it readable over the seat's cards.
QPen SeatNumberRim();

QFont SeatNumberFont();
QFont CaptionFont();
QFont RangeCaptionFont();

}  // namespace zuv::table_style
