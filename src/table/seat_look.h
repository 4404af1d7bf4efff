#pragma once

namespace zuv {

class App;

// Draws seat `seat` as inactive (grey, 20 % opaque, black edge and number),
// clears its active and random flags and disables its card items.
void DimDeactivatedPlayer(App& app, int seat);

}  // namespace zuv
