#pragma once

#include <array>
#include <optional>

#include "state/controls.h"

namespace zuv {

class App;

// Switches a seat on or off. Without a seat number the seat whose oval is the
// current object is meant (seat 10 when none is).
void CBTogglePlayerActivate(App& app, std::optional<int> seat = std::nullopt);

// Enable states of the context-menu items saved while a card-choosing window is open.
struct SavedMenuStates {
  std::array<std::array<int, kSeatItems>, 10> pcm{};  // seat i, item j: 1 = was enabled
  std::array<int, kBoardItems> tcm{};                 // board item j: 1 = was enabled
};
SavedMenuStates DisableContextMenues(App& app);
void RestoreContextMenues(App& app, const SavedMenuStates& saved);

}  // namespace zuv
