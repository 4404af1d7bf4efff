#include "run/exact_odds_box.h"

#include <QCheckBox>

#include "run/show_hands.h"
#include "state/app.h"
#include "state/controls.h"
#include "state/main_window.h"

namespace zuv {

QCheckBox* ExactOddsBox(App& app) {
  MainWindow* window = app.FIGURE.mainfigurehandle;
  return window ? window->canvas()->findChild<QCheckBox*>(kExactOddsBoxName) : nullptr;
}

void CBExactOdds(App& app) {
  app.SIM.exact = app.SIM.exact == 1 ? 0 : 1;
  ShowExactOdds(app);
}

void ShowExactOdds(App& app) {
  const bool exact = app.SIM.exact == 1;
  if (exact && app.SIM.showhands == 1) CBShowHands(app);
  if (QCheckBox* box = ExactOddsBox(app)) box->setChecked(exact);
  if (QWidget* hands = app.UICONTROLS.handle[kHandsField]) hands->setEnabled(!exact);
  if (QWidget* show = app.UICONTROLS.handle[kShowHandsBox]) show->setEnabled(!exact);
}

}  // namespace zuv
