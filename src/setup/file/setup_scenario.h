#pragma once
// A checked setup as the engine runs it (used by zuvsim --setup).

#include <cstdint>

#include "setup/file/setup_content.h"
#include "sim/scenario.h"

namespace zuv::setupfile {

// The table of a setup: its active seats, the hole cards of seats that are
// not dealt at random, and the fixed flop and turn. Cards a random seat kept
// from the last hand of a run are not fixed and are left out.
sim::Scenario ToScenario(const LoadedSetup& setup);

// The engine's seed for a whole-numbered SETUP.Seed: the number modulo 2^64,
// so 0, 1, 2, ... stay themselves and -1 becomes 2^64 - 1.
std::uint64_t EngineSeed(double seed);

}  // namespace zuv::setupfile
