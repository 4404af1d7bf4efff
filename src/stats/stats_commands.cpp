#include "stats/stats_commands.h"

#include "state/app.h"
#include "stats/win_stat_export.h"
#include "stats/win_stat_window.h"

namespace zuv {

void RegisterStatsCommands(App& app) {
  app.commands.add("CBShowSplittedHands", 0, [&app](const CommandArgs&) { CBShowSplittedHands(app); });
  app.commands.add("CBSaveStatPicture", 0, [&app](const CommandArgs&) { CBSaveStatPicture(app); });
  app.commands.add("CBSaveStatTable", 0, [&app](const CommandArgs&) { CBSaveStatTable(app); });
  app.commands.add("CBCopyStatTable", 0, [&app](const CommandArgs&) { CBCopyStatTable(app); });
}

}  // namespace zuv
