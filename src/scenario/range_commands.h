#pragma once

#include <optional>
#include <string>

namespace zuv {

class App;

// Opens the range window for an active seat and waits for it. Ok gives the
// seat the chosen range: its fixed cards go back to the deck and it is dealt
// from the range. Without a seat number the clicked seat oval decides.
void CBSetPlayerRange(App& app, std::optional<int> seat = std::nullopt);

// The commands of the open range window; each does nothing without one.
// Sets grid cell (row, column), numbered from 1, on or off; without `on` it
// toggles the cell.
void CBRangeCell(App& app, std::optional<int> row, std::optional<int> column, std::optional<int> on = std::nullopt);
// The range text as the user typed it.
void CBRangeText(App& app, std::optional<std::string> text);
// The strongest hands up to `tenths` / 10 % of all combinations (0..1000).
void CBRangeTop(App& app, std::optional<int> tenths);
// The weight 0..100 % that clicks, suits and the top X % give.
void CBRangeWeight(App& app, std::optional<int> percent);
// Shows the suits of grid cell (row, column), numbered from 1.
void CBRangeSuits(App& app, std::optional<int> row, std::optional<int> column);
// One combination ("AsKs") on or off; without `on` it toggles.
void CBRangeCombo(App& app, std::optional<std::string> combo, std::optional<int> on = std::nullopt);
// Saves the range under a name (asked for when not given), loads a saved
// range, deletes one (without a name the one chosen in the list).
void CBSaveRange(App& app, std::optional<std::string> name = std::nullopt);
void CBLoadRange(App& app, std::optional<std::string> name);
void CBDeleteRange(App& app, std::optional<std::string> name = std::nullopt);
// "Ok" takes the range (when it can be dealt), "Cancel" and the close box
// keep the seat as it was. A seat number other than the window's is ignored.
void CBCloseRangeFigure(App& app, std::optional<std::string> button, std::optional<int> seat = std::nullopt);

}  // namespace zuv
