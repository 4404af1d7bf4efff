#pragma once

namespace zuv {

class App;

// The small caption of a seat dealt from a range: the range text on a dark
// plate across the middle of its cards (their backs), just under the seat
// number, or above the cards beside the number while they show a dealt hand;
// cut short with "…" when it is wider than the room allows and whole in its
// tooltip. Other seats show none. Changes only the caption's items.
void DisplayRangeCaption(App& app, int seat);

}  // namespace zuv
