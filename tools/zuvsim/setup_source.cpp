#include "setup_source.h"

#include "setup/file/setup_reader.h"
#include "setup/file/setup_scenario.h"
#include "sim/card.h"
#include "sim/hand_range.h"
#include "sim/quoted_text.h"
#include "sim/seed_number.h"

namespace zuv::zuvsim {

namespace {
std::string Quoted(const std::string& fileName) { return sim::QuotedText(fileName, sim::kQuotedNameLength); }
}  // namespace

std::variant<Options, std::string> LoadSetup(Options options) {
  // The same whole-file check as the window's "Load setup", with the same words.
  auto loaded = setupfile::ReadSetupFile(*options.setupFile);
  if (const auto* problem = std::get_if<std::string>(&loaded)) {
    return "the setup file " + Quoted(*options.setupFile) + " was not loaded: " + *problem;
  }
  const auto& setup = std::get<setupfile::LoadedSetup>(loaded);
  options.scenario = setupfile::ToScenario(setup);
  // With a precision target the hand count is only a bound: the file's count is not meant as one.
  if (!options.handsGiven && !options.targetSe) options.hands = setup.NrOfSims;
  if (!options.seedGiven) options.seed = sim::SeedOfNumber(setup.Seed);
  if (setup.exact) {
    // Saved with "Exact odds" ticked: every deal, refused as the window refuses it.
    if (options.handsGiven || options.seedGiven || options.targetSe) {
      return "the setup file " + Quoted(*options.setupFile) +
             " plays every deal once (exact odds): it takes no --hands, --seed or --target-se";
    }
    options.exact = true;
  }

  // Seats keep their numbers from the window, so rows run up to the last
  // active seat and seats that are switched off read "off".
  int last = 0;
  for (int p = 1; p <= setupfile::kSeats; ++p) {
    if (options.scenario.active[p - 1]) last = p;
  }
  options.seatText.clear();
  for (int p = 1; p <= last; ++p) {
    const auto& fixed = options.scenario.fixed[p - 1];
    if (!options.scenario.active[p - 1]) {
      options.seatText.push_back("off");
    } else if (!options.scenario.range[p - 1].empty()) {
      options.seatText.push_back(sim::FormatRange(options.scenario.range[p - 1], options.scenario.weight[p - 1]));
    } else if (fixed[0] == 0) {
      options.seatText.push_back("random");
    } else {
      options.seatText.push_back(sim::CardSymbol(fixed[0]) + sim::CardSymbol(fixed[1]));
    }
  }
  if (auto problem = sim::CheckScenario(options.scenario)) {
    return "the setup file " + Quoted(*options.setupFile) + " cannot be run: " + *problem;
  }
  return options;
}

}  // namespace zuv::zuvsim
