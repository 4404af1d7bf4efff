#pragma once

namespace zuv {

class App;

// Every change of the scenario discards the shown result: the win-rate chart
// is cleared and hidden, and so are the simulated-hands label and counter.
void ResetResultDisplay(App& app);

}  // namespace zuv
