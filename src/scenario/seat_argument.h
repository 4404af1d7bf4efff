#pragma once

#include <optional>

namespace zuv {

class App;

// The seat a seat command works on. Without a seat number it is the seat
// whose oval is the current object (the first of seats 1..10), else seat 10.
// Nullopt for a number outside 1..10: the command then does nothing.
std::optional<int> SeatArgument(const App& app, std::optional<int> seat);

}  // namespace zuv
