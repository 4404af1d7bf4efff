#pragma once

#include <optional>
#include <vector>

namespace zuv {

class App;

// Bring the card pictures and hand captions on the table into line with the
// records. They change only properties of existing items, never the records.
// A fixed card is drawn opaque, a card dealt by the simulation half transparent.

// Hole cards of the given seats (1..10), all seats when left out.
void DisplayPlayerCards(App& app, std::optional<std::vector<int>> seats = std::nullopt);
// Board positions (1..5), all five when left out.
void DisplayBoardCards(App& app, std::optional<std::vector<int>> positions = std::nullopt);
// The row of dead cards, small and dimmed, centred on the table's lower edge.
void DisplayDeadCards(App& app);
// Hand captions of the active seats, winners in red.
void DisplayHands(App& app);
// The resting look between runs: backs for random seats, fixed cards opaque, no river, no captions.
void CBClearTable(App& app);

}  // namespace zuv
