// zuvscreenshot: starts Zuv Poker Simulator off screen and saves its main
// window as a picture, so the picture in the README can be remade.
//
//   zuvscreenshot [--showcase | --range | --statistics | --hands | --hands-ten | --hands-exact] [OUTPUT.png]
//
// Run it from the folder that holds cardimages/ (the repository root).
// OUTPUT defaults to docs/screenshot.png. With QT_SCALE_FACTOR=2 in the
// environment the window is drawn at twice the pixel density.
// --showcase lays out a shown hand first: four seats, seat 1 with fixed cards
// and the others dealt, a fixed flop, dealt turn and river, and the hand
// captions of a pot split between seats 1 and 7.
// --range saves the range window of seat 2 holding a typical opening range.
// --statistics runs AhKh against a random hand and saves the statistics window.
// --hands saves the statistics window's "Hands" view at its smallest size:
// AhKh against QQ+,AKs,JTs and a random hand on the flop Qh7c2h; --hands-ten
// the same flop at a ten-seat table, eight random seats and a wide range;
// --hands-exact the Hands view after the window's exact run of AhKh against
// a random hand preflop.

#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <string>

#include "platform/event_loop.h"
#include "program/startup.h"
#include "scenario/choose_range_window.h"
#include "state/app.h"
#include "state/main_window.h"
#include "stats/win_stat_window.h"
#include "table/card_display.h"

