#include "scenario/hole_card_commands.h"

#include <QAction>

#include "app/app.h"
#include "run/result_display.h"
#include "scenario/choose_card_window.h"
#include "scenario/choose_in_window.h"
#include "scenario/seat_argument.h"
#include "table/card_display.h"

namespace zuv {

namespace {

void SetSeatItems(App& app, int seat, bool fixed) {
  const PlayerRecord& player = app.player(seat);
  if (player.cmitem2) player.cmitem2->setText(fixed ? "Choose new player cards" : "Choose player cards");
  if (player.cmitem3) player.cmitem3->setEnabled(fixed);
}

}  // namespace

bool HasFixedCards(App& app, int seat) { return app.simulateplayers(seat) == 0 && !app.player(seat).Cards.empty(); }

void CBChoosePlayerCards(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  // An inactive seat gets no cards (its menu item is disabled; a stale text
  // must not change that), and only one card-choosing window is open at a time.
  if (!i || app.activeplayers(*i) != 1 || OpenChooseCardWindow(app)) return;
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
    DisplayPlayerCards(app, std::vector<int>{*i});
    SetSeatItems(app, *i, true);
    ResetResultDisplay(app);
  } else {
    player.Cards.clear();
    app.simulateplayers(*i) = 1;
    if (player.cmitem2) player.cmitem2->setText("Choose player cards");
    // Only reachable for a seat without cards, whose release item is already off.
    if (player.cmitem3) player.cmitem3->setEnabled(false);
  }
  app.TABLE.tempplayercards.clear();
}

void CBReleaseCards(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  if (!i || OpenChooseCardWindow(app)) return;
  PlayerRecord& player = app.player(*i);
  // Dealt cards of a random seat are not fixed, so there is nothing to release.
  if (!HasFixedCards(app, *i)) return;

  for (int card : player.Cards) app.cardsindeck(card) = 1;
  player.Cards.clear();
  app.simulateplayers(*i) = 1;
  DisplayPlayerCards(app, std::vector<int>{*i});
  SetSeatItems(app, *i, false);
  ResetResultDisplay(app);
}

}  // namespace zuv
