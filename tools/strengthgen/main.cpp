// zuvstrengthgen: the strength of every starting hand, worked out exactly by
// the engine and written as a C++ source table. The range window's top-X %
// slider fills the grid in this order. It takes minutes, so its output is
// committed (src/sim/start_hand_strength_table.cpp) rather than built.
//
//   zuvstrengthgen [OUTPUT.cpp]     (standard output without a file)
//
// Strength: a hand's exact share of the pots all-in before the flop against
// one random hand, a pot shared by two counting one half. One combination
// stands for each of the 169 grid cells: the suits do not change the figure.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "sim/exact.h"
#include "sim/hand_range.h"

namespace {

struct Entry {
  int row = 0;
  int column = 0;
  zuv::sim::WinFraction share;
};

Entry Measure(int row, int column) {
  using namespace zuv::sim;
  Scenario scenario;
  scenario.active[0] = scenario.active[1] = true;
  scenario.fixed[0] = RangeCellCombos(row, column).front();
  const ExactResult result = Enumerate(scenario);
  return {row, column, ExactWinRate(result.stats, 1)};
}

bool Stronger(const Entry& a, const Entry& b) {
  const auto left = static_cast<__int128>(a.share.numerator) * b.share.denominator;
  const auto right = static_cast<__int128>(b.share.numerator) * a.share.denominator;
  // Equal shares keep the grid's order, so the table never depends on the sort.
  return left != right ? left > right : std::pair(a.row, a.column) < std::pair(b.row, b.column);
}

std::string Source(const std::vector<Entry>& entries) {
  std::ostringstream out;
  out << "// Written by tools/strengthgen (zuvstrengthgen): do not edit by hand.\n"
         "#include \"sim/start_hand_strength.h\"\n\n"
         "namespace zuv::sim {\n\n"
         "const std::array<StartHandStrength, kStartHandClasses> kStartHandStrengths{{\n";
  for (const Entry& e : entries) {
    out << "    {" << e.row << ", " << e.column << ", " << e.share.numerator << ", " << e.share.denominator
        << "},  // " << zuv::sim::RangeCellName(e.row, e.column) << " "
        << static_cast<double>(e.share.numerator) / static_cast<double>(e.share.denominator) << "\n";
  }
  out << "}};\n\n}  // namespace zuv::sim\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Entry> entries;
  for (int row = 0; row < 13; ++row) {
    for (int column = 0; column < 13; ++column) {
      entries.push_back(Measure(row, column));
      const Entry& e = entries.back();
      std::cerr << entries.size() << "/169 " << zuv::sim::RangeCellName(row, column) << " " << e.share.numerator << "/"
                << e.share.denominator << "\n";
    }
  }
  std::sort(entries.begin(), entries.end(), Stronger);
  const std::string source = Source(entries);
  if (argc < 2) {
    std::cout << source;
    return 0;
  }
  std::ofstream file(argv[1]);
  file << source;
  return file ? 0 : 1;
}
