#pragma once

#include <functional>

namespace zuv {

// A desktop program is asked to quit with SIGTERM (at logout, by a service
// manager, by `kill`). Catching it lets the program close its windows the
// usual way instead of vanishing.
//
// CatchTerminationSignal() takes SIGTERM from the start; the signal is held
// until OnTerminationSignal() names what to do, which then runs in the event
// loop (never inside the signal handler).
void CatchTerminationSignal();
void OnTerminationSignal(std::function<void()> quit);

}  // namespace zuv
