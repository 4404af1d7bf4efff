#pragma once

namespace zuv {

class App;

// The dead-card commands of the table's context menu. Dead cards (at most
// kMaxDeadCards, TABLE.deadcards) are out of play: they leave the deck like
// fixed cards and are never dealt.

// Opens the card-choosing window with the dead cards picked; Ok makes the
// picked cards (one or more) the dead cards, Cancel keeps the old ones.
void CBSetDeadCards(App& app);
// Gives every dead card back to the deck.
void CBReleaseDeadCards(App& app);

}  // namespace zuv
