#pragma once

namespace zuv {

class App;

// Makes every command of the program known to the dispatcher under its name
// with its declared number of arguments.
void RegisterCommands(App& app);

// Each subsystem registers its own commands.
void RegisterAppCommands(App& app);
void RegisterTableCommands(App& app);
void RegisterScenarioCommands(App& app);
void RegisterRunCommands(App& app);
void RegisterStatsCommands(App& app);
void RegisterSetupCommands(App& app);

}  // namespace zuv
