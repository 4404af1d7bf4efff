#include "run/run_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "stats/win_stat_window.h"

namespace zuv::testing {

void ActivateSeat(App& app, int seat) {
  app.activeplayers(seat) = 1;
  app.simulateplayers(seat) = 1;
  app.player(seat).Cards.clear();
}

void FixSeatCards(App& app, int seat, std::vector<int> cards) {
  app.activeplayers(seat) = 1;
  app.simulateplayers(seat) = 0;
  for (int card : cards) app.cardsindeck(card) = 0;
  app.player(seat).Cards = std::move(cards);
}

void FixBoard(App& app, std::vector<int> cards) {
  app.SETUP.SimulateFlop = 0;
  app.SETUP.SimulateTurn = cards.size() >= 4 ? 0 : 1;
  for (int card : cards) app.cardsindeck(card) = 0;
  app.TABLE.boardcards = std::move(cards);
}

QString Counter(App& app) { return qobject_cast<QLabel*>(app.UICONTROLS.handle[kCounter])->text(); }

long long CounterDone(App& app) {
  const QString first = Counter(app).section(' ', 0, 0);
  // Groups of three after the first, as a count is printed.
  EXPECT_TRUE(QRegularExpression("^\\d{1,3}(,\\d{3})*$").match(first).hasMatch()) << first.toStdString();
  return QString(first).remove(',').toLongLong();
}

std::vector<WinStatWindow*> WinStatWindows() {
  std::vector<WinStatWindow*> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<WinStatWindow*>(w)) windows.push_back(window);
  }
  return windows;
}

void RunTest::SetUp() {
  AppTest::SetUp();
  poll = new QTimer;
  poll->setInterval(0);
}

void RunTest::TearDown() {
  delete poll;
  AppTest::TearDown();
}

void RunTest::duringRun(std::function<bool()> step) {
  // Stopped while the step runs: a step that serves events itself (a close
  // pauses) must not be entered again from inside.
  QObject::connect(poll, &QTimer::timeout, poll, [this, step] {
    poll->stop();
    if (!step()) poll->start();
  });
  poll->start();
}

}  // namespace zuv::testing
