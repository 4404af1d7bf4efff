#pragma once
// The hand of a multiset of values without a flush, and the hand of a set of
// suited values, written plainly from the ranking rules. Used to compute the
// fast evaluator's tables when the program is built, and where speed does not count.

#include <array>
#include <cstdint>

#include "sim/hand_key.h"

namespace zuv::sim {

// counts[v - 2] = how many cards of value v (2..14); total 5..7 cards.
HandKey BestHandOfCounts(const std::array<int, 13>& counts);

// Bit v - 2 set for each value v of one suit; at least five bits set.
HandKey BestHandOfSuit(std::uint32_t valueMask);

// Top value of the highest five-value run in the mask (wheel = 5), or 0.
int StraightTop(std::uint32_t valueMask);

}  // namespace zuv::sim
