// Zuv Poker Simulator: lay out a Texas Hold'em table, play the hand out many
// times at random and see every seat's chance to win.

#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "platform/termination_signal.h"
#include "program/startup.h"
#include "state/app.h"

int main(int argc, char* argv[]) {
  zuv::CatchTerminationSignal();
  QApplication application(argc, argv);
  QApplication::setApplicationName("Zuv Poker Simulator");
  // Settings (recent setup files, the last folder) go to ~/.config/zuvpoker.
  QApplication::setOrganizationName("zuvpoker");
  // The command line is not used.

  zuv::App app;
  // Asked to quit from outside, the program closes as if its close box was
  // clicked; before it has started (or when it cannot) it just ends, ending
  // the event loop of whatever window it shows.
  bool started = false;
  zuv::OnTerminationSignal([&app, &started] {
    if (started) {
      app.run("CBCloseMainWindow");
    } else {
      QApplication::exit(1);
    }
  });
  if (auto problem = zuv::zuvpoker(app)) {
    std::cerr << problem->toStdString() << std::endl;
    QMessageBox::critical(nullptr, "Zuv Poker Simulator cannot start", *problem);
    return 1;
  }
  started = true;
  return QApplication::exec();
}
