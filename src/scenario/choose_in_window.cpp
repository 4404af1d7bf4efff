#include "scenario/choose_in_window.h"

#include <QPointer>
#include <algorithm>

#include "platform/event_loop.h"
#include "scenario/choose_card_window.h"
#include "scenario/main_window_input_block.h"
#include "scenario/pick_card_commands.h"
#include "scenario/player_switching.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

bool FreeDistinctCards(App& app, const std::vector<int>& cards) {
  for (std::size_t a = 0; a < cards.size(); ++a) {
    if (cards[a] < 1 || cards[a] > kCards || app.cardsindeck(cards[a]) != 1) return false;
    if (std::find(cards.begin(), cards.begin() + a, cards[a]) != cards.begin() + a) return false;
  }
  return true;
}

}  // namespace

bool ChooseInWindow(App& app, const CardRequest& request, const QString& title) {
  const int n = request.most;
  const SavedMenuStates saved = DisableContextMenues(app);
  QPointer<ChooseCardWindow> window;
  {
    const MainWindowInputBlock block(app);
    window = CreateChooseCardWindow(app, request, title);
    uiwait(window);
  }
  // The wait also ends when the whole program quits; a window that was not
  // closed by Ok or Cancel then counts as cancelled, so the old cards come back.
  if (window && OpenChooseCardWindow(app) == window) CBClosePickFigure(app, "Cancel", n);
  RestoreContextMenues(app, saved);

  const auto& chosen = app.CHOOSECARDS.chosencards;
  const int count = static_cast<int>(chosen.size());
  return count >= std::max(request.least, 1) && count <= n && FreeDistinctCards(app, chosen);
}

}  // namespace zuv
