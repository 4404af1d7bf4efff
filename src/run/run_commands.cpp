#include "run/run_commands.h"

#include <memory>

#include "run/exact_odds_box.h"
#include "run/run.h"
#include "run/show_hands.h"
#include "state/app.h"

namespace zuv {

void RegisterRunCommands(App& app) {
  // The window's one run lives as long as the commands that reach it.
  auto run = std::make_shared<Run>(app);
  app.commands.add("CBStartSimulation", 0, [run](const CommandArgs&) { run->Start(); });
  app.commands.add("CBStopSimulation", 0, [run](const CommandArgs&) { run->Stop(); });
  app.commands.add("CBShowHands", 0, [&app](const CommandArgs&) { CBShowHands(app); });
  app.commands.add("CBExactOdds", 0, [&app](const CommandArgs&) { CBExactOdds(app); });
}

}  // namespace zuv
