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
  TABLE.item(BoardItem::SetFlop) = Item(app, TABLE.cmenu, "Set Flop cards", "CBSetFlop", true);
  TABLE.item(BoardItem::SetTurn) = Item(app, TABLE.cmenu, "Set Turn card", "CBSetTurn", false);
  TABLE.item(BoardItem::ReleaseFlop) = Item(app, TABLE.cmenu, "Release Flop cards", "CBReleaseFlop", false);
  TABLE.item(BoardItem::ReleaseTurn) = Item(app, TABLE.cmenu, "Release Turn card", "CBReleaseTurn", false);
  TABLE.item(BoardItem::SetDeadCards) = Item(app, TABLE.cmenu, "Set dead cards...", "CBSetDeadCards", true, true);
  TABLE.item(BoardItem::ReleaseDeadCards) = Item(app, TABLE.cmenu, "Release dead cards", "CBReleaseDeadCards", false);
}

void CreateSeatMenu(App& app, int seat) {
  PlayerRecord& player = app.player(seat);
  const QString number = QString::number(seat);
  player.cmenu = NewMenu(app);
  player.item(SeatItem::Activate) =
      Item(app, player.cmenu, "Deactivate player", "CBTogglePlayerActivate(" + number + ")", true);
  player.item(SeatItem::ChooseCards) =
      Item(app, player.cmenu, "Choose player cards", "CBChoosePlayerCards(" + number + ")", true, true);
  player.item(SeatItem::SetRange) =
      Item(app, player.cmenu, "Set player range...", "CBSetPlayerRange(" + number + ")", true);
  player.item(SeatItem::ReleaseCards) =
      Item(app, player.cmenu, "Release player cards", "CBReleaseCards(" + number + ")", false);
}

}  // namespace zuv
