#pragma once

namespace zuv {

class App;

// The board's context menu (TABLE.cmenu and its six items: flop, turn and dead
// cards) with their initial enable states: only "Set Flop cards" and "Set dead
// cards..." are usable at first.
void CreateBoardMenu(App& app);

// Seat `seat`'s context menu (PLAYER(seat).cmenu and its four items):
// "Deactivate player", "Choose player cards", "Set player range...",
// "Release player cards" (disabled).
void CreateSeatMenu(App& app, int seat);

}  // namespace zuv
