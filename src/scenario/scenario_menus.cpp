#include "scenario/scenario_menus.h"

#include <QAction>

namespace zuv {

void SetEnable(QAction* item, bool on) {
  if (item) item->setEnabled(on);
}

}  // namespace zuv
