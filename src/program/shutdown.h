#pragma once

namespace zuv {

class App;

// Ends the program in order, also while a simulation runs or a card-choosing
// window is open: flag, hide, close the other windows, pause, close.
void CBCloseMainWindow(App& app);

}  // namespace zuv
