#pragma once

namespace zuv {

class App;

// Rebuilds the live chart "Simulated win rate" in FIGURE.histogramaxes from
// SIM.WinRecord: one light-yellow bar per seat, its height the share of the
// `simulation` hands played so far that the seat won, with each active
// seat's percentage written above the bar (below 0.63) or inside it. Then
// serves pending events, which is where a running simulation hears Stop.
// Draws nothing while the program is closing.
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
