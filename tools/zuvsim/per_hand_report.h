#pragma once
// zuvsim --per-hand: for each seat dealt from a range or at random, its
// combinations and starting-hand classes with their win rates, and on a fixed
// flop what each seat's hands make there.

#include <nlohmann/json.hpp>

#include <iosfwd>

#include "options.h"
#include "sim/exact.h"
#include "sim/run_stats.h"

namespace zuv::zuvsim {

// Adds "hands" and "classes" (for a seat with per-hand figures) and "made"
// and "draws" (on a fixed flop) to the JSON object of seat index 0..9.
// `exact`: the outcome of an exact run, null for a sample.
void AddPerHandJson(nlohmann::ordered_json& seatObject, const Options& options, const sim::RunStats& stats, int seat,
                    const sim::ExactResult* exact);

// The classes of each such seat as a table, strongest first, and on a fixed
// flop what every seat makes. `exact` as for AddPerHandJson.
void PrintPerHandText(std::ostream& out, const Options& options, const sim::RunStats& stats,
                      const sim::ExactResult* exact);

// After a blank line: a header and one line per seat and class, strongest first.
void PrintPerHandCsv(std::ostream& out, const sim::RunStats& stats, const sim::ExactResult* exact);

}  // namespace zuv::zuvsim
