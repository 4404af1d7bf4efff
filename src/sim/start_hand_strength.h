#pragma once
// How strong each starting hand is before the flop: its exact share of the
// pots all-in against one random hand, a pot shared by two counting one
// half. tools/strengthgen works the figures out with the exact enumeration;
// the range window's top-X % slider takes the strongest hands first.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/start_hands.h"

namespace zuv::sim {

struct StartHandStrength {
  // The grid cell (see RangeCellName).
  int row = 0;
  int column = 0;
  // The share of the pots, in lowest terms.
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
};

// The 169 grid cells, strongest first.
extern const std::array<StartHandStrength, kStartHandClasses> kStartHandStrengths;

// The strongest cells, strongest first, whose combinations together make at
// most `percent` (0..100) of all 1,326: the top `percent` of hands.
std::vector<std::array<int, 2>> StrongestCells(double percent);

}  // namespace zuv::sim
