#include "scenario/range_commands.h"

#include <QPointer>

#include "platform/event_loop.h"
#include "run/result_display.h"
#include "scenario/choose_range_window.h"
#include "scenario/choosing_window_open.h"
#include "scenario/hole_card_commands.h"
#include "scenario/main_window_input_block.h"
#include "scenario/player_switching.h"
#include "scenario/scenario_menus.h"
#include "scenario/seat_argument.h"
#include "sim/card.h"
#include "state/app.h"
#include "table/card_display.h"

namespace zuv {

namespace {

// Cards fixed anywhere but at this seat (board, other seats, dead cards):
// the seat's own fixed cards become free again once it holds a range.
std::array<bool, 53> BlockedCards(App& app, int seat) {
  std::array<bool, 53> blocked{};
  for (int card = 1; card <= kCards; ++card) blocked[card] = app.cardsindeck(card) == 0;
  if (HasFixedCards(app, seat)) {
    for (int card : app.player(seat).Cards) blocked[card] = false;
  }
  return blocked;
}

void GiveRange(App& app, int seat, const std::string& range) {
  PlayerRecord& player = app.player(seat);
  if (HasFixedCards(app, seat)) {
    for (int card : player.Cards) app.cardsindeck(card) = 1;
  }
  // Also drops the cards a random seat kept from the last run: never fixed.
  player.Cards.clear();
  player.Range = range;
  app.simulateplayers(seat) = 1;
  UpdateSeatMenu(app, seat);
  DisplayPlayerCards(app, std::vector<int>{seat});
  ResetResultDisplay(app);
}

// The seat's range as the window starts with it: its two fixed cards, if it has them.
QString RangeOfSeat(App& app, int seat) {
  const PlayerRecord& player = app.player(seat);
  if (!HasFixedCards(app, seat)) return QString::fromStdString(player.Range);
  return QString::fromStdString(app.DECK.symbol[player.Cards[0] - 1] + app.DECK.symbol[player.Cards[1] - 1]);
}

}  // namespace

void CBSetPlayerRange(App& app, std::optional<int> seat) {
  const auto i = SeatArgument(app, seat);
  if (!i || app.activeplayers(*i) != 1 || ChoosingWindowOpen(app)) return;
  CBClearTable(app);

  std::optional<QString> chosen;
  const SavedMenuStates saved = DisableContextMenues(app);
  {
    const MainWindowInputBlock block(app);
    QPointer<ChooseRangeWindow> window = new ChooseRangeWindow(app, *i, BlockedCards(app, *i), RangeOfSeat(app, *i));
    QObject::connect(window, &ChooseRangeWindow::accepted, window, [&chosen](const QString& range) { chosen = range; });
    window->show();
    uiwait(window);
    // The wait also ends when the whole program quits: the window is cancelled.
    if (window && !window->finished()) window->cancel();
  }
  RestoreContextMenues(app, saved);
  if (chosen) GiveRange(app, *i, chosen->toStdString());
}

void CBRangeCell(App& /*app*/, std::optional<int> row, std::optional<int> column, std::optional<int> on) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (!window || !row || !column || *row < 1 || *row > 13 || *column < 1 || *column > 13) return;
  const bool state = on ? *on != 0 : !window->cellOn(*row - 1, *column - 1);
  window->setCell(*row - 1, *column - 1, state);
}

void CBRangeText(App& /*app*/, std::optional<std::string> text) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (window && text) window->setText(QString::fromStdString(*text));
}

void CBRangeTop(App& /*app*/, std::optional<int> tenths) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (window && tenths) window->setTop(*tenths);
}

void CBRangeWeight(App& /*app*/, std::optional<int> percent) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (window && percent && *percent >= 0 && *percent <= 100) window->setClickWeight(*percent);
}

void CBRangeSuits(App& /*app*/, std::optional<int> row, std::optional<int> column) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (!window || !row || !column || *row < 1 || *row > 13 || *column < 1 || *column > 13) return;
  window->showSuits(*row - 1, *column - 1);
}

void CBRangeCombo(App& /*app*/, std::optional<std::string> combo, std::optional<int> on) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (!window || !combo) return;
  const auto cards = sim::ParseCards(*combo);
  if (!cards || cards->size() != 2 || (*cards)[0] == (*cards)[1]) return;
  const sim::Combo c{std::min((*cards)[0], (*cards)[1]), std::max((*cards)[0], (*cards)[1])};
  window->setCombo(c, on ? *on != 0 : !window->comboOn(c));
}

void CBSaveRange(App& /*app*/, std::optional<std::string> name) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (!window) return;
  if (name) {
    window->saveRange(QString::fromStdString(*name));
  } else {
    window->askAndSaveRange();
  }
}

void CBLoadRange(App& /*app*/, std::optional<std::string> name) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (window && name) window->loadRange(QString::fromStdString(*name));
}

void CBDeleteRange(App& /*app*/, std::optional<std::string> name) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (window) window->deleteRange(QString::fromStdString(name.value_or("")));
}

void CBCloseRangeFigure(App& /*app*/, std::optional<std::string> button, std::optional<int> seat) {
  ChooseRangeWindow* window = OpenChooseRangeWindow();
  if (!window || !button || (seat && *seat != window->seat())) return;
  if (*button == "Ok") {
    window->accept();
  } else if (*button == "Cancel") {
    window->cancel();
  }
}

}  // namespace zuv
