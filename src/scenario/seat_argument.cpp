#include "scenario/seat_argument.h"

#include "platform/graphics_items.h"
#include "state/app.h"

namespace zuv {

std::optional<int> SeatArgument(const App& app, std::optional<int> seat) {
  if (seat) {
    if (*seat < 1 || *seat > kSeats) return std::nullopt;
    return seat;
  }
  for (int p = 1; p <= kSeats; ++p) {
    const QGraphicsItem* oval = app.player(p).patchhandle;
    if (oval && oval == app.currentObject) return p;
  }
  return kSeats;
}

}  // namespace zuv
