#pragma once
// A line on standard error that shows how far a long run is: hands done, the
// rate and the time left. It appears only after a quiet start, so short runs
// print nothing, and it is wiped when the run ends.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <thread>

namespace zuv::zuvsim {

// "12.3 M of 100 M hands (12 %), 21.5 M hands/s, 5 s left" for `unit` "hands";
// without the total, the percentage and the time left when `total` is 0 (not known).
std::string ProgressLine(std::int64_t done, std::int64_t total, const std::string& unit, double seconds);

class ProgressMeter {
 public:
  // Counts `unit` ("hands", "deals") of `total` (0: not known, or set later
  // through Total()) on `out` (a terminal); shows nothing when `out` is null.
  ProgressMeter(std::int64_t total, std::string unit, std::ostream* out,
                         std::chrono::milliseconds quietStart = std::chrono::seconds(1));
  // Stops watching and wipes the line.
  ~ProgressMeter();
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  // The count the run adds its finished hands to.
  std::atomic<std::int64_t>* Counter() { return &done_; }
  // The total, for a run that learns it only once it starts.
  std::atomic<std::int64_t>* Total() { return &total_; }

 private:
  void Watch(std::chrono::milliseconds quietStart);

  std::atomic<std::int64_t> total_;
  std::string unit_;
  std::ostream* out_;
  std::atomic<std::int64_t> done_{0};
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::mutex mutex_;
  std::condition_variable wake_;
  bool finished_ = false;
  bool shown_ = false;
  std::thread watcher_;
};

// Back to the start of the line and erase it.
inline constexpr const char* kWipeLine = "\r\x1b[K";

// Whether standard error is a terminal, where a progress line belongs.
bool ErrorIsTerminal();

// From now on Ctrl-C wipes the line on standard error before the program
// ends, so the shell prompt does not land behind a stale progress line.
void WipeLineOnInterrupt();

}  // namespace zuv::zuvsim
