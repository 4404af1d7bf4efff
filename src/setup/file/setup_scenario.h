#pragma once
// A checked setup as the engine runs it (used by zuvsim --setup).

#include <cstdint>

#include "setup/file/setup_content.h"
#include "sim/scenario.h"

namespace zuv::setupfile {

// The table of a setup: its active seats, the hole cards of seats that are
// not dealt at random, the ranges of seats that are, the fixed flop and turn
// and the dead cards. Cards a random seat kept
// from the last hand of a run are not fixed and are left out.
sim::Scenario ToScenario(const LoadedSetup& setup);

// The engine seed of the first run the window starts with SETUP.Seed = `seed`
// and a fixed seed set, so that a setup file runs the same hands headless as
// in the window. The seed becomes generator state as the window's seed does
// (whole numbers by their 64-bit two's complement), and the first run seed is
// drawn from that state.
std::uint64_t EngineSeed(double seed);

}  // namespace zuv::setupfile
