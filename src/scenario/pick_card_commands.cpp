#include "scenario/pick_card_commands.h"

#include <QPushButton>
#include <algorithm>

#include "scenario/choose_card_window.h"
#include "state/app.h"

namespace zuv {

namespace {

struct Limit {
  const char* text;
  const char* title;
};

std::optional<Limit> PickingLimit(int n) {
  switch (n) {
    case 1: return Limit{"Only one Turn card can be selected.", "Select Turn"};
    case 2: return Limit{"Only two hole cards can be selected.", "Select hole cards"};
    case 3: return Limit{"Only three Flop cards can be selected.", "Select Flop"};
    case kMaxDeadCards: return Limit{"Only ten dead cards can be selected.", "Select dead cards"};
    default: return std::nullopt;
  }
}

// The open window when the command's N is its N (a left-out N means the window's).
ChooseCardWindow* WindowFor(App& app, std::optional<int> n) {
  ChooseCardWindow* window = OpenChooseCardWindow(app);
  if (!window || (n && *n != window->cardsToPick())) return nullptr;
  return window;
}

// The previously committed choice of the kind the window picks, handed back on Cancel.
std::vector<int> CommittedChoice(const App& app, int n) {
  const auto& board = app.TABLE.boardcards;
  if (n == 3 && board.size() > 2) return {board.begin(), board.begin() + 3};
  if (n == 1 && board.size() > 3) return {board[3]};
  if (n == 2 && !app.TABLE.tempplayercards.empty()) return app.TABLE.tempplayercards;
  if (n == kMaxDeadCards) return app.TABLE.deadcards;
  return {};
}

}  // namespace

void CBPickCard(App& app, std::optional<int> card, std::optional<int> NumberOfCardsToPick) {
  ChooseCardWindow* window = WindowFor(app, NumberOfCardsToPick);
  // Only the cards offered in the open window can be picked.
  if (!window || !card || *card < 1 || *card > kCards || !app.CHOOSECARDS.axes[*card - 1]) return;
  const int n = window->cardsToPick();
  auto& chosen = app.CHOOSECARDS.chosencards;

  if (const auto it = std::find(chosen.begin(), chosen.end(), *card); it != chosen.end()) {
    window->raiseCard(*card, false);
    chosen.erase(it);
  } else if (static_cast<int>(chosen.size()) < n) {
    window->raiseCard(*card, true);
    chosen.push_back(*card);
  } else if (const auto limit = PickingLimit(n)) {
    app.messages.helpdlg(limit->text, limit->title);
  }

  if (QPushButton* ok = app.CHOOSEWINDOWBUTTONS.handle[kOkButton]) {
    ok->setEnabled(static_cast<int>(chosen.size()) >= window->leastToPick());
  }
}

void CBClosePickFigure(App& app, std::optional<std::string> button, std::optional<int> NrOfCardsToChoose) {
  ChooseCardWindow* window = WindowFor(app, NrOfCardsToChoose);
  if (!window || !button) return;
  if (*button == "Cancel") {
    app.CHOOSECARDS.chosencards = CommittedChoice(app, window->cardsToPick());
    closefigurewindow(app);
  } else if (*button == "Ok") {
    if (static_cast<int>(app.CHOOSECARDS.chosencards.size()) >= window->leastToPick()) closefigurewindow(app);
  }
  // The opening command's wait ends when the window has been deleted.
}

}  // namespace zuv
