#pragma once

#include <QString>

namespace zuv {

class App;

// The chart's title: "Simulated win rate" for a sampled run, "Exact win rate"
// while every deal is enumerated, and a stopped enumeration says it is not exact.
QString WinRateTitle(const App& app);

// Draws the live chart (titled by WinRateTitle) in FIGURE.histogramaxes from
// SIM.WinRecord: one light-yellow bar per seat, its height the share of the
// `simulation` hands played so far that the seat won, with each active
// seat's percentage written above the bar (below 0.63) or inside it. The bars,
// labels and axes are built once for the active seats and their labels'
// places; later calls only set heights, texts and positions. Then serves
// pending events, which is where a running simulation hears Stop. Draws
// nothing while the program is closing.
void plothistogram(App& app, long long simulation);

// Where an active seat's rate label goes: above the bar on a backdrop that
// blanks the grid, or inside a tall bar. Both in chart units.
struct RateLabelPlace {
  bool insideBar = false;
  double textY = 0;                      // start of the upward-reading text
  double backdropBottom = 0, backdropTop = 0;  // only when above the bar
};
RateLabelPlace PlaceRateLabel(double rate);

}  // namespace zuv
