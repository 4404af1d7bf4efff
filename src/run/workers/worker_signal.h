#pragma once

#include <chrono>

namespace zuv {

// A run's last worker signals the waiting side as its very last act: nothing
// of the worker runs after the signal, and the signal reaches only what the
// waiting side keeps alive for it. Tests widen the moment between a worker
// marking itself done and its signal, where a waiting side that left on
// "done" alone would be reached after it had gone.
void DelayWorkerSignalForTests(std::chrono::milliseconds delay);

// Waits the delay tests have set (none in the program).
void WorkerSignalDelay();

}  // namespace zuv
