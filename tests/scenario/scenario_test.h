#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scenario/choose_card_window.h"
#include "support/app_fixture.h"

namespace zuv::testing {

// The started program plus the means to work a card-choosing window from
// inside the command that waits for it.
class ScenarioTest : public AppTest {
 protected:
  // Runs `action` inside the next card-choosing window. Should the action
  // leave the window open, the test fails and the window is cancelled, so a
  // faulty command cannot hang the suite.
  void inWindow(std::function<void(ChooseCardWindow&)> action);

  // Picks `cards` in the window that `command` opens and presses Ok.
  void choose(const std::string& command, const std::vector<int>& cards);
  // Opens the window with `command`, picks `cards` and presses Cancel.
  void chooseThenCancel(const std::string& command, const std::vector<int>& cards);

  void fixHoleCards(int seat, const std::vector<int>& cards);
  void fixFlop(const std::vector<int>& cards) { choose("CBSetFlop", cards); }
  void fixTurn(int card) { choose("CBSetTurn", {card}); }

  // The cards the open window offers, ascending.
  std::vector<int> offeredCards() const;

  // Shows a bar in the win-rate chart and the counter, as after a run.
  void showResult();
  // True while the chart or the counter of the last run is on screen.
  bool resultShown() const;

  // The consistency rules of the scenario records and the menus (the latter
  // as soon as the table has created them).
  ::testing::AssertionResult consistent() const;

  // Runs a command that must not open a card-choosing window; should it open
  // one anyway, the test fails and the window is cancelled.
  void runWithoutWindow(const std::string& command);

  // A window action that no window took runs (and fails) here, not in a later test.
  void TearDown() override;

  int windowsRun = 0;
  // After a simulation run a random seat keeps the cards of the last hand
  // dealt to it; consistent() then accepts them as long as nothing fixes them.
  bool dealtCardsLeft = false;  // card-choosing windows that the actions ran in
};

// "CBPickCard(17, 3)"
std::string Pick(int card, int n);
// "CBClosePickFigure('Ok', 2)"
std::string Close(const char* button, int n);

}  // namespace zuv::testing
