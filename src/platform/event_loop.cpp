#include "platform/event_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zuv {

void drawnow() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void pause(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
  loop.exec();
}

void uiwait(QWidget* window) {
  if (!window) return;
  QPointer<QWidget> guard(window);
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  // Deferred deletes must run inside this loop, or the window would never go.
  if (guard) loop.exec(QEventLoop::AllEvents);
}

}  // namespace zuv
