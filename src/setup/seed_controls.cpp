#include "setup/seed_controls.h"

#include <QLineEdit>
#include <cmath>

#include "app/app.h"
#include "app/number_text.h"

namespace zuv {

void CBSetRandomSeed(App& app) {
  app.SETUP.SetSeed = app.SETUP.SetSeed == 1 ? 0 : 1;
  if (QWidget* field = app.UICONTROLS.handle[10]) field->setEnabled(app.SETUP.SetSeed == 1);
}

void CBValidateSeed(App& app) {
  auto* field = qobject_cast<QLineEdit*>(app.UICONTROLS.handle[10]);
  if (!field) return;
  const auto value = ReadSingleNumber(field->text());
  if (value && *value == std::round(*value)) {
    // Adding 0.0 turns -0 into 0, so the field never shows "-0".
    app.SETUP.Seed = std::round(*value) + 0.0;
  } else {
    app.messages.errordlg("Random seed must be an integer", "Error");
  }
  field->setText(PlainNumber(app.SETUP.Seed));
}

}  // namespace zuv
