#include "progress_meter.h"

#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <ostream>

namespace zuv::zuvsim {

namespace {

constexpr auto kRefresh = std::chrono::milliseconds(250);

// 12345678 -> "12.3 M": three significant digits are plenty on a moving line.
std::string Short(double x) {
  static const char* kPrefixes[] = {"", " k", " M", " G", " T"};
  int prefix = 0;
  while (std::abs(x) >= 1000 && prefix < 4) {
    x /= 1000;
    ++prefix;
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, x < 10 && prefix > 0 ? "%.2f%s" : x < 100 && prefix > 0 ? "%.1f%s" : "%.0f%s", x,
                kPrefixes[prefix]);
  return buffer;
}

std::string Duration(double seconds) {
  const auto s = static_cast<long long>(std::ceil(seconds));
  char buffer[48];
  if (s < 60) {
    std::snprintf(buffer, sizeof buffer, "%lld s", s);
  } else if (s < 3600) {
    std::snprintf(buffer, sizeof buffer, "%lld min %02lld s", s / 60, s % 60);
  } else {
    std::snprintf(buffer, sizeof buffer, "%lld h %02lld min", s / 3600, s / 60 % 60);
  }
  return buffer;
}

extern "C" void WipeAndStop(int signal) {
  // Only async-signal-safe calls here.
  const ssize_t written = write(STDERR_FILENO, kWipeLine, std::char_traits<char>::length(kWipeLine));
  (void)written;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

std::string ProgressLine(std::int64_t done, std::int64_t total, const std::string& unit, double seconds) {
  std::string line = Short(static_cast<double>(done));
  if (total > 0) line += " of " + Short(static_cast<double>(total));
  line += " " + unit;
  if (total > 0) line += " (" + std::to_string(done * 100 / total) + " %)";
  if (seconds <= 0 || done <= 0) return line;
  const double rate = static_cast<double>(done) / seconds;
  line += ", " + Short(rate) + " " + unit + "/s";
  if (total > 0) line += ", " + Duration(static_cast<double>(total - done) / rate) + " left";
  return line;
}

bool ErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void WipeLineOnInterrupt() { std::signal(SIGINT, WipeAndStop); }

ProgressMeter::ProgressMeter(std::int64_t total, std::string unit, std::ostream* out,
                             std::chrono::milliseconds quietStart)
    : total_(total), unit_(std::move(unit)), out_(out) {
  if (out_) watcher_ = std::thread([this, quietStart] { Watch(quietStart); });
}

ProgressMeter::~ProgressMeter() {
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  wake_.notify_all();
  if (watcher_.joinable()) watcher_.join();
  if (shown_) *out_ << kWipeLine << std::flush;
}

void ProgressMeter::Watch(std::chrono::milliseconds quietStart) {
  std::unique_lock lock(mutex_);
  if (wake_.wait_for(lock, quietStart, [this] { return finished_; })) return;
  do {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    *out_ << kWipeLine << ProgressLine(done_.load(std::memory_order_relaxed), total_.load(std::memory_order_relaxed), unit_, seconds) << std::flush;
    shown_ = true;
  } while (!wake_.wait_for(lock, kRefresh, [this] { return finished_; }));
}

}  // namespace zuv::zuvsim
