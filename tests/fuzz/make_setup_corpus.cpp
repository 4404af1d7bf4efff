// Writes valid setup files of several shapes into a folder: the fuzzer's seed corpus.
#include <matio.h>

#include <cstdio>
#include <string>

#include "setup/file/setup_writer.h"

using namespace zuv::setupfile;

namespace {

SetupContent Startup() {
  SetupContent c;
  c.table.activeplayers = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  c.table.simulateplayers = c.table.activeplayers;
  c.table.tablecolor = c.table.activeplayercolor = c.table.backgroundcolor = {14 / 255.0, 70 / 255.0, 0};
  c.table.lightyellow = {1, 1, 0.8};
  c.table.deactiveplayercolor = {0.6, 0.6, 0.6};
  c.table.skew = 0.8;
  c.setup = {50000, 10, 1, 1, 1, 0, {0.21666666666666667, 0.30333333333333334}, 10,
             {"High card", "Pair", "Two pairs", "Trips", "Straight", "Flush", "Full house", "Four of a kind",
              "Straight flush"}};
  c.cardsindeck.fill(1);
  c.sim.WinStat = {{10, 9}, std::vector<double>(90, 0.0)};
  return c;
}

void Fix(SetupContent& c, int seat, int a, int b) {
  c.table.activeplayers[seat - 1] = 1;
  c.table.simulateplayers[seat - 1] = 0;
  c.players[seat - 1].Cards = {double(a), double(b)};
  c.cardsindeck[a - 1] = c.cardsindeck[b - 1] = 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_setup_corpus FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  int failures = 0;
  // Each setup compressed, as the program writes it, and uncompressed, so
  // that mutations reach the array parsing and not only the inflating.
  auto save = [&](const std::string& name, const SetupContent& c) {
    if (auto problem = WriteSetupFile(folder + name, c)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), problem->c_str());
      ++failures;
      return;
    }
    mat_t* in = Mat_Open((folder + name).c_str(), MAT_ACC_RDONLY);
    mat_t* out = Mat_CreateVer((folder + "plain_" + name).c_str(), nullptr, MAT_FT_MAT5);
    if (!in || !out) {
      ++failures;
    } else {
      while (matvar_t* v = Mat_VarReadNext(in)) {
        if (Mat_VarWrite(out, v, MAT_COMPRESSION_NONE) != 0) ++failures;
        Mat_VarFree(v);
      }
    }
    if (out) Mat_Close(out);
    if (in) Mat_Close(in);
  };

  save("startup.zuv", Startup());

  SetupContent flop = Startup();
  flop.table.activeplayers[4] = 1;
  Fix(flop, 2, 13, 26);
  Fix(flop, 5, 40, 27);
  flop.table.boardcards = {6, 7, 8};
  for (int n : {6, 7, 8}) flop.cardsindeck[n - 1] = 0;
  flop.setup.SimulateFlop = 0;
  flop.setup.NrOfSims = 777;
  flop.setup.Seed = -3;
  flop.sim.showhands = 1;
  save("fixed_flop.zuv", flop);

  SetupContent turn = flop;
  turn.table.boardcards.push_back(9);
  turn.cardsindeck[8] = 0;
  turn.setup.SimulateTurn = 0;
  turn.setup.SetSeed = 0;
  save("fixed_turn.zuv", turn);

  // After a run: statistics, and the random seats still holding their last dealt cards.
  SetupContent run = Startup();
  for (int seat = 3; seat <= 10; ++seat) run.table.activeplayers[seat - 1] = run.table.simulateplayers[seat - 1] = 1;
  Fix(run, 10, 51, 52);
  run.players[0].Cards = {1, 2};
  run.players[2].Cards = {3, 4};
  run.players[0].hand = {2};
  run.players[0].highcard = {14, 13, 12, 11};
  run.table.winner = {1, 3};
  run.sim.WinStat2 = {{10, 9, 10}, std::vector<double>(900, 0.5)};
  run.sim.Statistic = {{10, 169, 9}, std::vector<double>(15210, 0.0)};
  run.sim.WinRecord = NumericArray::Row(std::vector<double>(10, 0.1));
  run.setup.Dealer = 3;
  run.setup.NrOfSims = 1000000000;
  run.setup.Seed = 123456789;
  save("after_run.zuv", run);
  return failures == 0 ? 0 : 1;
}
