#pragma once
// Exact odds with per-hand results: the deals of a table split by the hole
// cards of one seat dealt from a range or at random, each part enumerated on
// its own with those cards fixed. The parts add up to the whole table, and
// each part's figures are that combination's. Every further such seat costs
// one more pass over the table.

#include "sim/exact.h"

namespace zuv::sim {

// Enumerate with RunStats::perHand filled for every seat dealt from a range
// or at random. Throws std::invalid_argument with ExactProblem's text. A stop
// or time limit ends it early with complete = false and the parts done.
ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options = {});

}  // namespace zuv::sim
