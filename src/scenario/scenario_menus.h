#pragma once

class QAction;

namespace zuv {

class App;

// A menu item's label and enable state; items not created yet are skipped.
void SetLabel(QAction* item, const char* label);
void SetEnable(QAction* item, bool on);

// Sets the labels and enable states of seat `seat`'s context menu items from
// the records: "Set player range..." where "Choose player cards" is usable,
// "Release player cards" for fixed cards or a range.
void UpdateSeatMenu(App& app, int seat);

// Sets the labels and enable states of every seat's and the board's context
// menu items from the records, as the card commands and seat switching leave
// them. For code that replaces the scenario wholesale (loading a setup), so
// that "Release player cards", "Set Turn card" and the rest match the loaded
// cards.
void UpdateScenarioMenus(App& app);

}  // namespace zuv