namespace {

int Card(const zuv::App& app, const char* symbol) {
  for (int n = 1; n <= zuv::kCards; ++n)
    if (app.DECK.symbol[n - 1] == symbol) return n;
  return 0;
}

bool LayOutShowcase(zuv::App& app) {
  for (const char* command : {"CBTogglePlayerActivate(5)", "CBTogglePlayerActivate(7)"})
    if (!app.run(command)) return false;
  app.player(1).Cards = {Card(app, "Ad"), Card(app, "Kd")};
  app.simulateplayers(1) = 0;
  app.player(2).Cards = {Card(app, "9c"), Card(app, "9d")};
  app.player(5).Cards = {Card(app, "7c"), Card(app, "8c")};
  app.player(7).Cards = {Card(app, "Ac"), Card(app, "Kc")};
  app.TABLE.boardcards = {Card(app, "Qh"), Card(app, "Jh"), Card(app, "Ts"), Card(app, "9s"), Card(app, "2h")};
  app.SETUP.SimulateFlop = 0;
  app.player(1).hand = 5;  // "Straight"
  app.player(2).hand = 4;  // "Trips"
  app.player(5).hand = 5;
  app.player(7).hand = 5;
  app.TABLE.winner = {1, 7};
  zuv::DisplayPlayerCards(app);
  zuv::DisplayBoardCards(app);
  zuv::DisplayHands(app);
  return true;
}

// Opens the range window of seat 2, fills it in and grabs it before cancelling:
// the top 15 %, KQo at one half, AKs without the spades and its suits shown,
// beside two saved ranges. The saved ranges live in settings of this run
// alone, never the user's.
QPixmap RangeWindowPicture(zuv::App& app) {
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName(QString("zuvscreenshot-%1").arg(QCoreApplication::applicationPid()));
  QPixmap picture;
  QTimer::singleShot(0, [&app, &picture] {
    if (!zuv::OpenChooseRangeWindow()) return;
    for (const char* command : {"CBRangeText('QQ+,AKs')", "CBSaveRange('Early position')",
                                "CBRangeText('22+,A2s+,KTs+,QTs+,JTs,T9s-54s,ATo+,KJo+')", "CBSaveRange('Button open')",
                                "CBRangeTop(150)", "CBRangeWeight(50)", "CBRangeCell(3, 2)", "CBRangeWeight(100)",
                                "CBRangeCombo('AsKs', 0)", "CBRangeSuits(1, 2)"}) {
      app.run(command);
    }
    zuv::ChooseRangeWindow* window = zuv::OpenChooseRangeWindow();
    zuv::drawnow();
    picture = window->grab();
    window->cancel();
  });
  app.run("CBSetPlayerRange(2)");
  QFile::remove(QSettings().fileName());
  QDir().rmdir(QFileInfo(QSettings().fileName()).path());
  return picture;
}

QPixmap StatisticsWindowPicture(zuv::App& app, bool exact = false, bool handsView = false) {
  if (exact && !app.run("CBExactOdds")) return {};
  app.player(1).Cards = {Card(app, "Ah"), Card(app, "Kh")};
  app.cardsindeck(Card(app, "Ah")) = app.cardsindeck(Card(app, "Kh")) = 0;
  app.simulateplayers(1) = 0;
  zuv::DisplayPlayerCards(app);
  if (!app.run("CBStartSimulation")) return {};
  // The run goes on in the event loop; its statistics window comes at the end.
  for (int i = 0; i < 600 && app.FIGURE.WinStatFigHandle.isNull(); ++i) zuv::pause(0.05);
  auto* window = qobject_cast<zuv::WinStatWindow*>(app.FIGURE.WinStatFigHandle.data());
  if (!window) return {};
  if (exact || handsView) {
    window->resize(zuv::WinStatWindow::kMinimumSize);
    window->viewTabs()->setCurrentIndex(1);
    window->handsView()->listCell(0, 1);  // AKs
  }
  zuv::drawnow();
  return window->grab();
}

QPixmap HandsViewPicture(zuv::App& app, bool tenSeats) {
  // The window's own run, so that the view's caption tells of it.
  for (int seat = 1; seat <= (tenSeats ? 10 : 3); ++seat) {
    const std::string toggle = "CBTogglePlayerActivate(" + std::to_string(seat) + ")";
    if (app.TABLE.activeplayers[seat - 1] != 1 && !app.run(toggle)) return {};
  }
  app.player(2).Range = tenSeats ? "22+,A2s+,K9s+,QTs+,JTs,ATo+,KJo+" : "QQ+,AKs,JTs";
  app.TABLE.boardcards = {Card(app, "Qh"), Card(app, "7c"), Card(app, "2h")};
  for (int card : app.TABLE.boardcards) app.cardsindeck(card) = 0;
  app.SETUP.SimulateFlop = 0;
  app.SETUP.NrOfSims = 200'000;
  zuv::DisplayBoardCards(app);
  return StatisticsWindowPicture(app, false, true);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  bool showcase = false;
  QString window;
  QString output = "docs/screenshot.png";
  for (const QString& argument : application.arguments().mid(1)) {
    if (argument == "--showcase") {
      showcase = true;
    } else if (argument == "--range" || argument == "--statistics" || argument == "--hands" || argument == "--hands-ten" ||
               argument == "--hands-exact") {
      window = argument;
    } else if (argument.startsWith("-")) {
      std::fprintf(stderr, "zuvscreenshot: unknown option %s\nusage: zuvscreenshot [--showcase | --range | --statistics | --hands | --hands-ten | --hands-exact] [OUTPUT.png]\n",
                   qPrintable(argument));
      return 2;
    } else {
      output = argument;
    }
  }

  zuv::App app;
  if (auto problem = zuv::zuvpoker(app)) {
    std::fprintf(stderr, "zuvscreenshot: the program cannot start: %s\n", qPrintable(*problem));
    return 1;
  }
  if (showcase && !LayOutShowcase(app)) {
    std::fprintf(stderr, "zuvscreenshot: %s\n", app.commands.lastError().c_str());
    return 1;
  }
  zuv::drawnow();

  const QFileInfo target(output);
  QDir().mkpath(target.absolutePath());
  const QPixmap picture = window == "--range"        ? RangeWindowPicture(app)
                          : window == "--statistics" ? StatisticsWindowPicture(app)
                          : window == "--hands-exact" ? StatisticsWindowPicture(app, true)
                          : window.startsWith("--hands") ? HandsViewPicture(app, window == "--hands-ten")
                                                     : app.FIGURE.mainfigurehandle->grab();
  if (picture.isNull()) {
    std::fprintf(stderr, "zuvscreenshot: the window %s did not open\n", qPrintable(window));
    return 1;
  }
  if (!picture.save(target.absoluteFilePath(), "PNG")) {
    std::fprintf(stderr, "zuvscreenshot: cannot write %s\n", qPrintable(target.absoluteFilePath()));
    return 1;
  }
  std::printf("%s (%d x %d pixels)\n", qPrintable(target.absoluteFilePath()), picture.width(), picture.height());
  return 0;
}
