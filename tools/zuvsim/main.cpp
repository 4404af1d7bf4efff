// zuvsim: the simulation engine without the window. Parse, check, one engine
// call, print. Bad input: one line on standard error and exit status 2.

#include <chrono>
#include <iostream>
#include <stdexcept>

#include "options.h"
#include "report.h"
#include "setup_source.h"
#include "sim/run_parallel.h"

namespace {

int Fail(const std::string& problem) {
  std::cerr << "zuvsim: " << problem << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zuv;
  auto parsed = zuvsim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (auto* problem = std::get_if<std::string>(&parsed)) return Fail(*problem);
  zuvsim::Options options = std::get<zuvsim::Options>(std::move(parsed));
  if (options.help) {
    std::cout << zuvsim::UsageText();
    return 0;
  }
  if (options.setupFile) {
    auto loaded = zuvsim::LoadSetup(options);
    if (auto* problem = std::get_if<std::string>(&loaded)) return Fail(*problem);
    options = std::get<zuvsim::Options>(std::move(loaded));
  }

  try {
    const auto start = std::chrono::steady_clock::now();
    const sim::RunStats stats = sim::RunParallel(options.scenario, options.seed, options.hands, options.threads);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (options.json) {
      zuvsim::PrintJson(std::cout, options, stats, seconds);
    } else {
      zuvsim::PrintText(std::cout, options, stats, seconds);
    }
  } catch (const std::invalid_argument& e) {
    return Fail(e.what());
  }
  return 0;
}
