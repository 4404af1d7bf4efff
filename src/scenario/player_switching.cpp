#include "scenario/player_switching.h"

#include "app/app.h"

namespace zuv {

// Filled in by the scenario editing.
void CBTogglePlayerActivate(App&, std::optional<int>) {}
SavedMenuStates DisableContextMenues(App&) { return {}; }
void RestoreContextMenues(App&, const SavedMenuStates&) {}

}  // namespace zuv
