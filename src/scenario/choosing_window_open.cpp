#include "scenario/choosing_window_open.h"

#include "scenario/choose_card_window.h"
#include "scenario/choose_range_window.h"

namespace zuv {

bool ChoosingWindowOpen(App& app) { return OpenChooseCardWindow(app) || OpenChooseRangeWindow(); }

}  // namespace zuv
