#pragma once
// Exact odds with per-hand results: one enumeration that also counts, per
// combination of each seat dealt from a range or at random, the deals in
// which the seat held it and the pots it won with it. The parts add up to the
// seat's figures for the whole table.

#include <array>

#include "sim/exact.h"
#include "sim/per_hand_stats.h"

namespace zuv::sim {

// Enumerate with ExactOptions::perHand set: RunStats::perHand filled for
// every seat dealt from a range or at random. Throws std::invalid_argument
// with ExactProblem's text. A stop or time limit ends it early with
// complete = false.
ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options = {});

// The enumeration visits one board of each class of suit-symmetric boards
// and counts its deals as often as the class has boards; per-hand figures so
// counted all fall on the representative's combinations. Averaging each
// combination's figures over the suit permutations within `suitBlocks`
// (ExactBoards::SuitBlocks) gives every image its own share, exactly: each
// board's images are a whole orbit, so the sums divide.
void SpreadOverSuitSymmetry(PerHandStats& perHand, const std::array<int, 4>& suitBlocks);

}  // namespace zuv::sim
