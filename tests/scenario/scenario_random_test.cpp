// Random sequences of scenario commands and card-choosing window outcomes,
// each checked against a plain model of the scenario and against the
// consistency rules after every step. A failure names the seed and the step,
// which replay the same sequence.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <random>
#include <sstream>

#include "platform/event_loop.h"
#include "platform/graphics_items.h"
#include "run/exact_odds_box.h"
#include "scenario/choose_range_window.h"
#include "scenario_test.h"

namespace zuv {
namespace {

using testing::Close;
using testing::Pick;
using testing::ScenarioTest;

// What the scenario should be: the fixed cards or the range of each seat, the board and the dead cards.
struct Model {
  std::array<bool, kSeats> active{true, true};
  std::array<std::vector<int>, kSeats> cards{};
  std::array<std::string, kSeats> ranges{};
  std::vector<int> board;
  std::vector<int> dead;

  bool fixed(int card) const {
    if (std::count(board.begin(), board.end(), card) || std::count(dead.begin(), dead.end(), card)) return true;
    for (const auto& c : cards) {
      if (std::count(c.begin(), c.end(), card)) return true;
    }
    return false;
  }
};

// What a setup file carries: the scenario and the run settings, with the
// controls that show them. The cards a random seat kept from a run are not in it.
struct SavedScenario {
  std::array<int, kSeats> active{}, random{};
  std::array<std::vector<int>, kSeats> fixed;
  std::array<std::string, kSeats> ranges;
  std::vector<int> board, dead;
  std::array<int, kCards> deck{};
  int simulateFlop = 0, simulateTurn = 0, hands = 0, setSeed = 0, showhands = 0, exact = 0;
  double seed = 0;
  QString handsText, seedText;
  bool setSeedTicked = false, showHandsTicked = false, seedEditable = false;
  bool exactTicked = false, handsEditable = false;
  bool operator==(const SavedScenario&) const = default;
};

SavedScenario SavedScenarioOf(const App& app) {
  SavedScenario s;
  s.active = app.TABLE.activeplayers;
  s.random = app.TABLE.simulateplayers;
  for (int p = 1; p <= kSeats; ++p) {
    if (s.random[p - 1] == 0) s.fixed[p - 1] = app.player(p).Cards;
    s.ranges[p - 1] = app.player(p).Range;
  }
  s.board = app.TABLE.boardcards;
  s.dead = app.TABLE.deadcards;
  s.deck = app.DECK.cardsindeck;
  s.simulateFlop = app.SETUP.SimulateFlop;
  s.simulateTurn = app.SETUP.SimulateTurn;
  s.hands = app.SETUP.NrOfSims;
  s.setSeed = app.SETUP.SetSeed;
  s.seed = app.SETUP.Seed;
  s.showhands = app.SIM.showhands;
  s.exact = app.SIM.exact;
  const auto* handsField = qobject_cast<const QLineEdit*>(app.UICONTROLS.handle[kHandsField]);
  const auto* seedField = qobject_cast<const QLineEdit*>(app.UICONTROLS.handle[kSeedField]);
  s.handsText = handsField->text();
  s.seedText = seedField->text();
  s.seedEditable = seedField->isEnabled();
  s.setSeedTicked = qobject_cast<const QCheckBox*>(app.UICONTROLS.handle[kSetSeedBox])->isChecked();
  s.showHandsTicked = qobject_cast<const QCheckBox*>(app.UICONTROLS.handle[kShowHandsBox])->isChecked();
  s.exactTicked = ExactOddsBox(const_cast<App&>(app))->isChecked();
  s.handsEditable = handsField->isEnabled();
  return s;
}

class ScenarioRandomTest : public ScenarioTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  int uniform(int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); }
  template <class T>
  const T& any(const std::vector<T>& from) {
    return from[uniform(0, static_cast<int>(from.size()) - 1)];
  }

