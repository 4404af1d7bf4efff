#pragma once

#include <optional>
#include <string>

namespace zuv {

class App;

// The commands of the card-choosing window. Both act only on the window that
// is open now and only when N matches it, so a stale text can do no harm.

// A click on card `card`: picks it (raised, appended to CHOOSECARDS.chosencards)
// or un-picks it; with N cards already picked it shows the picking limit.
// "Ok" is enabled exactly when N cards are picked (the dead-cards window:
// from one card up to N).
void CBPickCard(App& app, std::optional<int> card, std::optional<int> NumberOfCardsToPick = std::nullopt);

// "Ok" closes the window with the picked cards, once there are enough. "Cancel"
// (also the close box) puts the previously committed cards of the same kind
// back into CHOOSECARDS.chosencards and closes the window.
void CBClosePickFigure(App& app, std::optional<std::string> button,
                       std::optional<int> NrOfCardsToChoose = std::nullopt);

}  // namespace zuv
