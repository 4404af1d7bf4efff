#include "app/app.h"
#include "app/command_registry.h"
#include "stats/win_stat_window.h"

namespace zuv {

void RegisterStatsCommands(App& app) {
  app.commands.add("CBShowSplittedHands", 0, [&app](const CommandArgs&) { CBShowSplittedHands(app); });
}

}  // namespace zuv
