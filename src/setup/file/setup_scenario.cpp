#include "setup/file/setup_scenario.h"

#include <cmath>

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
  return scenario;
}

std::uint64_t EngineSeed(double seed) {
  constexpr double kTwo64 = 18446744073709551616.0;
  if (!std::isfinite(seed)) return 0;
  // fmod is exact, and a whole double of magnitude below 2^64 converts exactly.
  double r = std::fmod(std::trunc(seed), kTwo64);
  if (r < 0) {
    // -r is a whole number below 2^64; 2^64 - (-r) done in integers is exact.
    const auto magnitude = static_cast<std::uint64_t>(-r);
    return magnitude == 0 ? 0 : ~magnitude + 1;
  }
  return static_cast<std::uint64_t>(r);
}

}  // namespace zuv::setupfile
