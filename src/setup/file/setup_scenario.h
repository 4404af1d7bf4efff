#pragma once
// A checked setup as the engine runs it (used by zuvsim --setup).

#include "setup/file/setup_content.h"
#include "sim/scenario.h"

namespace zuv::setupfile {

// The table of a setup: its active seats, the hole cards of seats that are
// not dealt at random, the ranges of seats that are, the fixed flop and turn
// and the dead cards. Cards a random seat kept
// from the last hand of a run are not fixed and are left out.
sim::Scenario ToScenario(const LoadedSetup& setup);

}  // namespace zuv::setupfile
