// zuvsim: the simulation engine without the window. Parse, check, one engine
// call, print. Bad input: one line on standard error and exit status 2.

#include <chrono>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include "options.h"
#include "progress_meter.h"
#include "report.h"
#include "setup_source.h"
#include "target_reach.h"
#include "sim/exact.h"
#include "sim/per_hand_exact.h"
#include "sim/run_parallel.h"

namespace {

int Fail(const std::string& problem) {
  std::cerr << "zuvsim: " << problem << "\n";
  return 2;
}

// The one engine call: every deal enumerated (its outcome in `exactResult`), or a sample.
zuv::sim::RunStats Play(const zuv::zuvsim::Options& options, zuv::sim::ExactResult& exactResult) {
  using namespace zuv;
  // Progress is for a person watching the table output, never mixed into data.
  const bool progress = options.format == zuvsim::OutputFormat::kText && zuvsim::ErrorIsTerminal();
  if (progress) zuvsim::WipeLineOnInterrupt();
  std::ostream* terminal = progress ? &std::cerr : nullptr;
  if (options.exact) {
    // The engine counts the deals once and sets the meter's total before the first deal.
    zuvsim::ProgressMeter meter(0, "deals", terminal);
    sim::ExactOptions exact;
    exact.threads = options.threads;
    exact.seed = options.seed;
    if (options.timeLimit) exact.timeLimit = std::chrono::milliseconds(std::llround(*options.timeLimit * 1000));
    exact.dealsTotal = meter.Total();
    exact.dealsDone = meter.Counter();
    // A time limit bounds the run itself, so only a table over the hard limits is refused then.
    if (!options.timeLimit)
      if (auto problem = sim::ExactProblem(options.scenario, options.perHand)) throw std::invalid_argument(*problem);
    exactResult = options.perHand ? sim::EnumeratePerHand(options.scenario, exact) : sim::Enumerate(options.scenario, exact);
    return exactResult.stats;
  }
  // With a precision target the end is not known in advance: no total, no time left.
  zuvsim::ProgressMeter meter(options.targetSe ? 0 : options.hands, "hands", terminal);
  sim::RunOptions run;
  run.seed = options.seed;
  run.hands = options.hands;
  run.threads = options.threads;
  run.targetStandardError = options.targetSe.value_or(0.0);
  run.handsDone = meter.Counter();
  run.perHand = options.perHand;
  return sim::RunParallel(options.scenario, run);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zuv;
  auto parsed = zuvsim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (auto* problem = std::get_if<std::string>(&parsed)) return Fail(*problem);
  zuvsim::Options options = std::get<zuvsim::Options>(std::move(parsed));
  if (options.stop) {
    std::cout << options.message;
    return 0;
  }
  if (options.setupFile) {
    auto loaded = zuvsim::LoadSetup(options);
    if (auto* problem = std::get_if<std::string>(&loaded)) return Fail(*problem);
    options = std::get<zuvsim::Options>(std::move(loaded));
  }
  if (auto problem = zuvsim::UnreachableTarget(options)) return Fail(*problem);

  try {
    const auto start = std::chrono::steady_clock::now();
    sim::ExactResult exactResult;
    const sim::RunStats stats = Play(options, exactResult);
    const sim::ExactResult* exact = options.exact ? &exactResult : nullptr;
    // Rates over no deal at all would print as a table of zeros.
    if (exact && !exact->complete && exact->deals == 0)
      return Fail("the time limit ended the run before it had counted a single deal: give it more time");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    switch (options.format) {
      case zuvsim::OutputFormat::kText:
        zuvsim::PrintText(std::cout, options, stats, seconds, exact);
        break;
      case zuvsim::OutputFormat::kJson:
        zuvsim::PrintJson(std::cout, options, stats, seconds, exact);
        break;
      case zuvsim::OutputFormat::kCsv:
        zuvsim::PrintCsv(std::cout, options, stats, exact);
        break;
    }
  } catch (const std::invalid_argument& e) {
    return Fail(e.what());
  }
  return 0;
}
