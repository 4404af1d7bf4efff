#include "table/table_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "state/app.h"

namespace zuv::table_layout {

namespace {

double SignedPower(double v, double exponent) {
  return (v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0) * std::pow(std::abs(v), exponent);
}

// Seat numbers outside 1..10 cannot come from the program's own commands;
// clamping keeps a damaged record from taking the table down.
double Angle(const App& app, int seat) { return app.TABLE.playerangle[std::clamp(seat, 1, kSeats) - 1]; }

}  // namespace

std::vector<QPointF> PatchCirclePoints(double xcenter, double ycenter, double radiusX, double radiusY, double skew) {
  std::vector<QPointF> points;
  points.reserve(72);
  // Corners every 5 degrees, the first at 1 degree (never exactly on an axis).
  for (int degrees = 1; degrees <= 356; degrees += 5) {
    const double v = degrees * std::numbers::pi / 180;
    points.emplace_back(xcenter + radiusX * SignedPower(std::cos(v), skew),
                        ycenter + radiusY * SignedPower(std::sin(v), skew));
  }
  return points;
}

double Xmove(const App& app, int seat) {
  return (seat >= 6 && seat <= 9) ? -app.SETUP.CardSize[0] / 3.2 : 0.0;
}

QPointF SeatCentre(const App& app, int seat) {
  const double a = Angle(app, seat);
  const auto& t = app.TABLE.tableradie;
  const auto& r = app.TABLE.headradie;
  return {std::cos(a) * (t[0] + r[0] * 1.2), std::sin(a) * (t[1] + r[1] * 1.2)};
}

QPointF CardReference(const App& app, int seat) {
  const double a = Angle(app, seat);
  const auto& t = app.TABLE.tableradie;
  const auto& r = app.TABLE.headradie;
  return {std::cos(a) * (t[0] + r[0] * 1.6), std::sin(a) * (t[1] + r[1] * 2.8)};
}

DataBox HoleCardBox(const App& app, int seat, int card) {
  const auto [w, h] = app.SETUP.CardSize;
  const QPointF p = CardReference(app, seat);
  const double x = p.x() + Xmove(app, seat) + (card == 2 ? w / 3 : 0.0);
  const double y = p.y() + h / 5 - (card == 2 ? h / 30 : 0.0);
  return {x - w / 2, x + w / 2, y - h / 2, y + h / 2};
}

QPointF CaptionCentre(const App& app, int seat) {
  const QPointF p = CardReference(app, seat);
  return {p.x() + Xmove(app, seat) * 0.93 + 0.04, p.y() - 0.21 + app.SETUP.CardSize[1] / 5};
}

DataBox CaptionBox(const App& app, int seat) {
  const QPointF c = CaptionCentre(app, seat);
  return {c.x() - kCaptionHalfWidth, c.x() + kCaptionHalfWidth, c.y() - kCaptionHalfHeight,
          c.y() + kCaptionHalfHeight};
}

DataBox BoardCardBox(const App& app, int position) {
  const auto [w, h] = app.SETUP.CardSize;
  const double x = (-2 + (position - 1)) * kCardDistance * w;
  return {x - w / 2, x + w / 2, -h / 2, h / 2};
}

DataBox DeadCardBox(const App& app, int position, int count) {
  const double w = app.SETUP.CardSize[0] * kDeadCardScale;
  const double h = app.SETUP.CardSize[1] * kDeadCardScale;
  const double x = (position - (count + 1) / 2.0) * kCardDistance * w;
  const double bottom = -table_geometry::kYLimit + kDeadCardMargin;
  return {x - w / 2, x + w / 2, bottom, bottom + h};
}

QPointF DealerButtonCentre(const App& app) {
  const double a = Angle(app, app.SETUP.Dealer);
  const double skew = app.TABLE.skew;
  const auto& t = app.TABLE.tableradie;
  return {SignedPower(std::cos(a), skew) * t[0] * kDealerScale, SignedPower(std::sin(a), skew) * t[1] * kDealerScale};
}

double DealerButtonSpan(double pixels) { return pixels / 240 * 1.29; }

}  // namespace zuv::table_layout