  // Works the open window at random and closes it with Ok, Cancel or the
  // close box. `replaced` are the cards the command offers again, `prepicked`
  // those it opens with picked; Ok takes from `least` to n cards. The result
  // is the picked cards on Ok, else nullopt.
  std::optional<std::vector<int>> workWindow(ChooseCardWindow& window, int n, int least,
                                             const std::vector<int>& replaced, const std::vector<int>& prepicked) {
    std::vector<int> free;
    for (int k = 1; k <= kCards; ++k) {
      if (!model.fixed(k) || std::count(replaced.begin(), replaced.end(), k)) free.push_back(k);
    }
    EXPECT_EQ(offeredCards(), free);
    EXPECT_EQ(window.cardsToPick(), n);

    std::vector<int> picked = prepicked;
    EXPECT_EQ(app->CHOOSECARDS.chosencards, picked);
    for (int click = uniform(0, 8); click > 0; --click) {
      switch (uniform(0, 4)) {
        case 0:
        case 1:
        case 2: {
          const int card = any(free);
          if (auto it = std::find(picked.begin(), picked.end(), card); it != picked.end()) {
            picked.erase(it);
          } else if (static_cast<int>(picked.size()) < n) {
            picked.push_back(card);
          }
          run(Pick(card, n));
          break;
        }
        case 3: {
          // Cards that are not offered, and texts of another window.
          int fixed = 0;
          for (int k = kCards; k >= 1 && !fixed; --k) {
            if (!std::count(free.begin(), free.end(), k)) fixed = k;
          }
          for (const std::string& text : {Pick(0, n), Pick(53, n), Pick(any(free), n + 1), Pick(fixed, n)}) run(text);
          break;
        }
        case 4:
          if (static_cast<int>(picked.size()) < least) run(Close("Ok", n));  // refused: the window stays
          break;
      }
      EXPECT_EQ(app->CHOOSECARDS.chosencards, picked);
      EXPECT_EQ(app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->isEnabled(), static_cast<int>(picked.size()) >= least);
      EXPECT_EQ(OpenChooseCardWindow(*app), &window);
    }

    switch (uniform(0, 2)) {
      case 0:
        while (static_cast<int>(picked.size()) < least) {
          const int card = any(free);
          if (std::count(picked.begin(), picked.end(), card)) continue;
          picked.push_back(card);
          run(Pick(card, n));
        }
        app->CHOOSEWINDOWBUTTONS.handle[kOkButton]->click();
        return picked;
      case 1:
        app->CHOOSEWINDOWBUTTONS.handle[kCancelButton]->click();
        return std::nullopt;
      default:
        window.close();
        return std::nullopt;
    }
  }

  // Opens the range window of an active seat and closes it with Ok (a range
  // that can be dealt), Cancel or the close box; the outcome is the range taken.
  std::optional<std::string> runRangeWindow(int seat) {
    // Written as the window writes them back.
    static const std::vector<std::string> ranges{"QQ+, AKs", "JJ+, A2s", "22+", "random"};
    std::optional<std::string> outcome;
    bool opened = false;
    whenWaiting([&] {
      ChooseRangeWindow* window = OpenChooseRangeWindow();
      if (!window) return;
      opened = true;
      run("CBRangeText('" + any(ranges) + "')");
      // Commands that would change the table meanwhile do nothing.
      run("CBTogglePlayerActivate(" + std::to_string(seat) + ")");
      run("CBReleaseCards(" + std::to_string(seat) + ")");
      runWithoutWindow("CBChoosePlayerCards(" + std::to_string(seat) + ")");
      switch (uniform(0, 3)) {
        case 0:
        case 1:
          if (window->okButton()->isEnabled()) {
            const QString text = window->text();
            window->okButton()->click();
            // Every combination is no range at all.
            outcome = text == "random" ? std::string() : text.toStdString();
            break;
          }
          [[fallthrough]];
        case 2:
          run("CBCloseRangeFigure('Cancel', " + std::to_string(seat) + ")");
          break;
        default:
          window->close();
      }
    });
    run("CBSetPlayerRange(" + std::to_string(seat) + ")");
    EXPECT_TRUE(opened) << "no range window for seat " << seat;
    return outcome;
  }

