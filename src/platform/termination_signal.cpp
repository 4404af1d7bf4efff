#include "platform/termination_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zuv {

namespace {

// The handler may only write a byte; the event loop reads it at the other end.
int signalPipe[2] = {-1, -1};

void WriteSignalByte(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

void CatchTerminationSignal() {
  if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  struct sigaction action {};
  action.sa_handler = WriteSignalByte;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
}

void OnTerminationSignal(std::function<void()> quit) {
  if (signalPipe[1] < 0) return;
  // The application owns the notifier, so it goes when the event loop's program does.
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, quit = std::move(quit)] {
    char byte;
    [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
    // Once is enough: a second signal while closing changes nothing.
    notifier->setEnabled(false);
    quit();
  });
}

}  // namespace zuv
