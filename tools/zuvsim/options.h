#pragma once
// Command line of zuvsim:
//   zuvsim [--hands N] [--seed S] [--board CARDS] [--threads T] [--json]
//          [--setup FILE.zuv] SEAT SEAT [SEAT...]
// Every parse result is checked; the first problem becomes one line of text.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/scenario.h"

namespace zuv::zuvsim {

struct Options {
  std::int64_t hands = 50000;
  std::uint64_t seed = 0;
  // Whether --hands and --seed were given: they then win over a setup file's values.
  bool handsGiven = false;
  bool seedGiven = false;
  int threads = 0;  // 0: one per core
  bool json = false;
  bool help = false;
  // Set when the table comes from a setup file instead of SEAT arguments.
  std::optional<std::string> setupFile;
  // The table built from SEAT arguments and --board (seats 1, 2, ... in order).
  sim::Scenario scenario;
  // What each seat was given as: two-card text or "random".
  std::vector<std::string> seatText;
};

// Parses argv[1..]. Returns the options, or the first problem as one line.
std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args);

// Usage text for --help.
std::string UsageText();

}  // namespace zuv::zuvsim
