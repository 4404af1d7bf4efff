#pragma once

#include <QColor>
#include <QFont>
#include <QPen>

#include "app/records.h"

namespace zuv::table_style {

// Face of the box behind a hand caption.
inline constexpr RGB kCaptionFace{0.9, 0.9, 0.63};
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

}  // namespace zuv::table_style
