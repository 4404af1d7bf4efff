#pragma once

#include <QRect>
#include <QSize>

namespace zuv {

// Converts a (left, bottom, width, height) position in fractions of a window,
// origin at the bottom left, into a Qt rectangle (origin at the top left).
inline QRect NormalToPixels(double left, double bottom, double width, double height, QSize window) {
  const double x = left * window.width();
  const double y = (1.0 - bottom - height) * window.height();
  return QRect(qRound(x), qRound(y), qRound(width * window.width()), qRound(height * window.height()));
}

// The same for a position already in pixels, origin at the bottom left.
inline QRect BottomLeftToPixels(double left, double bottom, double width, double height, QSize window) {
  return QRect(qRound(left), qRound(window.height() - bottom - height), qRound(width), qRound(height));
}

}  // namespace zuv
