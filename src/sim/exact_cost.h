#pragma once
// How long an exact enumeration will take, measured on the table itself: the
// cost per deal differs a hundredfold between tables (seats with ranges,
// cards known), so a deal count alone says little.

#include <chrono>

#include "sim/exact_boards.h"
#include "sim/exact_deals.h"

namespace zuv::sim {

// Processor seconds per deal, from scoring work items chosen at random for
// about `budget` of this thread's processor time; `perHand`: keeping per-hand figures.
double MeasureSecondsPerDeal(const ExactDeals& deals, const ExactBoards& boards,
                             std::chrono::milliseconds budget, bool perHand = false);

}  // namespace zuv::sim
