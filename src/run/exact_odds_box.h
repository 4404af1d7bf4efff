#pragma once

class QCheckBox;

namespace zuv {

class App;

// The "Exact odds (every deal)" box, or null before the panel exists.
QCheckBox* ExactOddsBox(App& app);

// The box's command: flips SIM.exact and shows it on the panel.
void CBExactOdds(App& app);

// Shows SIM.exact on the panel: with it on, the hands field and the "Show
// every simulated hand" box are off (and the hand display with them).
void ShowExactOdds(App& app);

}  // namespace zuv
