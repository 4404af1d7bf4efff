#pragma once
// Command line of zuvsim:
//   zuvsim [--hands N] [--seed S] [--board CARDS] [--dead CARDS] [--exact]
//          [--time-limit SECONDS] [--target-se X] [--threads T] [--json | --csv]
//          [--per-hand] [--setup FILE.zuv]
//          SEAT SEAT [SEAT...]
// Every parse result is checked; the first problem becomes one line of text.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/scenario.h"

namespace zuv::zuvsim {

// The most hands one run may play: 10^12, at most a day on two cores (about
// 6 hours with two random seats, 19 with ten). Every count derived from it
// (blocks, 1/2520 pot units) stays far inside 64 bits.
inline constexpr std::int64_t kMaxHands = 1'000'000'000'000;

enum class OutputFormat { kText, kJson, kCsv };

struct Options {
  std::int64_t hands = 50000;
  std::uint64_t seed = 0;
  // Whether --hands and --seed were given: they then win over a setup file's values.
  bool handsGiven = false;
  bool seedGiven = false;
  int threads = 0;  // 0: one per core
  // Enumerate every deal instead of sampling.
  bool exact = false;
  // An exact run stops after this many seconds with an estimate.
  std::optional<double> timeLimit;
  // Sample until every seat's standard error is at most this; `hands` is then the upper bound.
  std::optional<double> targetSe;
  OutputFormat format = OutputFormat::kText;
  // Also report each ranged seat's hands and classes, and on a fixed flop what every seat makes.
  bool perHand = false;
  // --help or --version: print `message` on standard output and stop.
  bool stop = false;
  std::string message;
  // Set when the table comes from a setup file instead of SEAT arguments.
  std::optional<std::string> setupFile;
  // The table built from SEAT arguments, --board and --dead (seats 1, 2, ... in order).
  sim::Scenario scenario;
  // What each seat was given as: two cards, "random" or a range, as typed.
  std::vector<std::string> seatText;
};

// Parses argv[1..]. Returns the options, or the first problem as one line.
std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args);

}  // namespace zuv::zuvsim
