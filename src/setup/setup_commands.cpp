#include "app/app.h"
#include "app/command_registry.h"
#include "setup/seed_controls.h"
#include "setup/setup_files.h"

namespace zuv {

void RegisterSetupCommands(App& app) {
  app.commands.add("CBSetRandomSeed", 0, [&app](const CommandArgs&) { CBSetRandomSeed(app); });
  app.commands.add("CBValidateSeed", 0, [&app](const CommandArgs&) { CBValidateSeed(app); });
  app.commands.add("CBSaveSetup", 0, [&app](const CommandArgs&) { CBSaveSetup(app); });
  app.commands.add("CBLoadSetup", 0, [&app](const CommandArgs&) { CBLoadSetup(app); });
}

}  // namespace zuv
