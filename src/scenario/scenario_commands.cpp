#include "scenario/scenario_commands.h"

#include <climits>

#include "scenario/board_card_commands.h"
#include "scenario/dead_card_commands.h"
#include "scenario/hole_card_commands.h"
#include "scenario/pick_card_commands.h"
#include "scenario/player_switching.h"
#include "scenario/range_commands.h"
#include "state/app.h"

namespace zuv {

namespace {

// Integer argument i for a command that may leave it out. False when it is
// there but no whole number an int can hold: such a call does nothing.
bool IntArgument(const CommandArgs& args, std::size_t i, std::optional<int>& out) {
  out.reset();
  if (!args.has(i)) return true;
  const auto n = args.integer(i);
  if (!n || *n < INT_MIN || *n > INT_MAX) return false;
  out = static_cast<int>(*n);
  return true;
}

using SeatCommand = void (*)(App&, std::optional<int>);

void AddSeatCommand(App& app, const char* name, SeatCommand command) {
  app.commands.add(name, 1, [&app, command](const CommandArgs& a) {
    std::optional<int> seat;
    if (IntArgument(a, 0, seat)) command(app, seat);
  });
}

}  // namespace

void RegisterScenarioCommands(App& app) {
  AddSeatCommand(app, "CBTogglePlayerActivate", [](App& a, std::optional<int> s) { CBTogglePlayerActivate(a, s); });
  AddSeatCommand(app, "CBChoosePlayerCards", [](App& a, std::optional<int> s) { CBChoosePlayerCards(a, s); });
  AddSeatCommand(app, "CBReleaseCards", [](App& a, std::optional<int> s) { CBReleaseCards(a, s); });
  AddSeatCommand(app, "CBSetPlayerRange", [](App& a, std::optional<int> s) { CBSetPlayerRange(a, s); });

  app.commands.add("CBSetFlop", 0, [&app](const CommandArgs&) { CBSetFlop(app); });
  app.commands.add("CBSetTurn", 0, [&app](const CommandArgs&) { CBSetTurn(app); });
  app.commands.add("CBReleaseFlop", 0, [&app](const CommandArgs&) { CBReleaseFlop(app); });
  app.commands.add("CBReleaseTurn", 0, [&app](const CommandArgs&) { CBReleaseTurn(app); });
  app.commands.add("CBSetDeadCards", 0, [&app](const CommandArgs&) { CBSetDeadCards(app); });
  app.commands.add("CBReleaseDeadCards", 0, [&app](const CommandArgs&) { CBReleaseDeadCards(app); });

  app.commands.add("CBPickCard", 2, [&app](const CommandArgs& a) {
    std::optional<int> card, n;
    if (IntArgument(a, 0, card) && IntArgument(a, 1, n)) CBPickCard(app, card, n);
  });
  app.commands.add("CBClosePickFigure", 2, [&app](const CommandArgs& a) {
    std::optional<int> n;
    if (IntArgument(a, 1, n)) CBClosePickFigure(app, a.text(0), n);
  });

  app.commands.add("CBRangeCell", 3, [&app](const CommandArgs& a) {
    std::optional<int> row, column, on;
    if (IntArgument(a, 0, row) && IntArgument(a, 1, column) && IntArgument(a, 2, on)) CBRangeCell(app, row, column, on);
  });
  app.commands.add("CBRangeText", 1, [&app](const CommandArgs& a) { CBRangeText(app, a.text(0)); });
  app.commands.add("CBRangeTop", 1, [&app](const CommandArgs& a) {
    std::optional<int> tenths;
    if (IntArgument(a, 0, tenths)) CBRangeTop(app, tenths);
  });
  app.commands.add("CBRangeWeight", 1, [&app](const CommandArgs& a) {
    std::optional<int> percent;
    if (IntArgument(a, 0, percent)) CBRangeWeight(app, percent);
  });
  app.commands.add("CBRangeSuits", 2, [&app](const CommandArgs& a) {
    std::optional<int> row, column;
    if (IntArgument(a, 0, row) && IntArgument(a, 1, column)) CBRangeSuits(app, row, column);
  });
  app.commands.add("CBRangeCombo", 2, [&app](const CommandArgs& a) {
    std::optional<int> on;
    if (IntArgument(a, 1, on)) CBRangeCombo(app, a.text(0), on);
  });
  app.commands.add("CBSaveRange", 1, [&app](const CommandArgs& a) { CBSaveRange(app, a.text(0)); });
  app.commands.add("CBLoadRange", 1, [&app](const CommandArgs& a) { CBLoadRange(app, a.text(0)); });
  app.commands.add("CBDeleteRange", 1, [&app](const CommandArgs& a) { CBDeleteRange(app, a.text(0)); });
  app.commands.add("CBCloseRangeFigure", 2, [&app](const CommandArgs& a) {
    std::optional<int> seat;
    if (IntArgument(a, 1, seat)) CBCloseRangeFigure(app, a.text(0), seat);
  });
}

}  // namespace zuv
