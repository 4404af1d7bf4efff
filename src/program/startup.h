#pragma once

#include <QString>
#include <optional>

namespace zuv {

class App;

// Makes every folder's commands known, builds the whole user interface in
// its fixed order and shows the main window. Returns the problem when the
// program cannot start.
std::optional<QString> zuvpoker(App& app);

}  // namespace zuv
