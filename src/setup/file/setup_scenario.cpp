#include "setup/file/setup_scenario.h"

#include "sim/hand_range.h"

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
      scenario.SetRange(p, sim::ParseRange(setup.ranges[p]));
    }
  }
  scenario.dead = setup.deadcards;
  return scenario;
}

}  // namespace zuv::setupfile
