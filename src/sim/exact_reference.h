#pragma once
// The plain exact enumeration: every deal dealt and evaluated on its own, one
// after the other. Slow; the yardstick that the fast enumeration must match
// to the last unit.

#include "sim/exact_deals.h"
#include "sim/run_stats.h"

namespace zuv::sim {

// Statistics of every deal, each counted by its weight (the product of its
// combinations' HoleCombo::weight); hands = the deals' weights summed.
RunStats EnumerateDealByDeal(const ExactDeals& deals);

}  // namespace zuv::sim
