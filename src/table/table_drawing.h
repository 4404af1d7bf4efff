#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "state/records.h"

namespace zuv {

class App;

// Draws the table once: background, table oval, seats, card pictures, hand
// captions, board pictures and the context menus of seats and board.
// TABLE.axes becomes the table's view; every item goes into the records.
void plottable(App& app);

// Places the dealer button and shows the players' cards. Returns the problem
// when the dealer button's picture cannot be read.
std::optional<QString> DisplaySetup(App& app);

// A new filled oval in the table's view, centred at (xcenter, ycenter) in data
// units. `radie` holds one half-axis for both directions or two (x, y); `skew`
// below 1 squares the oval off towards a rectangle with soft corners. Face in
// `color`, black edge, reacting to clicks. Null when `radie` is empty or the
// table's view does not exist yet.
PolygonItem* patchcircle(App& app, double xcenter, double ycenter, const std::vector<double>& radie,
                         const RGB& color, double skew = 1.0);

}  // namespace zuv
