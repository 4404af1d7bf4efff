#include "app/command_registry.h"

namespace zuv {

void RegisterCommands(App& app) {
  RegisterAppCommands(app);
  RegisterTableCommands(app);
  RegisterScenarioCommands(app);
  RegisterRunCommands(app);
  RegisterStatsCommands(app);
  RegisterSetupCommands(app);
}

}  // namespace zuv
