#pragma once
// zuvsim's output: a small table per seat, one JSON object, or CSV lines.

#include <iosfwd>
#include <string>

#include "options.h"
#include "sim/exact.h"
#include "sim/run_stats.h"

namespace zuv::zuvsim {

// `exact`: the outcome of an exact run (complete or stopped), null for a sample.
void PrintText(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds,
               const sim::ExactResult* exact = nullptr);
void PrintJson(std::ostream& out, const Options& options, const sim::RunStats& stats, double seconds,
               const sim::ExactResult* exact = nullptr);
void PrintCsv(std::ostream& out, const Options& options, const sim::RunStats& stats,
              const sim::ExactResult* exact = nullptr);

// The fixed board as card symbols ("2c4c5h"), empty when it is dealt.
std::string BoardText(const sim::Scenario& scenario);
// Shortest text that reads back as the same double, for CSV fields.
std::string Number(double x);
// The dead cards as card symbols, empty when there are none.
std::string DeadText(const sim::Scenario& scenario);

}  // namespace zuv::zuvsim