  // Runs `command`, which opens a window for n cards (with `prepicked`, from `least` to n).
  std::optional<std::vector<int>> runWindow(const std::string& command, int n, const std::vector<int>& replaced,
                                            int least = 0, const std::vector<int>& prepicked = {}) {
    std::optional<std::vector<int>> outcome;
    const int before = windowsRun;
    inWindow([&](ChooseCardWindow& window) { outcome = workWindow(window, n, least ? least : n, replaced, prepicked); });
    run(command);
    if (windowsRun != before + 1) {
      drawnow();
      ADD_FAILURE() << command << " opened no window";
    }
    return outcome;
  }

  void step() {
    const int seat = uniform(0, 12) == 0 ? uniform(-1, 11) : uniform(1, 10);
    const bool validSeat = seat >= 1 && seat <= kSeats;
    const std::string seatText = "(" + std::to_string(seat) + ")";
    switch (uniform(0, 15)) {
      case 0:
      case 1:
        run("CBTogglePlayerActivate" + seatText);
        if (validSeat) {
          auto& active = model.active[seat - 1];
          if (active) model.cards[seat - 1].clear();
          model.ranges[seat - 1].clear();
          active = !active;
        }
        break;
      case 2:
      case 3:
        if (validSeat && model.active[seat - 1]) {
          auto& cards = model.cards[seat - 1];
          if (auto chosen = runWindow("CBChoosePlayerCards" + seatText, 2, cards)) {
            cards = *chosen;
            model.ranges[seat - 1].clear();
          }
        } else {
          runWithoutWindow("CBChoosePlayerCards" + seatText);
        }
        break;
      case 4:
        run("CBReleaseCards" + seatText);
        if (validSeat) {
          model.cards[seat - 1].clear();
          model.ranges[seat - 1].clear();
        }
        break;
      case 5: {
        const std::vector<int> flop(model.board.begin(), model.board.begin() + std::min<std::size_t>(3, model.board.size()));
        if (auto chosen = runWindow("CBSetFlop", 3, flop)) {
          model.board.resize(std::max<std::size_t>(3, model.board.size()));
          std::copy(chosen->begin(), chosen->end(), model.board.begin());
        }
        break;
      }
      case 6:
        if (model.board.size() >= 3) {
          const std::vector<int> turn(model.board.begin() + 3, model.board.end());
          if (auto chosen = runWindow("CBSetTurn", 1, turn)) {
            model.board.resize(4);
            model.board[3] = chosen->front();
          }
        } else {
          runWithoutWindow("CBSetTurn");
        }
        break;
      case 7:
        run("CBReleaseFlop");
        model.board.clear();
        break;
      case 8:
        run("CBReleaseTurn");
        if (model.board.size() == 4) model.board.resize(3);
        break;
      case 9:
        // Texts of a window that is gone.
        run(Pick(uniform(1, 52), uniform(1, 3)));
        run(Close(uniform(0, 1) ? "Ok" : "Cancel", uniform(1, 3)));
        break;
      case 10:
        leaveDealtCards();
        break;
      case 11:
        saveAndLoad();
        break;
      case 12:
      case 13:
        if (validSeat && model.active[seat - 1]) {
          if (auto range = runRangeWindow(seat)) {
            model.ranges[seat - 1] = *range;
            model.cards[seat - 1].clear();
            ++rangesTaken;
          }
        } else {
          run("CBSetPlayerRange" + seatText);
          EXPECT_EQ(OpenChooseRangeWindow(), nullptr);
        }
        break;
      case 14:
        if (auto chosen = runWindow("CBSetDeadCards", kMaxDeadCards, model.dead, 1, model.dead)) model.dead = *chosen;
        break;
      case 15:
        run("CBReleaseDeadCards");
        model.dead.clear();
        break;
    }
  }

