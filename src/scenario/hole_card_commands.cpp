#include "scenario/hole_card_commands.h"

#include "run/result_display.h"
#include "scenario/choose_in_window.h"
#include "scenario/choosing_window_open.h"
#include "scenario/range_commands.h"
#include "scenario/scenario_menus.h"
#include "scenario/seat_argument.h"
#include "state/app.h"
#include "table/card_display.h"

namespace zuv {

void CBChoosePlayerCards(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  // An inactive seat gets no cards (its menu item is disabled; a stale text
  // must not change that), and only one card-choosing window is open at a time.
  if (!i || app.activeplayers(*i) != 1 || ChoosingWindowOpen(app)) return;
  PlayerRecord& player = app.player(*i);

  if (HasFixedCards(app, *i)) {
    // Offered again in the window; Cancel hands them back from tempplayercards.
    for (int card : player.Cards) app.cardsindeck(card) = 1;
    app.TABLE.tempplayercards = player.Cards;
    player.Cards.clear();
    DisplayPlayerCards(app, std::vector<int>{*i});
  }
  // A random seat may still hold the cards dealt in the last simulated hand.
  // They were never fixed: freeing them could free a card fixed elsewhere
  // since, and Cancel must not fix them.
  player.Cards.clear();
  CBClearTable(app);

  if (ChooseInWindow(app, 2, QString("Choose hole cards for player %1").arg(*i))) {
    player.Cards = app.CHOOSECARDS.chosencards;
    for (int card : player.Cards) app.cardsindeck(card) = 0;
    app.simulateplayers(*i) = 0;
    // Fixed cards replace the seat's range.
    player.Range.clear();
    DisplayPlayerCards(app, std::vector<int>{*i});
    UpdateSeatMenu(app, *i);
    ResetResultDisplay(app);
  } else {
    // Cancel hands fixed cards back as the choice, so only a seat without them
    // gets here: it stays random, with the range it had.
    player.Cards.clear();
    app.simulateplayers(*i) = 1;
    UpdateSeatMenu(app, *i);
  }
  app.TABLE.tempplayercards.clear();
}

void CBReleaseCards(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  if (!i || ChoosingWindowOpen(app)) return;
  PlayerRecord& player = app.player(*i);
  // Dealt cards of a random seat are not fixed, so there is nothing to release
  // unless the seat is dealt from a range.
  const bool fixed = HasFixedCards(app, *i);
  if (!fixed && !HasRange(app, *i)) return;

  if (fixed) {
    for (int card : player.Cards) app.cardsindeck(card) = 1;
  }
  player.Cards.clear();
  player.Range.clear();
  app.simulateplayers(*i) = 1;
  DisplayPlayerCards(app, std::vector<int>{*i});
  UpdateSeatMenu(app, *i);
  ResetResultDisplay(app);
}

}  // namespace zuv
