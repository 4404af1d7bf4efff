// Feeds arbitrary bytes to the setup-file reader. Whatever it accepts must be
// a setup the table can take: restoring it in the program's order gives a
// consistent table, the engine can run it, and it survives a save and load.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "setup/file/setup_reader.h"
#include "setup/file/setup_scenario.h"
#include "setup/file/setup_writer.h"

namespace {

using namespace zuv::setupfile;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

// The table as the restore leaves it, starting from the program's start-up
// state with seats 1 to 4 active (any start works; this one switches seats
// both ways).
struct Table {
  std::array<int, kCards> cardsindeck{};
  std::array<std::vector<int>, kSeats> cards;
  std::array<int, kSeats> active{1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
  std::array<int, kSeats> random{1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
  std::vector<int> board;

  // Switching a seat as the seat menu does.
  void toggle(int i) {
    if (active[i] == 1) {
      active[i] = random[i] = 0;
      for (int c : cards[i]) cardsindeck[c - 1] = 1;
      cards[i].clear();
    } else {
      active[i] = random[i] = 1;
    }
  }
};

void CheckRestore(const LoadedSetup& s) {
  Table t;
  t.cardsindeck = s.cardsindeck;
  t.cards = s.playerCards;
  t.board = s.boardcards;
  for (int i = 0; i < kSeats; ++i) {
    if (s.activeplayers[i] != t.active[i]) t.toggle(i);
  }
  t.random = s.simulateplayers;

  std::array<int, kCards> uses{};
  for (int c : t.board) ++uses[c - 1];
  for (int i = 0; i < kSeats; ++i) {
    Require(t.active[i] == s.activeplayers[i], "seat switched wrongly");
    if (t.active[i] == 0) Require(t.cards[i].empty() && t.random[i] == 0, "inactive seat with cards");
    if (t.active[i] == 1 && t.random[i] == 0) {
      Require(t.cards[i].size() == 2, "fixed seat without two cards");
      for (int c : t.cards[i]) ++uses[c - 1];
    }
  }
  for (int n = 1; n <= kCards; ++n) {
    Require(uses[n - 1] <= 1, "card fixed twice");
    Require(t.cardsindeck[n - 1] == (uses[n - 1] == 0 ? 1 : 0), "deck out of line");
  }
  Require(s.NrOfSims >= 1 && s.NrOfSims <= 1000000000, "hands out of range");
  Require(s.Dealer >= 1 && s.Dealer <= kSeats, "dealer out of range");
  Require(t.board.size() == (s.SimulateFlop ? 0u : s.SimulateTurn ? 3u : 4u), "board and flags disagree");

  const auto scenario = ToScenario(s);
  const auto problem = zuv::sim::CheckScenario(scenario);
  Require(!problem || scenario.ActiveCount() < 2, "the engine refuses a checked setup");
}

// A checked setup saved and loaded again comes back the same.
void CheckRoundTrip(const LoadedSetup& s, const std::string& path) {
  SetupContent c;
  for (int i = 0; i < kSeats; ++i) {
    c.table.activeplayers[i] = s.activeplayers[i];
    c.table.simulateplayers[i] = s.simulateplayers[i];
    c.players[i].Cards.assign(s.playerCards[i].begin(), s.playerCards[i].end());
  }
  c.table.boardcards.assign(s.boardcards.begin(), s.boardcards.end());
  for (int n = 0; n < kCards; ++n) c.cardsindeck[n] = s.cardsindeck[n];
  c.setup.NrOfSims = s.NrOfSims;
  c.setup.Dealer = s.Dealer;
  c.setup.SimulateFlop = s.SimulateFlop;
  c.setup.SimulateTurn = s.SimulateTurn;
  c.setup.SetSeed = s.SetSeed;
  c.setup.Seed = s.Seed;
  c.sim.showhands = s.showhands;
  c.sim.WinStat = {{10, 9}, std::vector<double>(90, 0.0)};
  Require(!WriteSetupFile(path, c), "a checked setup cannot be saved");
  auto again = ReadSetupFile(path);
  Require(std::holds_alternative<LoadedSetup>(again), "a saved setup is refused");
  const LoadedSetup& b = std::get<LoadedSetup>(again);
  Require(b.cardsindeck == s.cardsindeck && b.playerCards == s.playerCards && b.boardcards == s.boardcards &&
              b.activeplayers == s.activeplayers && b.simulateplayers == s.simulateplayers &&
              b.NrOfSims == s.NrOfSims && b.Dealer == s.Dealer && b.SimulateFlop == s.SimulateFlop &&
              b.SimulateTurn == s.SimulateTurn && b.SetSeed == s.SetSeed && b.Seed == s.Seed &&
              b.showhands == s.showhands,
          "a setup changes on its way through a file");
}

std::string Folder() {
  const char* shm = "/dev/shm";
  return access(shm, W_OK) == 0 ? shm : "/tmp";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string base = Folder() + "/zuv_fuzz_" + std::to_string(getpid());
  static const std::string input = base + ".zuv";
  static const std::string output = base + "_out.zuv";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  auto result = ReadSetupFile(input);
  if (const auto* setup = std::get_if<LoadedSetup>(&result)) {
    CheckRestore(*setup);
    CheckRoundTrip(*setup, output);
  } else {
    Require(!std::get<std::string>(result).empty(), "a refusal without a reason");
  }
  // Nothing stays behind in the shared folder, whether the fuzzer goes on or stops here.
  std::remove(input.c_str());
  std::remove(output.c_str());
  return 0;
}
