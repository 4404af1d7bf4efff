#pragma once

namespace zuv {

class App;

// True while a card-choosing or range window is open. The window was filled
// from the table as it stood when it opened, so commands that would change
// seats or cards meanwhile do nothing.
bool ChoosingWindowOpen(App& app);

}  // namespace zuv
