#include "run/show_hands.h"

#include <QCheckBox>

#include "state/app.h"
#include "state/controls.h"
#include "table/card_display.h"

namespace zuv {

void CBShowHands(App& app) {
  app.SIM.showhands = app.SIM.showhands == 1 ? 0 : 1;
  // The box shows the flag, also when the command comes from elsewhere than a click.
  if (auto* box = qobject_cast<QCheckBox*>(app.UICONTROLS.handle[kShowHandsBox])) {
    box->setChecked(app.SIM.showhands == 1);
  }
  if (app.SIM.showhands == 0) CBClearTable(app);
}

}  // namespace zuv
