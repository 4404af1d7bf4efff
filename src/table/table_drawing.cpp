#include "table/table_drawing.h"

#include "app/app.h"

namespace zuv {

// Filled in by the table view.
void plottable(App&) {}
std::optional<QString> DisplaySetup(App&) { return std::nullopt; }

}  // namespace zuv
