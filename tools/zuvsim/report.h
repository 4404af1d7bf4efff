#pragma once
// zuvsim's output: a small table per seat, or one JSON object.

#include <iosfwd>
#include <string>

#include "options.h"
#include "sim/run_stats.h"

namespace zuv::zuvsim {

void PrintText(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds);
void PrintJson(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds);

}  // namespace zuv::zuvsim
