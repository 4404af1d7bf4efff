#include "scenario/dead_card_commands.h"

#include "run/result_display.h"
#include "scenario/choose_in_window.h"
#include "scenario/choosing_window_open.h"
#include "state/app.h"
#include "table/card_display.h"
#include "table/context_menu_state.h"

namespace zuv {

namespace {

// Makes `cards` the dead cards, out of the deck; the old dead cards must be
// back in the deck already.
void MakeDead(App& app, const std::vector<int>& cards) {
  auto& dead = app.TABLE.deadcards;
  const bool changed = dead != cards;
  dead = cards;
  for (int card : dead) app.cardsindeck(card) = 0;
  DisplayDeadCards(app);
  UpdateBoardMenu(app);
  if (changed) ResetResultDisplay(app);
}

void ReturnDeadCardsToDeck(App& app) {
  for (int card : app.TABLE.deadcards) app.cardsindeck(card) = 1;
}

}  // namespace

void CBSetDeadCards(App& app) {
  if (ChoosingWindowOpen(app)) return;
  // Offered again in the window, picked; the record keeps them so that Cancel can restore them.
  ReturnDeadCardsToDeck(app);
  CBClearTable(app);

  const CardRequest request{kMaxDeadCards, 1, app.TABLE.deadcards};
  const bool chosen = ChooseInWindow(app, request, "Choose dead cards");
  MakeDead(app, chosen ? app.CHOOSECARDS.chosencards : std::vector<int>{});
}

void CBReleaseDeadCards(App& app) {
  if (ChoosingWindowOpen(app) || app.TABLE.deadcards.empty()) return;
  ReturnDeadCardsToDeck(app);
  MakeDead(app, {});
}

}  // namespace zuv
