#pragma once
// Where zuvsim gets a table from a setup file (--setup FILE.zuv). Reading
// setup files belongs to the setup-file library; this is the one place that
// connects it to zuvsim.

#include <string>
#include <variant>

#include "options.h"

namespace zuv::zuvsim {

// Fills options.scenario and options.seatText from the file, or returns the
// problem as one line.
std::variant<Options, std::string> LoadSetup(Options options);

}  // namespace zuv::zuvsim
