#include "setup/seed_controls.h"

#include <QLineEdit>
#include <cmath>

#include "state/app.h"
#include "state/number_text.h"

namespace zuv {

void CBSetRandomSeed(App& app) {
  app.SETUP.SetSeed = app.SETUP.SetSeed == 1 ? 0 : 1;
  if (QWidget* field = app.UICONTROLS.handle[kSeedField]) field->setEnabled(app.SETUP.SetSeed == 1);
}

void CBValidateSeed(App& app) {
  auto* field = qobject_cast<QLineEdit*>(app.UICONTROLS.handle[kSeedField]);
  if (!field) return;
  const auto value = ReadSingleNumber(field->text());
  if (!value || *value != std::round(*value)) {
    app.messages.errordlg("Random seed must be an integer", "Error");
  } else if (std::abs(*value) > kLargestSeed) {
    app.messages.errordlg("Random seed must be a whole number from -9007199254740991 to 9007199254740991", "Error");
  } else {
    // Adding 0.0 turns -0 into 0, so the field never shows "-0".
    app.SETUP.Seed = *value + 0.0;
  }
  field->setText(PlainNumber(app.SETUP.Seed));
}

}  // namespace zuv
