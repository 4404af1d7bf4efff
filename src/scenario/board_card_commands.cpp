#include "scenario/board_card_commands.h"

#include "platform/graphics_items.h"
#include "run/result_display.h"
#include "scenario/choose_in_window.h"
#include "scenario/choosing_window_open.h"
#include "state/app.h"
#include "table/card_display.h"
#include "table/context_menu_state.h"

namespace zuv {

namespace {

void HideBoardPicture(App& app, int position) {
  if (PictureItem* picture = app.TABLE.boardcardsimage.at(position - 1)) picture->setVisible(false);
}

// The board itself says what is fixed; SimulateFlop and SimulateTurn follow it.
bool FlopFixed(const App& app) { return app.TABLE.boardcards.size() >= 3; }
bool TurnFixed(const App& app) { return app.TABLE.boardcards.size() >= 4; }

}  // namespace

void CBSetFlop(App& app) {
  if (ChoosingWindowOpen(app)) return;
  auto& board = app.TABLE.boardcards;
  const bool turnFixed = TurnFixed(app);
  if (FlopFixed(app)) {
    // Offered again in the window; the board keeps them so that Cancel can restore them.
    for (int p = 0; p < 3; ++p) app.cardsindeck(board[p]) = 1;
  }
  CBClearTable(app);
  for (int p = 1; p <= 5; ++p) {
    if (!(p == 4 && turnFixed)) HideBoardPicture(app, p);
  }

  if (ChooseInWindow(app, 3, "Choose Flop cards")) {
    const auto& chosen = app.CHOOSECARDS.chosencards;
    if (board.size() < 3) board.resize(3);
    std::copy(chosen.begin(), chosen.end(), board.begin());
    for (int card : chosen) app.cardsindeck(card) = 0;
    app.SETUP.SimulateFlop = 0;
    DisplayBoardCards(app, std::vector<int>{1, 2, 3, 4});
    ResetResultDisplay(app);
  } else {
    // Cancel hands a committed flop back, so this is the open board staying
    // open. Should anything be left on the board, it goes back to the deck.
    for (int card : board) app.cardsindeck(card) = 1;
    board.clear();
    app.SETUP.SimulateFlop = 1;
    app.SETUP.SimulateTurn = 1;
    DisplayBoardCards(app, std::vector<int>{1, 2, 3, 4, 5});
  }
  UpdateBoardMenu(app);
}

void CBSetTurn(App& app) {
  // A turn needs a fixed flop under it.
  if (ChoosingWindowOpen(app) || !FlopFixed(app)) return;
  auto& board = app.TABLE.boardcards;
  if (TurnFixed(app)) app.cardsindeck(board[3]) = 1;
  CBClearTable(app);
  HideBoardPicture(app, 4);
  HideBoardPicture(app, 5);

  if (ChooseInWindow(app, 1, "Choose Turn card")) {
    const int turn = app.CHOOSECARDS.chosencards.front();
    board.resize(4);
    board[3] = turn;
    app.cardsindeck(turn) = 0;
    app.SETUP.SimulateTurn = 0;
    DisplayBoardCards(app, std::vector<int>{4});
    ResetResultDisplay(app);
  } else {
    // Cancel hands a committed turn back, so this is a flop without a turn.
    board.resize(3);
    app.SETUP.SimulateTurn = 1;
  }
  UpdateBoardMenu(app);
}

void CBReleaseFlop(App& app) {
  if (ChoosingWindowOpen(app)) return;
  auto& board = app.TABLE.boardcards;
  for (int card : board) app.cardsindeck(card) = 1;
  board.clear();
  DisplayBoardCards(app, std::vector<int>{1, 2, 3, 4, 5});
  app.SETUP.SimulateFlop = 1;
  app.SETUP.SimulateTurn = 1;
  UpdateBoardMenu(app);
  ResetResultDisplay(app);
}

void CBReleaseTurn(App& app) {
  if (ChoosingWindowOpen(app) || !TurnFixed(app)) return;
  auto& board = app.TABLE.boardcards;
  app.cardsindeck(board[3]) = 1;
  board.resize(3);
  DisplayBoardCards(app, std::vector<int>{1, 2, 3, 4, 5});
  app.SETUP.SimulateTurn = 1;
  UpdateBoardMenu(app);
  ResetResultDisplay(app);
}

}  // namespace zuv
