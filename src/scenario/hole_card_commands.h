#pragma once

#include <optional>

namespace zuv {

class App;

// Fixes (or fixes again) the two hole cards of an active seat in the
// card-choosing window; they replace the seat's range. Without a seat number the clicked seat oval decides
// (seat 10 when none was clicked).
void CBChoosePlayerCards(App& app, std::optional<int> seat = std::nullopt);

// True when the seat's cards were fixed by the user. After a run a random
// seat still holds the cards dealt in the last hand; those are not fixed.
bool HasFixedCards(App& app, int seat);

// Gives a seat's fixed hole cards back to the deck, or drops its range; the
// seat is dealt any two cards again.
void CBReleaseCards(App& app, std::optional<int> seat = std::nullopt);

}  // namespace zuv
