#include "program/startup.h"

#include "program/command_registry.h"
#include "program/control_panel.h"
#include "setup/recent_setups.h"
#include "state/app.h"
#include "state/initial_setup.h"
#include "state/main_window.h"
#include "table/table_drawing.h"

namespace zuv {

std::optional<QString> zuvpoker(App& app) {
  RegisterCommands(app);
  if (auto problem = InitialSetup(app)) return problem;
  plottable(app);
  if (auto problem = DisplaySetup(app)) return problem;
  CreateControlPanel(app);
  app.FIGURE.mainfigurehandle->show();
  CreateHistogramAxes(app);
  CreateMenus(app);
  AddRecentSetupsMenu(app);
  return std::nullopt;
}

}  // namespace zuv
