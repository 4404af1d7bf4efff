// Saving and loading setups through the File menu commands of the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <qcustomplot.h>

#include "platform/graphics_items.h"
#include "run/exact_odds_box.h"
#include "scenario/player_switching.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_records.h"
#include "support/app_fixture.h"
#include "table/card_display.h"

namespace zuv {
namespace {

// Everything a setup carries, and the controls that show it.
struct Snapshot {
  std::array<int, 10> activeplayers, simulateplayers;
  std::array<std::vector<int>, 10> cards;
  std::vector<int> boardcards;
  std::array<int, 52> cardsindeck;
  int NrOfSims, Dealer, SimulateFlop, SimulateTurn, SetSeed;
  double Seed;
  int showhands;
  QString handsText, seedText;
  bool setSeedTicked, showHandsTicked, seedEnabled;
  bool operator==(const Snapshot&) const = default;
};

class SetupCommands : public testing::AppTest {
 protected:
  void SetUp() override {
    testing::AppTest::SetUp();
    ASSERT_TRUE(folder.isValid());
  }

  QString dir() const { return folder.path() + "/"; }
  QLineEdit* edit(ControlSlot k) { return qobject_cast<QLineEdit*>(app->UICONTROLS.handle[k]); }
  QCheckBox* box(ControlSlot k) { return qobject_cast<QCheckBox*>(app->UICONTROLS.handle[k]); }

  Snapshot snapshot() {
    Snapshot s;
    s.activeplayers = app->TABLE.activeplayers;
    s.simulateplayers = app->TABLE.simulateplayers;
    for (int p = 1; p <= 10; ++p) s.cards[p - 1] = app->player(p).Cards;
    s.boardcards = app->TABLE.boardcards;
    s.cardsindeck = app->DECK.cardsindeck;
    s.NrOfSims = app->SETUP.NrOfSims;
    s.Dealer = app->SETUP.Dealer;
    s.SimulateFlop = app->SETUP.SimulateFlop;
    s.SimulateTurn = app->SETUP.SimulateTurn;
    s.SetSeed = app->SETUP.SetSeed;
    s.Seed = app->SETUP.Seed;
    s.showhands = app->SIM.showhands;
    s.handsText = edit(kHandsField)->text();
    s.seedText = edit(kSeedField)->text();
    s.setSeedTicked = box(kSetSeedBox)->isChecked();
    s.showHandsTicked = box(kShowHandsBox)->isChecked();
    s.seedEnabled = edit(kSeedField)->isEnabled();
    return s;
  }

  // Fixes two hole cards on an active seat, as the card commands leave it.
  void fixSeat(int seat, int a, int b) {
    if (app->activeplayers(seat) == 0) CBTogglePlayerActivate(*app, seat);
    app->player(seat).Cards = {a, b};
    app->cardsindeck(a) = app->cardsindeck(b) = 0;
    app->simulateplayers(seat) = 0;
    DisplayPlayerCards(*app, std::vector<int>{seat});
  }
  void fixFlop(int a, int b, int c) {
    app->TABLE.boardcards = {a, b, c};
    for (int card : {a, b, c}) app->cardsindeck(card) = 0;
    app->SETUP.SimulateFlop = 0;
    DisplayBoardCards(*app);
  }
  // The settings as the user would type and tick them.
  void settings(const QString& hands, const QString& seed, bool setSeed, bool showHands) {
    edit(kHandsField)->setText(hands);
    run("CBValidateHandsToSimulate");
    edit(kSeedField)->setText(seed);
    run("CBValidateSeed");
    if (box(kSetSeedBox)->isChecked() != setSeed) box(kSetSeedBox)->click();
    if (box(kShowHandsBox)->isChecked() != showHands) box(kShowHandsBox)->click();
  }
  void showResult() {
    app->FIGURE.histogramaxes->show();
    app->UICONTROLS.handle[kCounterLabel]->show();
    app->UICONTROLS.handle[kCounter]->show();
  }
  bool resultHidden() {
    return !app->FIGURE.histogramaxes->isVisible() && !app->UICONTROLS.handle[kCounterLabel]->isVisible() &&
           !app->UICONTROLS.handle[kCounter]->isVisible() && app->FIGURE.histogramaxes->plottableCount() == 0;
  }

