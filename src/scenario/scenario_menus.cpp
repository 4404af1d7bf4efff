#include "scenario/scenario_menus.h"

#include <QAction>

namespace zuv {

void SetLabel(QAction* item, const char* label) {
  if (item) item->setText(label);
}

void SetEnable(QAction* item, bool on) {
  if (item) item->setEnabled(on);
}

}  // namespace zuv
