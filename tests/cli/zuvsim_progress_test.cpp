// The progress line of long runs on a terminal.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <thread>

#include "progress_meter.h"
#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

TEST(ZuvsimProgress, LineSaysHandsRateAndTimeLeft) {
  EXPECT_EQ(ProgressLine(12'345'678, 100'000'000, "hands", 0.5), "12.3 M of 100 M hands (12 %), 24.7 M hands/s, 4 s left");
  // 998e9 hands at 20 M/s: 49,900 s.
  EXPECT_EQ(ProgressLine(2'000'000'000, 1'000'000'000'000, "hands", 100),
            "2.00 G of 1.00 T hands (0 %), 20.0 M hands/s, 13 h 51 min left");
  // 850,000 hands at 150,000/s: 5.7 s, shown whole seconds up.
  EXPECT_EQ(ProgressLine(150'000, 1'000'000, "hands", 1), "150 k of 1.00 M hands (15 %), 150 k hands/s, 6 s left");
  EXPECT_EQ(ProgressLine(90'000, 1'000'000, "hands", 1), "90.0 k of 1.00 M hands (9 %), 90.0 k hands/s, 11 s left");
  EXPECT_EQ(ProgressLine(0, 1000, "deals", 1), "0 of 1.00 k deals (0 %)");
  // A run towards a precision target does not know its end.
  EXPECT_EQ(ProgressLine(3'000'000, 0, "hands", 2), "3.00 M hands, 1.50 M hands/s");
}

TEST(ZuvsimProgress, MeterShowsTheCountAfterItsQuietStartAndWipesAtTheEnd) {
  std::ostringstream terminal;
  {
    ProgressMeter meter(1000, "hands", &terminal, std::chrono::milliseconds(0));
    meter.Counter()->fetch_add(250);
    // Past one refresh, so a line after the count was added is shown.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  const std::string shown = terminal.str();
  EXPECT_EQ(shown.rfind(kWipeLine, 0), 0u) << shown;
  EXPECT_NE(shown.find(std::string(kWipeLine) + "250 of 1.00 k hands (25 %), "), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 4), kWipeLine);

  std::ostringstream quiet;
  { ProgressMeter meter(1000, "deals", &quiet, std::chrono::seconds(10)); }
  EXPECT_EQ(quiet.str(), "");  // ended within the quiet start: nothing at all
}

// zuvsim with standard error on a pseudo-terminal and standard output in a file.
class TerminalRun {
 public:
  explicit TerminalRun(const std::vector<std::string>& args)
      : outPath_(::testing::TempDir() + "zuvsim_tty_" + std::to_string(getpid()) + ".out") {
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      if (!freopen(outPath_.c_str(), "w", stdout)) _exit(127);
      std::vector<char*> argv{const_cast<char*>(ZUVSIM_PATH)};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(ZUVSIM_PATH, argv.data());
      _exit(127);
    }
  }
  ~TerminalRun() {
    if (child_ > 0) Finish(SIGKILL);
    std::remove(outPath_.c_str());
  }

  // Reads the terminal until `text` shows up or `seconds` pass.
  bool WaitFor(const std::string& text, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (terminal.find(text) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) return false;
    }
    return true;
  }

  // Sends `signal` (0: none), reads to the end and returns the wait status.
  int Finish(int signal) {
    if (signal) kill(child_, signal);
    while (ReadSome(-1)) {
    }
    int raw = 0;
    waitpid(child_, &raw, 0);
    close(master_);
    child_ = -1;
    out = testing::Slurp(outPath_);
    return raw;
  }

  std::string terminal;  // what zuvsim wrote to its standard error
  std::string out;       // its standard output, after Finish

 private:
  bool ReadSome(int timeoutMs) {
    pollfd ready{master_, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;
    terminal.append(buffer, n);
    return true;
  }

  std::string outPath_;
  int master_ = -1;
  pid_t child_ = -1;
};

// Far longer than any test waits, whatever the machine's speed.
const std::vector<std::string> kEndlessRun{"--hands", "1000000000000", "AsKs", "random"};

TEST(ZuvsimProgress, TerminalShowsProgressAndCtrlCWipesIt) {
  TerminalRun run(kEndlessRun);
  ASSERT_TRUE(run.WaitFor(" hands/s, ", 10)) << run.terminal;
  EXPECT_NE(run.terminal.find(" of 1.00 T hands (0 %), "), std::string::npos) << run.terminal;
  const int status = run.Finish(SIGINT);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_EQ(run.terminal.substr(run.terminal.size() - 4), kWipeLine);
}

TEST(ZuvsimProgress, DataOutputKeepsTheTerminalQuiet) {
  for (const char* format : {"--csv", "--json"}) {
    auto args = kEndlessRun;
    args.insert(args.begin(), format);
    TerminalRun run(args);
    EXPECT_FALSE(run.WaitFor("hands", 1.3)) << run.terminal;
    EXPECT_EQ(run.terminal, "");
  }
}

}  // namespace
}  // namespace zuv::zuvsim
