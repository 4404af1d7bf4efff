#include "table/seat_look.h"

#include "app/app.h"

namespace zuv {

// Filled in by the table view.
void DimDeactivatedPlayer(App&, int) {}

}  // namespace zuv
