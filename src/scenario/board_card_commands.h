#pragma once

namespace zuv {

class App;

// The board commands of the table's context menu. The board is open, has a
// fixed flop (TABLE.boardcards holds 3 cards) or a fixed flop and turn (4).

// Fixes (or fixes again) the three flop cards; a fixed turn stays.
void CBSetFlop(App& app);
// Fixes (or fixes again) the turn card; only while a flop is fixed.
void CBSetTurn(App& app);
// Gives flop and turn back to the deck.
void CBReleaseFlop(App& app);
// Gives the turn back to the deck; only while a turn is fixed.
void CBReleaseTurn(App& app);

}  // namespace zuv
