#pragma once

namespace zuv {

class App;

// Sets the labels and enable states of every seat's and the board's context
// menu items from the records, as the card commands and seat switching leave
// them. For code that replaces the scenario wholesale (loading a setup), so
// that "Release player cards", "Set Turn card" and the rest match the loaded
// cards.
void UpdateScenarioMenus(App& app);

}  // namespace zuv
