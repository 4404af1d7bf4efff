#include "table/context_menu_state.h"

#include <QAction>

#include "state/app.h"

namespace zuv {

namespace {

// Items not created yet are skipped; a null label keeps the item's text.
void Set(QAction* item, const char* label, bool enabled) {
  if (!item) return;
  if (label) item->setText(label);
  item->setEnabled(enabled);
}

// The rules of both menus; `labels` false leaves the texts as they are.
void SeatMenu(App& app, int seat, bool labels) {
  const PlayerRecord& player = app.player(seat);
  const bool active = app.activeplayers(seat) == 1;
  const bool fixed = active && HasFixedCards(app, seat);
  auto label = [labels](const char* text) { return labels ? text : nullptr; };
  Set(player.item(SeatItem::Activate), label(active ? "Deactivate player" : "Activate player"), true);
  Set(player.item(SeatItem::ChooseCards), label(fixed ? "Choose new player cards" : "Choose player cards"), active);
  Set(player.item(SeatItem::SetRange), nullptr, active);
  Set(player.item(SeatItem::ReleaseCards), nullptr, fixed || HasRange(app, seat));
}

void BoardMenu(App& app, bool labels) {
  const TableRecord& table = app.TABLE;
  const bool flop = table.boardcards.size() >= 3;
  const bool turn = table.boardcards.size() >= 4;
  auto label = [labels](const char* text) { return labels ? text : nullptr; };
  Set(table.item(BoardItem::SetFlop), label(flop ? "Choose new flop cards" : "Choose flop cards"), true);
  Set(table.item(BoardItem::SetTurn), label(turn ? "Choose new turn card" : "Choose turn card"), flop);
  Set(table.item(BoardItem::ReleaseFlop), label(turn ? "Release flop and turn" : "Release flop cards"), flop);
  Set(table.item(BoardItem::ReleaseTurn), nullptr, turn);
  Set(table.item(BoardItem::SetDeadCards), nullptr, true);
  Set(table.item(BoardItem::ReleaseDeadCards), nullptr, !table.deadcards.empty());
}

}  // namespace

bool HasFixedCards(const App& app, int seat) {
  return app.TABLE.simulateplayers.at(seat - 1) == 0 && !app.player(seat).Cards.empty();
}

bool HasRange(const App& app, int seat) {
  return app.TABLE.activeplayers.at(seat - 1) == 1 && app.TABLE.simulateplayers.at(seat - 1) == 1 &&
         !app.player(seat).Range.empty();
}

void UpdateSeatMenu(App& app, int seat) { SeatMenu(app, seat, true); }

void UpdateBoardMenu(App& app) { BoardMenu(app, true); }

void UpdateContextMenus(App& app) {
  for (int p = 1; p <= kSeats; ++p) SeatMenu(app, p, true);
  BoardMenu(app, true);
}

void EnableContextMenus(App& app) {
  for (int p = 1; p <= kSeats; ++p) SeatMenu(app, p, false);
  BoardMenu(app, false);
}

void DisableContextMenus(App& app) {
  for (const PlayerRecord& player : app.PLAYER) {
    for (int k = 1; k <= kSeatItems; ++k) Set(player.item(SeatItem(k)), nullptr, false);
  }
  for (int k = 1; k <= kBoardItems; ++k) Set(app.TABLE.item(BoardItem(k)), nullptr, false);
}

}  // namespace zuv
