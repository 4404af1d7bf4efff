#include "app/app.h"
#include "app/command_registry.h"

namespace zuv {

void RegisterStatsCommands(App&) {}

}  // namespace zuv
