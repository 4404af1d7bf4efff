#include "scenario_test.h"

#include <QAction>
#include <QPushButton>
#include <map>
#include <qcustomplot.h>

#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "state/controls.h"

namespace zuv::testing {

std::string Pick(int card, int n) { return "CBPickCard(" + std::to_string(card) + ", " + std::to_string(n) + ")"; }

std::string Close(const char* button, int n) {
  return std::string("CBClosePickFigure('") + button + "', " + std::to_string(n) + ")";
}

void ScenarioTest::inWindow(std::function<void(ChooseCardWindow&)> action) {
  whenWaiting([this, action] {
    ChooseCardWindow* window = OpenChooseCardWindow(*app);
    if (!window) {
      ADD_FAILURE() << "no card-choosing window is open";
      return;
    }
    ++windowsRun;
    action(*window);
    if (ChooseCardWindow* still = OpenChooseCardWindow(*app)) {
      ADD_FAILURE() << "the card-choosing window was left open";
      still->close();
    }
  });
}

void ScenarioTest::TearDown() {
  drawnow();
  AppTest::TearDown();
}

void ScenarioTest::choose(const std::string& command, const std::vector<int>& cards) {
  const int before = windowsRun;
  inWindow([this, cards](ChooseCardWindow& window) {
    const int n = window.cardsToPick();
    for (int card : cards) run(Pick(card, n));
    run(Close("Ok", n));
  });
  run(command);
  if (windowsRun == before) {
    drawnow();  // lets the unused action report itself now rather than in a later window
    ADD_FAILURE() << command << " opened no card-choosing window";
  }
}

void ScenarioTest::chooseThenCancel(const std::string& command, const std::vector<int>& cards) {
  const int before = windowsRun;
  inWindow([this, cards](ChooseCardWindow& window) {
    const int n = window.cardsToPick();
    for (int card : cards) run(Pick(card, n));
    run(Close("Cancel", n));
  });
  run(command);
  if (windowsRun == before) {
    drawnow();
    ADD_FAILURE() << command << " opened no card-choosing window";
  }
}

void ScenarioTest::fixHoleCards(int seat, const std::vector<int>& cards) {
  choose("CBChoosePlayerCards(" + std::to_string(seat) + ")", cards);
}

void ScenarioTest::runWithoutWindow(const std::string& command) {
  whenWaiting([this, command] {
    if (ChooseCardWindow* window = OpenChooseCardWindow(*app)) {
      ADD_FAILURE() << command << " opened a card-choosing window";
      window->close();
    }
  });
  run(command);
  drawnow();
}

std::vector<int> ScenarioTest::offeredCards() const {
  std::vector<int> offered;
  for (int k = 1; k <= kCards; ++k) {
    if (app->CHOOSECARDS.axes[k - 1]) offered.push_back(k);
  }
  return offered;
}

void ScenarioTest::showResult() {
  QCustomPlot* chart = app->FIGURE.histogramaxes;
  ASSERT_NE(chart, nullptr);
  auto* bars = new QCPBars(chart->xAxis, chart->yAxis);
  bars->setData(QVector<double>{1, 2}, QVector<double>{40, 60});
  chart->show();
  app->UICONTROLS.handle[kCounterLabel]->show();
  app->UICONTROLS.handle[kCounter]->show();
}

bool ScenarioTest::resultShown() const {
  const QCustomPlot* chart = app->FIGURE.histogramaxes;
  return !chart->isHidden() || chart->plottableCount() > 0 || !app->UICONTROLS.handle[kCounterLabel]->isHidden() ||
         !app->UICONTROLS.handle[kCounter]->isHidden();
}

namespace {

std::string Label(const QAction* item) { return item->text().toStdString(); }

bool OneOf(const std::string& label, std::initializer_list<const char*> allowed) {
  for (const char* a : allowed) {
    if (label == a) return true;
  }
  return false;
}

}  // namespace

::testing::AssertionResult ScenarioTest::consistent() const {
  const App& a = *app;
  std::map<int, int> places;
  for (int p = 1; p <= kSeats; ++p) {
    const auto& cards = a.player(p).Cards;
    const int active = a.TABLE.activeplayers[p - 1];
    const int random = a.TABLE.simulateplayers[p - 1];
    if (cards.size() != 0 && cards.size() != 2) return ::testing::AssertionFailure() << "seat " << p << " holds " << cards.size() << " cards";
    if (!active && (!cards.empty() || random != 0)) return ::testing::AssertionFailure() << "inactive seat " << p << " has cards or is dealt";
    const bool dealt = dealtCardsLeft && random == 1;
    if (active && !dealt && random != (cards.empty() ? 1 : 0)) return ::testing::AssertionFailure() << "seat " << p << ": random flag " << random << " with " << cards.size() << " cards";
    if (random == 0) {
      for (int c : cards) ++places[c];
    }
  }
  const auto& board = a.TABLE.boardcards;
  if (board.size() != 0 && board.size() != 3 && board.size() != 4) return ::testing::AssertionFailure() << "board of " << board.size();
  if (a.SETUP.SimulateFlop != (board.size() >= 3 ? 0 : 1)) return ::testing::AssertionFailure() << "SimulateFlop " << a.SETUP.SimulateFlop << " with board of " << board.size();
  if (a.SETUP.SimulateTurn != (board.size() == 4 ? 0 : 1)) return ::testing::AssertionFailure() << "SimulateTurn " << a.SETUP.SimulateTurn << " with board of " << board.size();
  for (int c : board) ++places[c];
  if (a.TABLE.deadcards.size() > kMaxDeadCards) return ::testing::AssertionFailure() << a.TABLE.deadcards.size() << " dead cards";
  for (int c : a.TABLE.deadcards) ++places[c];
  for (const auto& [card, count] : places) {
    if (card < 1 || card > kCards) return ::testing::AssertionFailure() << "card number " << card;
    if (count > 1) return ::testing::AssertionFailure() << "card " << card << " fixed in " << count << " places";
  }
  for (int k = 1; k <= kCards; ++k) {
    const int expected = places.count(k) ? 0 : 1;
    if (a.DECK.cardsindeck[k - 1] != expected) return ::testing::AssertionFailure() << "cardsindeck(" << k << ") = " << a.DECK.cardsindeck[k - 1];
  }
  if (!a.TABLE.tempplayercards.empty()) return ::testing::AssertionFailure() << "tempplayercards left over";
  if (OpenChooseCardWindow(*app)) return ::testing::AssertionFailure() << "a card-choosing window is still open";
  for (int p = 1; p <= kSeats; ++p) {
    if (!a.player(p).Range.empty() && (!a.TABLE.activeplayers[p - 1] || a.TABLE.simulateplayers[p - 1] != 1)) {
      return ::testing::AssertionFailure() << "seat " << p << " holds a range but is not dealt at random";
    }
  }

  const QWidget* start = a.UICONTROLS.handle[kStartButton];
  if (!start->isEnabled() || start->toolTip() != kStartToolTip) return ::testing::AssertionFailure() << "Start button still gated";

  // The menus exist once the table is drawn.
  for (int p = 1; p <= kSeats; ++p) {
    const PlayerRecord& player = a.player(p);
    if (!player.cmitem1 || !player.cmitem2 || !player.cmitem3 || !player.cmitem4) continue;
    const bool active = a.TABLE.activeplayers[p - 1] == 1;
    const bool fixed = a.TABLE.simulateplayers[p - 1] == 0 && !player.Cards.empty();
    if (Label(player.cmitem1) != (active ? "Deactivate player" : "Activate player") || !player.cmitem1->isEnabled() ||
        player.cmitem2->isEnabled() != active || player.cmitem4->isEnabled() != active ||
        player.cmitem3->isEnabled() != (fixed || !player.Range.empty()) ||
        Label(player.cmitem2) != (fixed ? "Choose new player cards" : "Choose player cards")) {
      return ::testing::AssertionFailure() << "menu of seat " << p << ": " << Label(player.cmitem1) << " / "
                                           << Label(player.cmitem2) << (player.cmitem2->isEnabled() ? " on" : " off")
                                           << " / " << (player.cmitem4->isEnabled() ? "range on" : "range off")
                                           << " / " << (player.cmitem3->isEnabled() ? "release on" : "release off");
    }
  }
  const TableRecord& t = a.TABLE;
  if (t.cmitem5 && t.cmitem6) {
    if (Label(t.cmitem5) != "Set dead cards..." || !t.cmitem5->isEnabled() || Label(t.cmitem6) != "Release dead cards" ||
        t.cmitem6->isEnabled() != !t.deadcards.empty()) {
      return ::testing::AssertionFailure() << "dead-card items with " << t.deadcards.size() << " dead cards: "
                                           << (t.cmitem5->isEnabled() ? "set on" : "set off") << " / "
                                           << (t.cmitem6->isEnabled() ? "release on" : "release off");
    }
  }
  // The row of dead cards shows exactly the dead cards, in their order.
  for (int k = 1; k <= kMaxDeadCards; ++k) {
    const PictureItem* picture = t.deadcardsimage[k - 1];
    if (!picture) continue;
    const bool shown = k <= static_cast<int>(t.deadcards.size());
    if (picture->isVisible() != shown ||
        (shown && picture->pixmap().cacheKey() != a.cardImage(t.deadcards[k - 1]).cacheKey())) {
      return ::testing::AssertionFailure() << "dead card picture " << k << (picture->isVisible() ? " shown" : " hidden");
    }
  }
  if (t.cmitem1 && t.cmitem2 && t.cmitem3 && t.cmitem4) {
    const bool flop = board.size() >= 3, turn = board.size() == 4;
    const bool labels =
        (flop ? Label(t.cmitem1) == "Choose new flop cards" : OneOf(Label(t.cmitem1), {"Set Flop cards", "Choose flop cards"})) &&
        (turn ? Label(t.cmitem2) == "Choose new turn card" : OneOf(Label(t.cmitem2), {"Set Turn card", "Choose turn card"})) &&
        (turn ? Label(t.cmitem3) == "Release flop and turn"
              : OneOf(Label(t.cmitem3), {"Release Flop cards", "Release flop cards"})) &&
        Label(t.cmitem4) == "Release Turn card";
    if (!labels || !t.cmitem1->isEnabled() || t.cmitem2->isEnabled() != flop || t.cmitem3->isEnabled() != flop ||
        t.cmitem4->isEnabled() != turn) {
      return ::testing::AssertionFailure() << "board menu with " << board.size() << " cards: " << Label(t.cmitem1)
                                           << " / " << Label(t.cmitem2) << " / " << Label(t.cmitem3) << " / "
                                           << (t.cmitem4->isEnabled() ? "turn release on" : "turn release off");
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace zuv::testing
