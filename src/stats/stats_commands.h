#pragma once

namespace zuv {

class App;

// Makes this folder's commands known to the dispatcher under their names.
void RegisterStatsCommands(App& app);

}  // namespace zuv
