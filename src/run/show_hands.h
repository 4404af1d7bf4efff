#pragma once

namespace zuv {

class App;

// The "Show every simulated hand" box: flips SIM.showhands; switching it off
// clears the table. Works during a run and between runs.
void CBShowHands(App& app);

// Seconds each hand stays on the table while every hand is shown.
inline constexpr double kShowHandSeconds = 1.2;

}  // namespace zuv
