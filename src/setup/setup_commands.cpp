#include "setup/setup_commands.h"

#include "setup/recent_setups.h"
#include "setup/seed_controls.h"
#include "setup/setup_files.h"
#include "state/app.h"

namespace zuv {

void RegisterSetupCommands(App& app) {
  app.commands.add("CBSetRandomSeed", 0, [&app](const CommandArgs&) { CBSetRandomSeed(app); });
  app.commands.add("CBValidateSeed", 0, [&app](const CommandArgs&) { CBValidateSeed(app); });
  app.commands.add("CBSaveSetup", 0, [&app](const CommandArgs&) { CBSaveSetup(app); });
  app.commands.add("CBLoadSetup", 0, [&app](const CommandArgs&) { CBLoadSetup(app); });
  app.commands.add("CBLoadRecentSetup", 1, [&app](const CommandArgs& args) {
    if (const auto k = args.integer(0)) CBLoadRecentSetup(app, static_cast<int>(*k));
  });
}

}  // namespace zuv
