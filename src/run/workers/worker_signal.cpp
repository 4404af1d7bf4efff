#include "run/workers/worker_signal.h"

#include <atomic>
#include <thread>

namespace zuv {

namespace {
std::atomic<long long> delayMilliseconds{0};
}  // namespace

void DelayWorkerSignalForTests(std::chrono::milliseconds delay) { delayMilliseconds = delay.count(); }

void WorkerSignalDelay() {
  if (const long long ms = delayMilliseconds.load(); ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace zuv
