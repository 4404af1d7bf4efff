#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <numbers>
#include <tuple>
#include <qcustomplot.h>

#include "platform/data_folders.h"
#include "platform/normal_position.h"
#include "program/help_links.h"
#include "run/run_counter.h"
#include "state/initial_setup.h"
#include "state/main_window.h"
#include "support/app_fixture.h"

namespace zuv {
namespace {

using testing::AppTest;

TEST(InitialRecords, CardTablesAndHandIndex) {
  App app;
  InitialRecords(app);
  struct Expect {
    int card, value, suit;
    const char* symbol;
  };
  for (const Expect& e : {Expect{1, 2, 1, "2s"}, Expect{13, 14, 1, "As"}, Expect{14, 2, 2, "2h"},
                          Expect{39, 14, 3, "Ad"}, Expect{40, 2, 4, "2c"}, Expect{52, 14, 4, "Ac"},
                          Expect{35, 10, 3, "Td"}}) {
    EXPECT_EQ(app.cardValue(e.card), e.value) << e.card;
    EXPECT_EQ(app.cardSuit(e.card), e.suit) << e.card;
    EXPECT_EQ(app.DECK.symbol[e.card - 1], e.symbol);
  }
  for (int n = 1; n <= 52; ++n) EXPECT_EQ(app.cardsindeck(n), 1);

  const auto& index = app.HANDINDEX;
  EXPECT_EQ(index.front(), (std::array<int, 5>{1, 2, 3, 4, 5}));
  EXPECT_EQ(index[1], (std::array<int, 5>{1, 2, 3, 4, 6}));
  EXPECT_EQ(index[3], (std::array<int, 5>{1, 2, 3, 5, 6}));
  EXPECT_EQ(index[19], (std::array<int, 5>{2, 4, 5, 6, 7}));
  EXPECT_EQ(index.back(), (std::array<int, 5>{3, 4, 5, 6, 7}));
  for (std::size_t k = 0; k < index.size(); ++k) {
    EXPECT_TRUE(std::is_sorted(index[k].begin(), index[k].end()));
    EXPECT_EQ(std::adjacent_find(index[k].begin(), index[k].end()), index[k].end());
    if (k > 0) {
      EXPECT_LT(index[k - 1], index[k]);
    }
  }
}

TEST(InitialRecords, SettingsSeatsAndColours) {
  App app;
  InitialRecords(app);
  EXPECT_EQ(app.SETUP.NrOfSims, 50000);
  EXPECT_EQ(app.SETUP.Dealer, 10);
  EXPECT_EQ(app.SETUP.SimulateFlop, 1);
  EXPECT_EQ(app.SETUP.SimulateTurn, 1);
  EXPECT_EQ(app.SETUP.SetSeed, 1);
  EXPECT_EQ(app.SETUP.Seed, 0);
  EXPECT_NEAR(app.SETUP.CardSize[0], 40.0 / 240 * 1.3, 1e-15);
  EXPECT_NEAR(app.SETUP.CardSize[1], 56.0 / 240 * 1.3, 1e-15);
  EXPECT_EQ(app.SETUP.handnames[0], "High card");
  EXPECT_EQ(app.SETUP.handnames[7], "Four of a kind");
  EXPECT_EQ(app.SETUP.handnames[8], "Straight flush");
  EXPECT_EQ(app.TABLE.activeplayers, (std::array<int, 10>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(app.TABLE.simulateplayers, app.TABLE.activeplayers);
  EXPECT_TRUE(app.TABLE.boardcards.empty());
  EXPECT_EQ(app.TABLE.tablecolor, app.TABLE.activeplayercolor);
  EXPECT_EQ(app.TABLE.tablecolor, app.TABLE.backgroundcolor);
  EXPECT_NEAR(app.TABLE.tablecolor.g, 70 / 255.0, 1e-15);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_DOUBLE_EQ(app.TABLE.playerangle[10 - k], -std::numbers::pi - app.TABLE.playerangle[k - 1]);
  }
  EXPECT_NEAR(app.TABLE.playerangle[5], -1.8079834535897932, 1e-12);
  EXPECT_EQ(app.SIM.WinStat.size(), 90u);
  EXPECT_TRUE(app.SIM.WinRecord.empty());
  EXPECT_EQ(app.CHOOSECARDS.busypos, (std::array<double, 2>{0, 0}));
}

TEST(InitialSetup, MissingPictureNamesTheFileAndEveryFolderLookedIn) {
  QTemporaryDir empty, other;
  App app;
  app.dataFolders = {empty.path(), other.path()};
  const auto problem = InitialSetup(app);
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(problem->contains("\"2s.png\"")) << problem->toStdString();
  for (const QTemporaryDir* folder : {&empty, &other}) {
    EXPECT_TRUE(problem->contains('"' + QDir::toNativeSeparators(folder->path() + "/cardimages") + '"'))
        << problem->toStdString();
  }
  EXPECT_EQ(app.FIGURE.mainfigurehandle, nullptr);
}

TEST(InitialSetup, DataComesFromTheFirstFolderThatHasIt) {
  QTemporaryDir empty;
  App app;
  app.dataFolders = {empty.path(), testing::SourceFolder()};
  EXPECT_FALSE(InitialSetup(app).has_value());
  EXPECT_EQ(HelpPageAddress(app), QUrl::fromLocalFile(testing::SourceFolder() + "/help.htm").toString());
}

TEST(DataFolders, WorkingDirectoryThenInstalledFolderThenSourceFolderInTheBuildTree) {
  QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  const QStringList folders = StandardDataFolders();
  QDir::setCurrent(before);
  ASSERT_EQ(folders.size(), 3);
  EXPECT_EQ(folders[0], QDir(elsewhere.path()).canonicalPath());
  EXPECT_EQ(folders[1], QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/zuvpoker"));
  // These tests run from the build folder, where the data is the source folder's.
  EXPECT_EQ(QDir(folders[2]).canonicalPath(), QDir(testing::SourceFolder()).canonicalPath());
  EXPECT_EQ(FindDataFile({folders[1], testing::SourceFolder()}, "cardimages/As.png"),
            testing::SourceFolder() + "/cardimages/As.png");
  EXPECT_EQ(FindDataFile({folders[1]}, "cardimages/As.png"), "");
}

TEST_F(AppTest, ControlsRightAfterStartUp) {
  auto& h = app->UICONTROLS.handle;
  auto* start = qobject_cast<QPushButton*>(h[2]);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->text(), "Start simulation");
  EXPECT_EQ(start->toolTip(), "Click to start simulation (Ctrl+R)");
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(qobject_cast<QCheckBox*>(h[3])->isChecked());
  EXPECT_EQ(qobject_cast<QCheckBox*>(h[3])->text(), "Show every simulated hand");
  EXPECT_EQ(qobject_cast<QLabel*>(h[5])->text(), "Number of hands to simulate:");
  EXPECT_EQ(qobject_cast<QLineEdit*>(h[4])->text(), "50000");
  EXPECT_FALSE(h[6]->isVisible());
  EXPECT_FALSE(h[7]->isVisible());
  EXPECT_TRUE(qobject_cast<QCheckBox*>(h[9])->isChecked());
  EXPECT_EQ(qobject_cast<QLineEdit*>(h[10])->text(), "0");
  EXPECT_TRUE(h[10]->isEnabled());
  EXPECT_EQ(h[1], nullptr);
  EXPECT_EQ(h[8], nullptr);
  EXPECT_FALSE(app->FIGURE.histogramaxes->isVisible());
  // Placed as fractions of the 750 x 500 window, from the bottom left.
  EXPECT_EQ(start->geometry(), QRect(488, 420, 90, 30));
  EXPECT_EQ(h[4]->geometry().left(), 638);
  EXPECT_TRUE(app->FIGURE.mainfigurehandle->isVisible());
  EXPECT_EQ(app->FIGURE.mainfigurehandle->windowTitle(), "Zuv Poker Simulator");
}

// The room a line edit gives its text: its width less the frame and the
// edit's own two-pixel margin on each side.
int TextRoom(const QLineEdit* edit) {
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const QMargins margins = edit->textMargins();
  return edit->width() - 2 * frame - 2 * 2 - margins.left() - margins.right();
}

int TextWidth(const QWidget* w, const QString& text) { return w->fontMetrics().horizontalAdvance(text); }

TEST_F(AppTest, EveryPanelTextFitsItsControlAtItsLongestValue) {
  auto& h = app->UICONTROLS.handle;
  const QSize window = MainWindow::kSize;
  auto* hands = qobject_cast<QLineEdit*>(h[4]);
  auto* seed = qobject_cast<QLineEdit*>(h[10]);
  auto* counter = qobject_cast<QLabel*>(h[7]);
  auto* counterLabel = qobject_cast<QLabel*>(h[6]);
  // The longest values: the largest hand count, the longest seed.
  EXPECT_LE(TextWidth(hands, "1000000000"), TextRoom(hands));
  EXPECT_LE(TextWidth(seed, "-9007199254740991"), TextRoom(seed));
  // The counter's longest texts, the largest exact run's and a shown run of a
  // billion hands, fit under its label and above the seed box, every line whole.
  counterLabel->setText("Number of simulated hands:");
  for (const auto& [unit, done, total] : {std::tuple{"deals", 999'999'999'999LL, 1'000'000'000'000LL},
                                          std::tuple{"hands", 1LL, 1'000'000'000LL}}) {
    RunCounter(counter, unit).Show(done, total);
    const QStringList lines = counter->text().split('\n');
    EXPECT_LE(lines.size(), 2) << counter->text().toStdString();
    // Broken at a separator only.
    EXPECT_TRUE(QRegularExpression("^[\\d,]+ of [\\d,]+ (deals|hands) · \\d+ % · [\\d:]+ left$").match(lines.join(" · ")).hasMatch())
        << counter->text().toStdString();
    for (const QString& line : lines) EXPECT_LE(TextWidth(counter, line), counter->contentsRect().width()) << line.toStdString();
    EXPECT_LE(lines.size() * counter->fontMetrics().lineSpacing(), counter->contentsRect().height());
  }
  EXPECT_LE(counterLabel->geometry().bottom(), counter->geometry().top());
  for (int k : {9, 10}) EXPECT_LT(counter->geometry().bottom(), h[k]->geometry().top()) << k;
  for (int k : {5, 6}) {
    auto* label = qobject_cast<QLabel*>(h[k]);
    EXPECT_LE(TextWidth(label, label->text()), label->contentsRect().width()) << k;
  }
  for (int k : {3, 9}) EXPECT_LE(h[k]->sizeHint().width(), h[k]->width()) << k;
  auto* start = qobject_cast<QPushButton*>(h[2]);
  for (const QString& text : {QStringLiteral("Start simulation"), QStringLiteral("Stop simulation")}) {
    EXPECT_LE(TextWidth(start, text) + 8, start->width()) << text.toStdString();
  }
  // Everything inside the window, with the left edges where they always were.
  for (int k : {2, 3, 4, 5, 6, 7, 9, 10}) EXPECT_LE(h[k]->geometry().right(), window.width()) << k;
  EXPECT_EQ(hands->x(), NormalToPixels(0.85, 0.395, 0.09, 0.035, window).x());
  EXPECT_EQ(seed->x(), NormalToPixels(0.85, 0.245, 0.09, 0.035, window).x());
  EXPECT_EQ(counter->x(), counterLabel->x());
}

TEST_F(AppTest, MenusCarryTheirCommands) {
  ASSERT_NE(app->UIMENU[kFileMenu], nullptr);
  EXPECT_EQ(app->UIMENU[kFileMenu]->title(), "File");
  EXPECT_EQ(app->UIMENU[kHelpMenu]->title(), "Help");
  const char* labels[3][4] = {{}, {"", "Load setup", "Save setup", "Quit"},
                              {"", "Getting started", "Zuv Poker on the web", "About..."}};
  for (int m = 1; m <= 2; ++m)
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(app->UIMENULABELS[m][i]->text(), labels[m][i]);
  // "About..." has a separator line above it.
  const auto actions = app->UIMENU[kHelpMenu]->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_TRUE(actions[2]->isSeparator());
}

TEST_F(AppTest, HandsFieldTakesWholeNumbersAndRefusesTheRest) {
  auto* field = qobject_cast<QLineEdit*>(app->UICONTROLS.handle[kHandsField]);
  const auto enter = [&](const QString& text) {
    field->setText(text);
    run("CBValidateHandsToSimulate");
  };
  enter("5e4");
  EXPECT_EQ(app->SETUP.NrOfSims, 50000);
  enter(" 2000.0 ");
  EXPECT_EQ(app->SETUP.NrOfSims, 2000);
  EXPECT_EQ(field->text(), "2000");
  enter("1000000000");
  EXPECT_EQ(app->SETUP.NrOfSims, 1000000000);
  enter("1");
  EXPECT_TRUE(app->messages.open().empty());
  for (const char* bad : {"", "abc", "2.5", "0", "-5", "1000000001", "10 20", "1e10", "inf", "nan"}) {
    enter(bad);
    EXPECT_EQ(app->SETUP.NrOfSims, 1) << bad;
    EXPECT_EQ(field->text(), "1") << bad;
    const auto shown = app->messages.open();
    ASSERT_EQ(shown.size(), 1u) << bad;  // a new message replaces the open one
    EXPECT_EQ(shown[0].title, "Error");
    EXPECT_EQ(shown[0].text, "Number of hands must be a whole number from 1 to 1000000000");
  }
}

TEST_F(AppTest, TooManyArgumentsChangeNothingAndTheProgramGoesOn) {
  EXPECT_FALSE(app->run("CBCloseMainWindow(1)"));
  EXPECT_EQ(app->FIGURE.terminateprogram, 0);
  EXPECT_TRUE(app->FIGURE.mainfigurehandle->isVisible());
  EXPECT_EQ(app->commands.lastError(),
            "Run-time Error: File: CBCloseMainWindow Line: 1 Column: 1 The function \"CBCloseMainWindow\" was called "
            "with more than the declared number of inputs (0).");
}

TEST_F(AppTest, QuitClosesEveryWindowAndEndsWithTheMainWindow) {
  app->messages.helpdlg("still open", "Some message");
  run("CBCloseMainWindow");
  EXPECT_EQ(app->FIGURE.terminateprogram, 1);
  EXPECT_FALSE(app->FIGURE.mainfigurehandle->isVisible());
  EXPECT_TRUE(app->messages.open().empty());
}

}  // namespace
}  // namespace zuv
