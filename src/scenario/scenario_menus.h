#pragma once

#include "table/context_menu_state.h"

class QAction;

namespace zuv {

class App;

// A menu item's enable state; items not created yet are skipped.
void SetEnable(QAction* item, bool on);

// The rules for which items are usable and what they read (UpdateSeatMenu,
// UpdateBoardMenu, UpdateContextMenus) sit on the table's floor, where the
// run uses them too.

}  // namespace zuv
