#pragma once

namespace zuv {

class App;

// The small caption of a seat dealt from a range: the range text on a dark
// plate across the middle of its cards, just under the seat number, cut
// short with "…" when it is wider than the cards allow and whole in its
// tooltip. Other seats show none. Changes only the caption's items.
void DisplayRangeCaption(App& app, int seat);

}  // namespace zuv
