#pragma once

#include <QPointF>
#include <array>
#include <vector>

#include "table/table_geometry.h"

namespace zuv {

class App;

// Where the table's objects go, in data units, worked out from the records
// (seat angles, TABLE.tableradie and headradie as plottable sets them, card
// size, dealer seat). Drawing and tests share these figures.
namespace table_layout {

using table_geometry::DataBox;

inline constexpr std::array<double, 2> kTableRadie{0.8, 0.5};  // plottable stores them in TABLE
inline constexpr std::array<double, 2> kHeadRadie{0.14, 0.1};
inline constexpr double kTableScale = 0.85;     // table oval half-axes = tableradie x this
inline constexpr double kCardDistance = 1.1;    // board card spacing in card widths
inline constexpr double kDealerScale = 0.75;    // dealer button ring = tableradie x this
inline constexpr double kCaptionHalfWidth = 0.1;
inline constexpr double kCaptionHalfHeight = 0.05;
inline constexpr double kCaptionMargin = 0.03;  // room beside a hand name inside its caption box
inline constexpr double kDeadCardScale = 0.6;   // dead cards are drawn this much smaller than the others
inline constexpr double kDeadCardMargin = 0.04; // room between the row of dead cards and the lower edge

// The 72 corners of patchcircle's oval, at 1, 6, ..., 356 degrees.
std::vector<QPointF> PatchCirclePoints(double xcenter, double ycenter, double radiusX, double radiusY,
                                       double skew = 1.0);

// Leftward shift of seat p's cards: seats 6 to 9 sit on the left half.
double Xmove(const App& app, int seat);
QPointF SeatCentre(const App& app, int seat);
// The point the seat's cards and caption are placed from.
QPointF CardReference(const App& app, int seat);
// Hole card j (1 or 2) of seat p; card 2 lies a third of a card to the right and a little lower.
DataBox HoleCardBox(const App& app, int seat, int card);
QPointF CaptionCentre(const App& app, int seat);
// The caption background as the table is first drawn: 0.2 wide, 0.1 high.
DataBox CaptionBox(const App& app, int seat);
// Board position k (1..5), centred in a row on the table's middle line.
DataBox BoardCardBox(const App& app, int position);
// Dead card k (1..count) in a row of `count`, centred on the lower edge of the
// visible table, below the lowest seats' captions.
DataBox DeadCardBox(const App& app, int position, int count);
// The dealer button's centre, towards the dealer's seat on a smaller copy of the table's shape.
QPointF DealerButtonCentre(const App& app);
// The button's size in data units for a picture of the given display pixels.
double DealerButtonSpan(double pixels);

}  // namespace table_layout
}  // namespace zuv
