#include "program/shutdown.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "platform/event_loop.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

void CBCloseMainWindow(App& app) {
  MainWindow* main = app.FIGURE.mainfigurehandle;
  // A running simulation sees this flag and returns without drawing.
  app.FIGURE.terminateprogram = 1;
  if (main) main->hide();

  // Every other window closes through its own close request (a card-choosing
  // window cancels, message windows just go).
  std::vector<QPointer<QWidget>> others;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != main && w->isVisible() && w->isWindow()) others.emplace_back(w);
  }
  for (auto& w : others) {
    if (w) w->close();
  }
  app.messages.closeAll();

  pause(1.0);

  if (main) {
    main->allowClose();
    main->close();
  }
  // Closing a window that is already hidden does not end the event loop by
  // itself; with no window left, end it here (this does nothing outside it).
  QApplication::quit();
}

}  // namespace zuv
