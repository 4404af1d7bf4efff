#include "table/table_commands.h"

#include "state/app.h"
#include "table/card_display.h"

namespace zuv {

void RegisterTableCommands(App& app) {
  app.commands.add("CBClearTable", 0, [&app](const CommandArgs&) { CBClearTable(app); });
}

}  // namespace zuv
