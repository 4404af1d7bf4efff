#include "run/run_commands.h"

#include "run/exact_odds_box.h"
#include "run/simulation_run.h"
#include "state/app.h"

namespace zuv {

void RegisterRunCommands(App& app) {
  app.commands.add("CBStartSimulation", 0, [&app](const CommandArgs&) { CBStartSimulation(app); });
  app.commands.add("CBStopSimulation", 0, [&app](const CommandArgs&) { CBStopSimulation(app); });
  app.commands.add("CBShowHands", 0, [&app](const CommandArgs&) { CBShowHands(app); });
  app.commands.add("CBExactOdds", 0, [&app](const CommandArgs&) { CBExactOdds(app); });
}

}  // namespace zuv
