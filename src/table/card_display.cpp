#include "table/card_display.h"

#include "app/app.h"

namespace zuv {

// Filled in by the table view.
void DisplayPlayerCards(App&, std::optional<std::vector<int>>) {}
void DisplayBoardCards(App&, std::optional<std::vector<int>>) {}
void DisplayHands(App&) {}
void CBClearTable(App&) {}

}  // namespace zuv
