#pragma once

#include <QString>

#include "scenario/choose_card_window.h"

namespace zuv {

class App;

// The common middle of the card-choosing commands: gates the context menus
// and the Start button, opens the card-choosing window, waits until it is
// gone and restores the menus. True when the choice is made:
// CHOOSECARDS.chosencards then holds as many distinct free cards as the
// request allows.
bool ChooseInWindow(App& app, const CardRequest& request, const QString& title);
// For exactly N cards.
inline bool ChooseInWindow(App& app, int n, const QString& title) {
  return ChooseInWindow(app, CardRequest::Exactly(n), title);
}

}  // namespace zuv
