#pragma once
// Which items of the seat and board context menus are usable, and their
// labels, from the records. The scenario commands and the run both use these
// rules; no other code decides an item's state.

class QAction;

namespace zuv {

class App;

// True when the seat's cards were fixed by the user. After a run a random
// seat still holds the cards dealt in the last hand; those are not fixed.
bool HasFixedCards(const App& app, int seat);

// True when an active seat dealt at random is dealt from a range rather
// than any two cards.
bool HasRange(const App& app, int seat);

// Seat `seat`'s items: "Deactivate player" / "Activate player" always;
// "Choose player cards" (or "Choose new player cards") and "Set player
// range..." on an active seat; "Release player cards" for fixed cards or a range.
void UpdateSeatMenu(App& app, int seat);

// The board's items: "Set Flop cards" and "Set dead cards..." always; the
// turn's items and "Release flop cards" with a fixed flop; "Release Turn
// card" with a fixed turn; "Release dead cards" with dead cards. Labels say
// whether the cards are chosen anew.
void UpdateBoardMenu(App& app);

// Every seat's and the board's items, as the records stand: after a run, a
// load, or any change of the scenario.
void UpdateContextMenus(App& app);

// The same enable states, leaving the labels as they are: after a run, which
// changed no label.
void EnableContextMenus(App& app);

// Every seat's and the board's items unusable, while a run goes.
void DisableContextMenus(App& app);

}  // namespace zuv
