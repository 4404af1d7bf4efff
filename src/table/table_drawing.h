#pragma once

#include <QString>
#include <optional>

namespace zuv {

class App;

// Draws the table once: background, table oval, seats, card pictures, hand
// captions, board pictures and the context menus of seats and board.
void plottable(App& app);

// Places the dealer button and shows the players' cards. Returns the problem
// when the dealer button's picture cannot be read.
std::optional<QString> DisplaySetup(App& app);

}  // namespace zuv
