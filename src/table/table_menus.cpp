#include "table/table_menus.h"

#include <QAction>
#include <QMenu>

#include "platform/callback.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

QMenu* NewMenu(App& app) { return new QMenu(app.FIGURE.mainfigurehandle); }

// An item runs its command text; a command that is not known reports the
// dispatcher's error and changes nothing.
QAction* Item(App& app, QMenu* menu, const QString& label, const QString& command, bool enabled,
              bool separatorAbove = false) {
  if (separatorAbove) menu->addSeparator();
  QAction* item = menu->addAction(label);
  SetCallback(item, command);
  item->setEnabled(enabled);
  QObject::connect(item, &QAction::triggered, item, [&app, item] { app.run(Callback(item).toStdString()); });
  return item;
}

}  // namespace

void CreateBoardMenu(App& app) {
  auto& TABLE = app.TABLE;
  TABLE.cmenu = NewMenu(app);
  TABLE.cmitem1 = Item(app, TABLE.cmenu, "Set Flop cards", "CBSetFlop", true);
  TABLE.cmitem2 = Item(app, TABLE.cmenu, "Set Turn card", "CBSetTurn", false);
  TABLE.cmitem3 = Item(app, TABLE.cmenu, "Release Flop cards", "CBReleaseFlop", false);
  TABLE.cmitem4 = Item(app, TABLE.cmenu, "Release Turn card", "CBReleaseTurn", false);
  TABLE.cmitem5 = Item(app, TABLE.cmenu, "Set dead cards...", "CBSetDeadCards", true, true);
  TABLE.cmitem6 = Item(app, TABLE.cmenu, "Release dead cards", "CBReleaseDeadCards", false);
}

void CreateSeatMenu(App& app, int seat) {
  PlayerRecord& player = app.player(seat);
  const QString number = QString::number(seat);
  player.cmenu = NewMenu(app);
  player.cmitem1 = Item(app, player.cmenu, "Deactivate player", "CBTogglePlayerActivate(" + number + ")", true);
  player.cmitem2 =
      Item(app, player.cmenu, "Choose player cards", "CBChoosePlayerCards(" + number + ")", true, true);
  player.cmitem4 = Item(app, player.cmenu, "Set player range...", "CBSetPlayerRange(" + number + ")", true);
  player.cmitem3 = Item(app, player.cmenu, "Release player cards", "CBReleaseCards(" + number + ")", false);
}

}  // namespace zuv
