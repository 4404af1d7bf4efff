#include "program/hands_field.h"

#include <QLineEdit>
#include <cmath>

#include "state/app.h"
#include "state/number_text.h"

namespace zuv {

void CBValidateHandsToSimulate(App& app) {
  auto* field = qobject_cast<QLineEdit*>(app.UICONTROLS.handle[kHandsField]);
  if (!field) return;
  const auto value = ReadSingleNumber(field->text());
  if (value && *value == std::round(*value) && *value >= 1 && *value <= kMaxHandsToSimulate) {
    app.SETUP.NrOfSims = static_cast<int>(*value);
  } else {
    app.messages.errordlg("Number of hands must be a whole number from 1 to 1000000000", "Error");
  }
  field->setText(QString::number(app.SETUP.NrOfSims));
}

}  // namespace zuv
