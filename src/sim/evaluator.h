#pragma once
// Hand evaluation for callers: seven cards in, one HandKey out.

#include <array>

#include "sim/fast_evaluator.h"
#include "sim/hand_key.h"

namespace zuv::sim {

// Best hand of seven card numbers (1..52, distinct). Fast path for the run.
inline HandKey EvaluateSeven(const std::array<int, 7>& cards) {
  return FastEvaluator::Get().Seven(cards);
}

}  // namespace zuv::sim
