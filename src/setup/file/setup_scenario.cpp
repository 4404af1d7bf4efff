#include "setup/file/setup_scenario.h"

#include <bit>
#include <cmath>

#include "sim/hand_range.h"
#include "sim/split_mix64.h"

namespace zuv::setupfile {

sim::Scenario ToScenario(const LoadedSetup& setup) {
  sim::Scenario scenario;
  for (int p = 0; p < kSeats; ++p) {
    scenario.active[p] = setup.activeplayers[p] == 1;
    const auto& cards = setup.playerCards[p];
    if (scenario.active[p] && setup.simulateplayers[p] == 0 && cards.size() == 2) {
      scenario.fixed[p] = {cards[0], cards[1]};
    }
  }
  scenario.board = setup.boardcards;
  for (int p = 0; p < kSeats; ++p) {
    if (scenario.active[p] && setup.simulateplayers[p] == 1 && !setup.ranges[p].empty()) {
      scenario.range[p] = sim::ParseRange(setup.ranges[p]).combos;
    }
  }
  scenario.dead = setup.deadcards;
  return scenario;
}

std::uint64_t EngineSeed(double seed) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  std::uint64_t state = 0;
  if (std::isfinite(seed) && seed == std::trunc(seed) && seed >= -kLimit && seed < kLimit) {
    state = static_cast<std::uint64_t>(static_cast<std::int64_t>(seed));
  } else {
    state = std::bit_cast<std::uint64_t>(seed);
  }
  return sim::SplitMix64(state).Next();
}

}  // namespace zuv::setupfile
