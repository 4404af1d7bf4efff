#pragma once

namespace zuv {

class App;

// Creates the controls of the main window's panel, in their fixed order,
// storing each in its UICONTROLS.handle slot. Flushes the drawing between groups.
void CreateControlPanel(App& app);

// Creates the hidden plot area of the live win-rate chart.
void CreateHistogramAxes(App& app);

// Creates the "File" and "Help" menus with their items.
void CreateMenus(App& app);

}  // namespace zuv
