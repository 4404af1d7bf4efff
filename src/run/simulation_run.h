#pragma once

namespace zuv {

class App;

// The start button's command: checks the table, puts the window into its
// running state, plays SETUP.NrOfSims hands with the live chart, and at the
// end restores the window and opens the statistics window. Whole blocks of
// hands are played on worker threads (App::runThreads) while this thread
// serves events; hands shown one by one are played here. Stop, the show-hands
// box and closing the window reach it through SIM.stopsim, SIM.showhands and
// FIGURE.terminateprogram; the workers stop after their current block.
void CBStartSimulation(App& app);

// The stop button's command: asks the running simulation to stop at its next hand.
void CBStopSimulation(App& app);

// The "Show every simulated hand" box: flips SIM.showhands; switching it off
// clears the table. Works during a run and between runs.
void CBShowHands(App& app);

// Seconds each hand stays on the table while every hand is shown.
inline constexpr double kShowHandSeconds = 1.2;

}  // namespace zuv
