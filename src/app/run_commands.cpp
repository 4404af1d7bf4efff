#include "app/app.h"
#include "app/command_registry.h"

namespace zuv {

void RegisterRunCommands(App&) {}

}  // namespace zuv
