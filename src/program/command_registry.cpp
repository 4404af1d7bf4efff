#include "program/command_registry.h"

#include "run/run_commands.h"
#include "scenario/scenario_commands.h"
#include "setup/setup_commands.h"
#include "stats/stats_commands.h"
#include "table/table_commands.h"

namespace zuv {

void RegisterCommands(App& app) {
  RegisterProgramCommands(app);
  RegisterTableCommands(app);
  RegisterScenarioCommands(app);
  RegisterRunCommands(app);
  RegisterStatsCommands(app);
  RegisterSetupCommands(app);
}

}  // namespace zuv
