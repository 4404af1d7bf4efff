#include "app/startup.h"

#include "app/app.h"
#include "app/control_panel.h"
#include "app/initial_setup.h"
#include "app/main_window.h"
#include "setup/recent_setups.h"
#include "table/table_drawing.h"

namespace zuv {

std::optional<QString> zuvpoker(App& app) {
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
