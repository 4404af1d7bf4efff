#pragma once

namespace zuv {

class App;

// Makes this folder's commands known to the dispatcher under their names.
void RegisterRunCommands(App& app);

}  // namespace zuv