  void save(const QString& name) {
    dialogs->answers.push_back(FileChoice{dir(), name});
    run("CBSaveSetup");
  }
  void load(const QString& name, const QString& folderPath = {}) {
    dialogs->answers.push_back(FileChoice{folderPath.isEmpty() ? dir() : folderPath, name});
    run("CBLoadSetup");
  }
  std::vector<MessageWindows::Shown> messages() { return app->messages.open(); }

  // Seats 1, 2 and 5 active; 2 holds As Ah, 5 holds 2c 2d; flop 7s 8s 9s; turn dealt.
  void layOutScenario() {
    CBTogglePlayerActivate(*app, 5);
    fixSeat(2, 13, 26);
    fixSeat(5, 40, 27);
    fixFlop(6, 7, 8);
  }

  QTemporaryDir folder;
};

TEST_F(SetupCommands, DialogsShowTheirFiltersAndTitlesAndCancelChangesNothing) {
  const Snapshot before = snapshot();
  run("CBSaveSetup");
  run("CBLoadSetup");
  ASSERT_EQ(dialogs->shown.size(), 2u);
  EXPECT_EQ(dialogs->shown[0].filter, "*.zuv");
  EXPECT_EQ(dialogs->shown[0].title, "Choose file to save setup information in");
  EXPECT_EQ(dialogs->shown[1].filter, "*.zuv");
  EXPECT_EQ(dialogs->shown[1].title, "Choose setup file to load");
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(snapshot(), before);
  EXPECT_FALSE(app->run("CBSaveSetup(1)"));
  EXPECT_FALSE(app->run("CBLoadSetup(1)"));
}

TEST_F(SetupCommands, SavingAddsTheEndingByTheNameRule) {
  for (const char* name : {"table", "table.txt", "table.ZUV", "table.", "table.zuv", "game"}) save(name);
  QStringList written = QDir(folder.path()).entryList(QDir::Files);
  written.sort();
  QStringList expected{"game.zuv", "table..zuv", "table.txt.zuv", "table.ZUV.zuv", "table.zuv"};
  expected.sort();
  EXPECT_EQ(written, expected);
  EXPECT_TRUE(messages().empty());
  // "table.zuv" met the file "table" had made: asked once, and the answer No kept it.
  EXPECT_EQ(dialogs->askedToReplace, std::vector<QString>{dir() + "table.zuv"});
}

// "three" becomes "three.zuv", which the save dialog never saw: the program asks.
TEST_F(SetupCommands, AnExistingSetupIsReplacedOnlyWhenTheUserSaysYes) {
  app->SETUP.NrOfSims = 1234;
  save("three");
  app->SETUP.NrOfSims = 5;
  save("three");
  load("three.zuv");
  EXPECT_EQ(app->SETUP.NrOfSims, 1234);
  app->SETUP.NrOfSims = 5;
  dialogs->replaceAnswers.push_back(true);
  save("three");
  app->SETUP.NrOfSims = 6;
  load("three.zuv");
  EXPECT_EQ(app->SETUP.NrOfSims, 5);
  EXPECT_EQ(dialogs->askedToReplace, (std::vector<QString>{dir() + "three.zuv", dir() + "three.zuv"}));
}

TEST_F(SetupCommands, LoadingTheFileJustSavedLeavesEverythingAsItWasWithTheChartHidden) {
  layOutScenario();
  settings("777", "-3", false, true);
  const Snapshot saved = snapshot();
  save("round");

  // Change all of it, and show a result.
  CBTogglePlayerActivate(*app, 5);
  CBTogglePlayerActivate(*app, 2);
  CBTogglePlayerActivate(*app, 8);
  settings("1000", "99", true, false);
  showResult();
  ASSERT_NE(snapshot(), saved);

  load("round.zuv");
  EXPECT_TRUE(messages().empty());
  const Snapshot loaded = snapshot();
  EXPECT_FALSE(loaded.seedEnabled);  // seeding is off in the file
  EXPECT_EQ(loaded, saved);
  EXPECT_TRUE(resultHidden());
  EXPECT_EQ(edit(kHandsField)->text(), "777");
  EXPECT_EQ(edit(kSeedField)->text(), "-3");
  for (int p = 1; p <= 10; ++p) EXPECT_FALSE(app->player(p).handtext->isVisible()) << p;
}

TEST_F(SetupCommands, RangesDeadCardsAndExactOddsComeBackWithTheSetup) {
  save("plain");
  app->player(1).Range = "QQ+,AKs";
  app->TABLE.deadcards = {2, 3};
  app->cardsindeck(2) = app->cardsindeck(3) = 0;
  app->run("CBExactOdds");
  save("extras");

  app->player(1).Range.clear();
  app->TABLE.deadcards.clear();
  app->cardsindeck(2) = app->cardsindeck(3) = 1;
  app->run("CBExactOdds");
  load("extras.zuv");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(app->player(1).Range, "QQ+,AKs");
  EXPECT_TRUE(app->player(1).rangetext->isVisible());
  EXPECT_EQ(app->player(1).rangetext->text(), "QQ+,AKs");
  EXPECT_TRUE(app->player(1).cmitem3->isEnabled()) << "a loaded range can be released";
  EXPECT_EQ(app->TABLE.deadcards, (std::vector<int>{2, 3}));
  EXPECT_EQ(app->cardsindeck(2), 0);
  EXPECT_TRUE(app->TABLE.deadcardsimage[1]->isVisible());
  EXPECT_FALSE(app->TABLE.deadcardsimage[2]->isVisible());
  EXPECT_TRUE(app->TABLE.cmitem6->isEnabled());
  EXPECT_EQ(app->SIM.exact, 1);
  EXPECT_TRUE(ExactOddsBox(*app)->isChecked());
  EXPECT_FALSE(edit(kHandsField)->isEnabled());

  // A file without dead cards gives them back to the deck.
  load("plain.zuv");
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(app->TABLE.deadcards.empty());
  EXPECT_EQ(app->player(1).Range, "");
  EXPECT_FALSE(app->player(1).rangetext->isVisible());
  EXPECT_FALSE(app->player(1).cmitem3->isEnabled());
  EXPECT_EQ(app->cardsindeck(2), 1);
  EXPECT_FALSE(app->TABLE.deadcardsimage[0]->isVisible());
  EXPECT_FALSE(app->TABLE.cmitem6->isEnabled());
}

TEST_F(SetupCommands, SeatsOneTwoFiveLoadedOverOneToFour) {
  layOutScenario();
  save("five");
  CBTogglePlayerActivate(*app, 5);  // hands 2c 2d back
  CBTogglePlayerActivate(*app, 3);
  CBTogglePlayerActivate(*app, 4);
  ASSERT_EQ(app->TABLE.activeplayers, (std::array<int, 10>{1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));

  load("five.zuv");
  EXPECT_EQ(app->TABLE.activeplayers, (std::array<int, 10>{1, 1, 0, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(app->TABLE.simulateplayers, (std::array<int, 10>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(app->player(5).Cards, (std::vector<int>{40, 27}));
  EXPECT_EQ(app->cardsindeck(40), 0);
  EXPECT_EQ(app->player(5).cmitem1->text(), "Deactivate player");
  EXPECT_EQ(app->player(3).cmitem1->text(), "Activate player");
  for (int j : {0, 1}) {
    EXPECT_TRUE(app->player(5).cardimage[j]->isVisible());
    EXPECT_DOUBLE_EQ(app->player(5).cardimage[j]->alpha(), 1.0);  // fixed cards are opaque
    EXPECT_FALSE(app->player(3).cardimage[j]->isVisible());
    EXPECT_FALSE(app->player(4).cardimage[j]->isVisible());
  }
}

TEST_F(SetupCommands, AFixedFlopWithARandomTurnComesBackAsAnOpaqueFlopOnly) {
  layOutScenario();
  save("flop");
  app->TABLE.boardcards.clear();
  for (int card : {6, 7, 8}) app->cardsindeck(card) = 1;
  app->SETUP.SimulateFlop = 1;
  CBClearTable(*app);

  load("flop.zuv");
  EXPECT_EQ(app->SETUP.SimulateFlop, 0);
  EXPECT_EQ(app->SETUP.SimulateTurn, 1);
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{6, 7, 8}));
  for (int k : {0, 1, 2}) {
    EXPECT_TRUE(app->TABLE.boardcardsimage[k]->isVisible()) << k;
    EXPECT_DOUBLE_EQ(app->TABLE.boardcardsimage[k]->alpha(), 1.0) << k;
  }
  EXPECT_FALSE(app->TABLE.boardcardsimage[3]->isVisible());
  EXPECT_FALSE(app->TABLE.boardcardsimage[4]->isVisible());
}

TEST_F(SetupCommands, LoadedCardsCanBeReleasedAndChosenAgainFromTheMenus) {
  layOutScenario();
  save("menus");
  CBTogglePlayerActivate(*app, 5);
  CBTogglePlayerActivate(*app, 2);
  app->TABLE.boardcards.clear();
  for (int card : {6, 7, 8}) app->cardsindeck(card) = 1;
  app->SETUP.SimulateFlop = 1;

  load("menus.zuv");
  for (int seat : {2, 5}) {
    EXPECT_EQ(app->player(seat).cmitem2->text(), "Choose new player cards") << seat;
    EXPECT_TRUE(app->player(seat).cmitem2->isEnabled()) << seat;
    EXPECT_TRUE(app->player(seat).cmitem3->isEnabled()) << seat;
  }
  EXPECT_FALSE(app->player(1).cmitem3->isEnabled());  // dealt at random: nothing to release
  EXPECT_FALSE(app->player(3).cmitem2->isEnabled());  // inactive
  EXPECT_EQ(app->TABLE.cmitem1->text(), "Choose new flop cards");
  EXPECT_TRUE(app->TABLE.cmitem2->isEnabled());
  EXPECT_TRUE(app->TABLE.cmitem3->isEnabled());
  EXPECT_EQ(app->TABLE.cmitem3->text(), "Release flop cards");
  EXPECT_FALSE(app->TABLE.cmitem4->isEnabled());
}

TEST_F(SetupCommands, AFileOfAnotherWriterLoads) {
  // Seats 1, 3 and 6; seat 3 holds As Ah; flop 2c 7d Th; 1234 hands; seed -77 off; every hand shown.
  load("foreign_setup.zuv", testing::SourceFolder() + "/tests/setup/data/");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(app->TABLE.activeplayers, (std::array<int, 10>{1, 0, 1, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(app->player(3).Cards, (std::vector<int>{13, 26}));
  EXPECT_EQ(app->TABLE.boardcards, (std::vector<int>{40, 32, 22}));
  EXPECT_EQ(edit(kHandsField)->text(), "1234");
  EXPECT_EQ(edit(kSeedField)->text(), "-77");
  EXPECT_FALSE(box(kSetSeedBox)->isChecked());
  EXPECT_TRUE(box(kShowHandsBox)->isChecked());
  EXPECT_EQ(app->SETUP.Dealer, 4);
}

TEST_F(SetupCommands, ARefusedFileChangesNothingAndNamesTheFileAndTheProblem) {
  layOutScenario();
  save("good");
  settings("4321", "5", true, false);
  showResult();
  const Snapshot before = snapshot();

  QFile good(dir() + "good.zuv");
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray bytes = good.readAll();
  auto write = [this](const QString& name, const QByteArray& data) {
    QFile f(dir() + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
  };
  write("cut.zuv", bytes.left(bytes.size() / 2));
  setupfile::SetupContent twice = SetupContentOf(*app);
  twice.players[4].Cards = {13, 27};  // As is seat 2's as well
  ASSERT_EQ(setupfile::WriteSetupFile((dir() + "twice.zuv").toStdString(), twice), std::nullopt);
  setupfile::SetupContent card53 = SetupContentOf(*app);
  card53.players[1].Cards = {13, 53};
  ASSERT_EQ(setupfile::WriteSetupFile((dir() + "card53.zuv").toStdString(), card53), std::nullopt);
  write("text.zuv", "tempTABLE tempSETUP tempPLAYER cardsindeck tempSIM, but not a MAT-file at all");

  // A name may hold a line break: the message shows it escaped, on one line.
  for (const char* name : {"cut.zuv", "text.zuv", "missing.zuv", "twice.zuv", "card53.zuv", "line\nbreak.zuv"}) {
    app->messages.closeAll();
    load(name);
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u) << name;
    EXPECT_EQ(shown[0].title, "Setup not loaded");
    const QString quoted = "'" + dir() + QString(name).replace("\n", "\\n") + "'";
    EXPECT_TRUE(shown[0].text.startsWith("The setup file " + quoted + " was not loaded: "))
        << shown[0].text.toStdString();
    EXPECT_EQ(snapshot(), before) << name;
    EXPECT_TRUE(app->FIGURE.histogramaxes->isVisible());  // not even the chart is reset
  }
}

TEST_F(SetupCommands, TheWholeRecordsAreSavedWithGraphicsAsSerialNumbers) {
  layOutScenario();
  const setupfile::SetupContent c = SetupContentOf(*app);
  EXPECT_EQ(c.setup.handnames[0], "High card");
  EXPECT_EQ(c.setup.handnames[8], "Straight flush");
  EXPECT_EQ(c.setup.NrOfPlayers, 10);
  EXPECT_DOUBLE_EQ(c.setup.CardSize[0], 40 / 240.0 * 1.3);
  EXPECT_DOUBLE_EQ(c.table.skew, 0.8);
  EXPECT_DOUBLE_EQ(c.table.playerangle[0], 1.131);
  EXPECT_EQ(c.table.lightyellow, (std::array<double, 3>{1, 1, 0.8}));
  EXPECT_EQ(c.table.boardcards, (std::vector<double>{6, 7, 8}));
  EXPECT_EQ(c.players[1].Cards, (std::vector<double>{13, 26}));
  EXPECT_EQ(c.sim.WinStat.dims, (std::vector<std::size_t>{10, 9}));
  // Every graphics object has its own number.
  std::set<double> numbers{c.table.patchhandle, c.table.cmenu, c.table.cmitem1, c.table.dealerbutton};
  for (const auto& p : c.players) {
    numbers.insert({p.patchhandle, p.playernrtexthandle, p.cardimage[0], p.cardimage[1], p.cmitem1});
  }
  EXPECT_EQ(numbers.count(0), 0u);
  EXPECT_EQ(numbers.size(), 4u + 10u * 5u);
}

TEST_F(SetupCommands, TheSameStateIsSavedAsTheSameBytesAsBefore) {
  // A state with a value in every kind of saved field; the kept file was
  // saved from it by an earlier version of the program.
  layOutScenario();
  app->player(1).Range = "QQ+,AKs";
  app->TABLE.deadcards = {2, 3};
  app->cardsindeck(2) = app->cardsindeck(3) = 0;
  app->run("CBExactOdds");
  app->player(1).hand = 3;
  app->player(1).highcard = {9, 5};
  app->TABLE.winner = {1, 2};
  app->TABLE.tempplayercards = {4, 5};
  app->SIM.WinStat[3] = 1.5;
  app->SIM.WinStat2Players = 2;
  app->SIM.WinStat2.assign(kSeats * kHandClasses * 2, 0.25);
  app->SIM.Statistic.assign(kSeats * kStartHandClasses * kHandClasses, 0.75);
  app->SIM.WinRecord.assign(kSeats, 0.5);
  save("state");
  QFile saved(dir() + "state.zuv"), kept("tests/setup/data/window_state.zuv");
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll() == kept.readAll());
}

TEST_F(SetupCommands, ANameWithoutTheEndingIsRefusedWithAMessageAndChangesNothing) {
  save("plain");
  const Snapshot before = snapshot();
  QFile::copy(dir() + "plain.zuv", dir() + "plain.txt");
  CBTogglePlayerActivate(*app, 7);
  const Snapshot changed = snapshot();
  for (const char* name : {"plain.txt", "plain.ZUV"}) {
    app->messages.closeAll();
    load(name);
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u) << name;
    EXPECT_EQ(shown[0].text, "Setup files end in .zuv");
    EXPECT_EQ(shown[0].title, "Setup not loaded");
    EXPECT_EQ(snapshot(), changed);
  }
  EXPECT_NE(snapshot(), before);
}

TEST_F(SetupCommands, TheSeedFieldIsEditableExactlyWhenTheLoadedSetupSeeds) {
  settings("500", "8", true, false);
  save("seeded");
  settings("500", "8", false, false);
  save("unseeded");
  ASSERT_FALSE(edit(kSeedField)->isEnabled());
  load("seeded.zuv");
  EXPECT_TRUE(box(kSetSeedBox)->isChecked());
  EXPECT_TRUE(edit(kSeedField)->isEnabled());
  load("unseeded.zuv");
  EXPECT_FALSE(box(kSetSeedBox)->isChecked());
  EXPECT_FALSE(edit(kSeedField)->isEnabled());
  // The box and the field still change together afterwards.
  box(kSetSeedBox)->click();
  EXPECT_EQ(app->SETUP.SetSeed, 1);
  EXPECT_TRUE(edit(kSeedField)->isEnabled());
}

TEST_F(SetupCommands, ASetupSavedAfterARunWithADealtCardFixedSinceLoadsAgain) {
  settings("2000", "0", true, false);
  run("CBStartSimulation");
  const std::vector<int> dealt = app->player(1).Cards;
  ASSERT_EQ(dealt.size(), 2u);
  ASSERT_EQ(app->simulateplayers(1), 1);
  // The flop takes one of seat 1's last dealt cards and two cards no seat holds.
  const std::vector<int> other = app->player(2).Cards;
  std::vector<int> flop{dealt[0]};
  for (int card = 1; flop.size() < 3; ++card) {
    if (!std::count(dealt.begin(), dealt.end(), card) && !std::count(other.begin(), other.end(), card)) {
      flop.push_back(card);
    }
  }
  fixFlop(flop[0], flop[1], flop[2]);
  std::vector<int> third;
  for (int card = 52; third.size() < 2; --card) {
    if (!std::count(flop.begin(), flop.end(), card)) third.push_back(card);
  }
  fixSeat(3, third[0], third[1]);
  const Snapshot saved = snapshot();
  save("after_run");
  load("after_run.zuv");
  EXPECT_TRUE(messages().empty());
  Snapshot loaded = snapshot();
  // The random seats' last dealt cards are not part of the setup.
  EXPECT_TRUE(loaded.cards[0].empty());
  EXPECT_TRUE(loaded.cards[1].empty());
  EXPECT_EQ(loaded.cards[2], third);
  loaded.cards[0] = saved.cards[0];
  loaded.cards[1] = saved.cards[1];
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(app->cardsindeck(dealt[0]), 0);
  // The restored table can be played again.
  run("CBStartSimulation");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(app->TABLE.boardcards.size(), 3u);
}

TEST_F(SetupCommands, AFailedSaveShowsTheFileAndTheReasonAndKeepsTheOldFile) {
  save("kept");
  QFile kept(dir() + "kept.zuv");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  const QByteArray old = kept.readAll();
  kept.close();

  // Tests run as root, where permission bits do not stop a write: a folder
  // that does not exist, and a folder in the place of the file, fail for anyone.
  dialogs->answers.push_back(FileChoice{dir() + "nowhere/", "kept"});
  run("CBSaveSetup");
  QDir(folder.path()).mkdir("taken.zuv");
  save("taken");
  const auto shown = messages();
  ASSERT_EQ(shown.size(), 1u);  // the second replaced the first
  EXPECT_EQ(shown[0].title, "Setup not saved");
  EXPECT_TRUE(shown[0].text.startsWith("The setup was not saved to '" + dir() + "taken.zuv': "))
      << shown[0].text.toStdString();

  CBTogglePlayerActivate(*app, 9);
  dialogs->answers.push_back(FileChoice{dir() + "nowhere/", "kept"});
  run("CBSaveSetup");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), old);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            (QStringList{"kept.zuv", "taken.zuv"}));
}

}  // namespace
}  // namespace zuv
