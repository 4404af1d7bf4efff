#pragma once

namespace zuv {

class App;

// Makes this folder's commands known to the dispatcher under their names.
void RegisterTableCommands(App& app);

}  // namespace zuv
