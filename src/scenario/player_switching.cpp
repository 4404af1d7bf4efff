#include "scenario/player_switching.h"

#include <QAction>
#include <QPen>
#include <QWidget>

#include "platform/graphics_items.h"
#include "run/result_display.h"
#include "scenario/choosing_window_open.h"
#include "scenario/hole_card_commands.h"
#include "scenario/scenario_menus.h"
#include "scenario/seat_argument.h"
#include "state/app.h"
#include "state/controls.h"
#include "table/card_display.h"
#include "table/seat_look.h"

namespace zuv {

namespace {

int Enabled(const QAction* item) { return item && item->isEnabled() ? 1 : 0; }

// The seat's oval and number in the colours of an active seat.
void BrightenPlayer(App& app, int seat) {
  const PlayerRecord& player = app.player(seat);
  if (PolygonItem* oval = player.patchhandle) {
    QColor face = app.TABLE.activeplayercolor.toQColor();
    face.setAlphaF(1.0);
    oval->setBrush(face);
    QPen edge = oval->pen();
    edge.setColor(app.TABLE.activeplayercolor.toQColor());
    oval->setPen(edge);
  }
  if (TextItem* number = player.playernrtexthandle) number->setColor(app.TABLE.lightyellow.toQColor());
}

std::array<QAction*, kSeatItems> SeatItems(App& app, int seat) {
  std::array<QAction*, kSeatItems> items{};
  for (int k = 1; k <= kSeatItems; ++k) items[k - 1] = app.player(seat).item(SeatItem(k));
  return items;
}

std::array<QAction*, kBoardItems> BoardItems(App& app) {
  std::array<QAction*, kBoardItems> items{};
  for (int k = 1; k <= kBoardItems; ++k) items[k - 1] = app.TABLE.item(BoardItem(k));
  return items;
}

}  // namespace

void CBTogglePlayerActivate(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  // While a card-choosing window is open the seats are gated: a seat switched
  // off now would be handed the cards being picked for it.
  if (!i || ChoosingWindowOpen(app)) return;
  PlayerRecord& player = app.player(*i);

  if (app.activeplayers(*i) == 1) {
    // Only fixed cards go back to the deck: the cards a random seat kept from
    // the last simulated hand may be fixed elsewhere by now.
    const bool fixed = HasFixedCards(app, *i);
    DimDeactivatedPlayer(app, *i);
    // Whatever the table drawing did, an inactive seat is neither active nor dealt.
    app.activeplayers(*i) = 0;
    app.simulateplayers(*i) = 0;
    if (fixed) {
      for (int card : player.Cards) app.cardsindeck(card) = 1;
    }
    player.Cards.clear();
    // Switched on again, the seat is dealt any two cards.
    player.Range.clear();
    DisplayPlayerCards(app, std::vector<int>{*i});
  } else {
    BrightenPlayer(app, *i);
    app.activeplayers(*i) = 1;
    app.simulateplayers(*i) = 1;
    DisplayPlayerCards(app, std::vector<int>{*i});
  }
  UpdateSeatMenu(app, *i);
  ResetResultDisplay(app);
}

SavedMenuStates DisableContextMenues(App& app) {
  SavedMenuStates saved;
  for (int p = 1; p <= app.SETUP.NrOfPlayers && p <= kSeats; ++p) {
    const auto items = SeatItems(app, p);
    for (std::size_t j = 0; j < items.size(); ++j) {
      saved.pcm[p - 1][j] = Enabled(items[j]);
      SetEnable(items[j], false);
    }
  }
  const auto board = BoardItems(app);
  for (std::size_t j = 0; j < board.size(); ++j) {
    saved.tcm[j] = Enabled(board[j]);
    SetEnable(board[j], false);
  }
  if (QWidget* start = app.UICONTROLS.handle[kStartButton]) {
    start->setEnabled(false);
    start->setToolTip("Close card-choosing window before starting simulation");
  }
  return saved;
}

void RestoreContextMenues(App& app, const SavedMenuStates& saved) {
  for (int p = 1; p <= app.SETUP.NrOfPlayers && p <= kSeats; ++p) {
    const auto items = SeatItems(app, p);
    for (std::size_t j = 0; j < items.size(); ++j) {
      if (saved.pcm[p - 1][j] != 0) SetEnable(items[j], true);
    }
  }
  const auto board = BoardItems(app);
  for (std::size_t j = 0; j < board.size(); ++j) {
    if (saved.tcm[j] != 0) SetEnable(board[j], true);
  }
  if (QWidget* start = app.UICONTROLS.handle[kStartButton]) {
    start->setEnabled(true);
    start->setToolTip(kStartToolTip);
  }
}

}  // namespace zuv
