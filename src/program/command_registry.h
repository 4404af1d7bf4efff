#pragma once

namespace zuv {

class App;

// Makes every command of the program known to the dispatcher under its name
// with its declared number of arguments.
void RegisterCommands(App& app);

// The commands of the main window itself: quit, the hands field, help and About.
void RegisterProgramCommands(App& app);

}  // namespace zuv
