#pragma once

#include <QString>

namespace zuv {

class App;

// The common middle of the card-choosing commands: gates the context menus
// and the Start button, opens the card-choosing window for N cards, waits
// until it is gone and restores the menus. True when the choice is made:
// CHOOSECARDS.chosencards then holds N distinct free cards.
bool ChooseInWindow(App& app, int n, const QString& title);

}  // namespace zuv
