#include "seat_input.h"

#include "sim/card.h"

namespace zuv::zuvsim {

std::variant<SeatInput, std::string> ParseSeat(const std::string& text, int seat) {
  SeatInput input;
  if (text == "random") return input;
  // Two cards as written keep their order, as they always have.
  if (const auto cards = sim::ParseCards(text); cards && cards->size() == 2 && (*cards)[0] != (*cards)[1]) {
    input.fixed = {(*cards)[0], (*cards)[1]};
    return input;
  }
  sim::ParsedRange parsed = sim::ParseRange(text);
  if (!parsed.problem.empty()) return "seat " + std::to_string(seat) + ": " + parsed.problem;
  if (parsed.combos.size() == 1) {
    input.fixed = parsed.combos.front();
  } else if (parsed.combos.size() < static_cast<std::size_t>(sim::kAllCombos) || !parsed.weights.empty()) {
    input.range = std::move(parsed.combos);
    input.weights = std::move(parsed.weights);
  }
  return input;
}

namespace {

// The weights of the combinations seat `seat` may hold, summed in billionths
// (kFullWeight each without weights), and how many there are.
std::pair<std::int64_t, std::int64_t> Possible(const sim::Scenario& scenario, int seat) {
  const auto& fixed = scenario.fixed[seat - 1];
  if (fixed[0] != 0) return {1, sim::kFullWeight};
  std::array<bool, sim::kDeckSize + 1> known{};
  for (int s = 0; s < 10; ++s) {
    if (s != seat - 1) {
      for (int c : scenario.fixed[s]) known[c] = true;
    }
  }
  for (int c : scenario.board) known[c] = true;
  for (int c : scenario.dead) known[c] = true;
  known[0] = false;

  const auto& range = scenario.range[seat - 1];
  if (!range.empty()) {
    std::int64_t count = 0, weight = 0;
    for (std::size_t k = 0; k < range.size(); ++k) {
      if (known[range[k][0]] || known[range[k][1]]) continue;
      ++count;
      weight += scenario.WeightOf(seat - 1, k);
    }
    return {count, weight};
  }
  std::int64_t free = 0;
  for (int c = 1; c <= sim::kDeckSize; ++c) free += known[c] ? 0 : 1;
  return {free * (free - 1) / 2, free * (free - 1) / 2 * sim::kFullWeight};
}

}  // namespace

std::int64_t PossibleCombos(const sim::Scenario& scenario, int seat) { return Possible(scenario, seat).first; }

double PossibleWeight(const sim::Scenario& scenario, int seat) {
  return static_cast<double>(Possible(scenario, seat).second) / sim::kFullWeight;
}

}  // namespace zuv::zuvsim