  // Changes the settings at random, saves, changes the table and loads the
  // file back: the scenario and the settings must come back as saved.
  void saveAndLoad() {
    auto* hands = qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kHandsField]);
    auto* seed = qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kSeedField]);
    hands->setText(QString::number(uniform(0, 3) == 0 ? 1000000000 : uniform(1, 100000)));
    run("CBValidateHandsToSimulate");
    seed->setText(QString::number(uniform(-100000, 100000)));
    run("CBValidateSeed");
    if (uniform(0, 1)) qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kSetSeedBox])->click();
    if (uniform(0, 1)) qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kShowHandsBox])->click();
    if (uniform(0, 1)) ExactOddsBox(*app)->click();
    const SavedScenario saved = SavedScenarioOf(*app);
    const auto messagesBefore = app->messages.open().size();

    dialogs->answers.push_back(FileChoice{folder.path() + "/", "step"});
    dialogs->replaceAnswers.push_back(true);  // the step before saved "step.zuv"
    run("CBSaveSetup");
    run("CBTogglePlayerActivate(" + std::to_string(uniform(1, 10)) + ")");
    hands->setText("12345");
    run("CBValidateHandsToSimulate");
    qobject_cast<QCheckBox*>(app->UICONTROLS.handle[kSetSeedBox])->click();
    ExactOddsBox(*app)->click();
    dialogs->answers.push_back(FileChoice{folder.path() + "/", "step.zuv"});
    run("CBLoadSetup");

    EXPECT_EQ(app->messages.open().size(), messagesBefore);
    EXPECT_TRUE(SavedScenarioOf(*app) == saved) << "the setup did not come back as saved";
    // The loaded random seats hold no cards until the next run deals them.
    for (int p = 1; p <= kSeats; ++p) {
      if (app->TABLE.simulateplayers[p - 1] == 1) {
        EXPECT_TRUE(app->player(p).Cards.empty()) << "seat " << p;
      }
    }
    ++loads;
  }

  // The state a simulation run leaves behind: every random seat holds the
  // cards of the last hand dealt to it, which are not fixed.
  void leaveDealtCards() {
    std::vector<int> deck;
    for (int k = 1; k <= kCards; ++k) {
      if (!model.fixed(k)) deck.push_back(k);
    }
    for (int k = static_cast<int>(deck.size()) - 1; k > 0; --k) std::swap(deck[k], deck[uniform(0, k)]);
    for (int p = 1; p <= kSeats; ++p) {
      if (app->TABLE.activeplayers[p - 1] != 1 || app->TABLE.simulateplayers[p - 1] != 1) continue;
      app->player(p).Cards = {deck.back(), deck[deck.size() - 2]};
      deck.resize(deck.size() - 2);
    }
    dealtCardsLeft = true;
  }

  ::testing::AssertionResult matchesModel() const {
    for (int p = 1; p <= kSeats; ++p) {
      if ((app->TABLE.activeplayers[p - 1] == 1) != model.active[p - 1]) {
        return ::testing::AssertionFailure() << "seat " << p << " active flag";
      }
      const auto& cards = app->player(p).Cards;
      const bool random = app->TABLE.simulateplayers[p - 1] == 1;
      const bool matches = model.cards[p - 1].empty()
                               ? (cards.empty() || (random && dealtCardsLeft))
                               : (!random && cards == model.cards[p - 1]);
      if (!matches) return ::testing::AssertionFailure() << "cards of seat " << p;
      if (app->player(p).Range != model.ranges[p - 1]) return ::testing::AssertionFailure() << "range of seat " << p;
    }
    if (app->TABLE.boardcards != model.board) return ::testing::AssertionFailure() << "board";
    if (app->TABLE.deadcards != model.dead) return ::testing::AssertionFailure() << "dead cards";
    return ::testing::AssertionSuccess();
  }

  std::mt19937 rng;
  Model model;
  QTemporaryDir folder;
  int loads = 0;
  int rangesTaken = 0;
};

TEST_P(ScenarioRandomTest, CommandsAndWindowOutcomesKeepTheScenarioConsistent) {
  rng.seed(GetParam());
  ASSERT_TRUE(consistent());
  for (int n = 1; n <= 150; ++n) {
    SCOPED_TRACE("seed " + std::to_string(GetParam()) + ", step " + std::to_string(n));
    step();
    ASSERT_TRUE(consistent());
    ASSERT_TRUE(matchesModel());
    if (n % 20 == 0) app->messages.closeAll();
  }
  EXPECT_GT(windowsRun, 15);
  EXPECT_GT(loads, 3);
  EXPECT_GT(rangesTaken, 2);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ScenarioRandomTest, ::testing::Values(1u, 2u, 20261207u));

}  // namespace
}  // namespace zuv
