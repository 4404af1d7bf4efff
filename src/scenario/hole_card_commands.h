#pragma once

#include <optional>

namespace zuv {

class App;

// Fixes (or fixes again) the two hole cards of an active seat in the
// card-choosing window; they replace the seat's range. Without a seat number the clicked seat oval decides
// (seat 10 when none was clicked).
void CBChoosePlayerCards(App& app, std::optional<int> seat = std::nullopt);

// Gives a seat's fixed hole cards back to the deck, or drops its range; the
// seat is dealt any two cards again.
void CBReleaseCards(App& app, std::optional<int> seat = std::nullopt);

}  // namespace zuv
