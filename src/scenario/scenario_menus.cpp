#include "scenario/scenario_menus.h"

#include <QAction>

#include "scenario/hole_card_commands.h"
#include "scenario/range_commands.h"
#include "state/app.h"

namespace zuv {

void SetLabel(QAction* item, const char* label) {
  if (item) item->setText(label);
}

void SetEnable(QAction* item, bool on) {
  if (item) item->setEnabled(on);
}

namespace {

void Set(QAction* item, const char* label, bool enabled) {
  if (!item) return;
  if (label) item->setText(label);
  item->setEnabled(enabled);
}

}  // namespace

void UpdateSeatMenu(App& app, int seat) {
  const PlayerRecord& player = app.player(seat);
  const bool active = app.activeplayers(seat) == 1;
  const bool fixed = active && HasFixedCards(app, seat);
  Set(player.item(SeatItem::Activate), active ? "Deactivate player" : "Activate player", true);
  Set(player.item(SeatItem::ChooseCards), fixed ? "Choose new player cards" : "Choose player cards", active);
  Set(player.item(SeatItem::SetRange), nullptr, active);
  Set(player.item(SeatItem::ReleaseCards), nullptr, fixed || HasRange(app, seat));
}

void UpdateScenarioMenus(App& app) {
  for (int p = 1; p <= kSeats; ++p) UpdateSeatMenu(app, p);
  const bool flop = app.TABLE.boardcards.size() >= 3;
  const bool turn = app.TABLE.boardcards.size() >= 4;
  Set(app.TABLE.item(BoardItem::SetFlop), flop ? "Choose new flop cards" : "Choose flop cards", true);
  Set(app.TABLE.item(BoardItem::SetTurn), turn ? "Choose new turn card" : "Choose turn card", flop);
  Set(app.TABLE.item(BoardItem::ReleaseFlop), turn ? "Release flop and turn" : "Release flop cards", flop);
  Set(app.TABLE.item(BoardItem::ReleaseTurn), nullptr, turn);
  Set(app.TABLE.item(BoardItem::SetDeadCards), nullptr, true);
  Set(app.TABLE.item(BoardItem::ReleaseDeadCards), nullptr, !app.TABLE.deadcards.empty());
}

}  // namespace zuv
