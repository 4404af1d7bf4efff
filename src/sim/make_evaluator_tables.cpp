// Build tool: computes the fast evaluator's tables from the ranking rules and
// writes them as a C++ source of constants, so that no program spends its
// start-up building them. Usage: make_evaluator_tables OUTPUT.cpp

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "sim/fast_evaluator.h"
#include "sim/rank_rules.h"

namespace {

using zuv::sim::FastEvaluator;
using zuv::sim::HandKey;
using zuv::sim::PerfectHash;

// Calls f(counts) for every multiset of seven values with at most four of each.
template <typename F>
void ForEachSevenValueMultiset(F&& f) {
  std::array<int, 13> counts{};
  auto recurse = [&](auto&& self, int value, int left) -> void {
    if (value == 13) {
      if (left == 0) f(counts);
      return;
    }
    for (int n = 0; n <= 4 && n <= left; ++n) {
      counts[value] = n;
      self(self, value + 1, left - n);
    }
    counts[value] = 0;
  };
  recurse(recurse, 0, 7);
}

// The low word of the key sum of cards with these value counts.
std::uint32_t ValueKey(const std::array<int, 13>& counts) {
  std::uint32_t key = 0;
  for (int v = 0; v < 13; ++v) key += static_cast<std::uint32_t>(counts[v] * FastEvaluator::CardKey(v + 1));
  return key;
}

// Any fixed seed works; this one just names the build of the hash.
constexpr std::uint64_t kHashSeed = 20261207;

template <typename Number, std::size_t N>
void WriteArray(std::FILE* out, const char* type, const char* name, const std::array<Number, N>& values) {
  std::fprintf(out, "constexpr std::array<%s, %zu> %s{\n", type, N, name);
  for (std::size_t i = 0; i < N; ++i) {
    std::fprintf(out, "0x%x,%s", static_cast<unsigned>(values[i]), i % 16 == 15 ? "\n" : "");
  }
  std::fprintf(out, "};\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_evaluator_tables OUTPUT.cpp\n");
    return 2;
  }
  std::vector<std::uint32_t> keys;
  std::vector<HandKey> hands;
  ForEachSevenValueMultiset([&](const std::array<int, 13>& counts) {
    keys.push_back(ValueKey(counts));
    hands.push_back(zuv::sim::BestHandOfCounts(counts));
  });
  const PerfectHash hash = PerfectHash::Build(keys, kHashSeed);
  std::array<HandKey, PerfectHash::kSlots> rank{};
  for (std::size_t i = 0; i < keys.size(); ++i) rank[hash.Slot(keys[i])] = hands[i];
  std::array<HandKey, 1u << 13> flush{};
  for (std::uint32_t mask = 0; mask < (1u << 13); ++mask) {
    if (std::popcount(mask) >= 5) flush[mask] = zuv::sim::BestHandOfSuit(mask);
  }

  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out, "// Written by make_evaluator_tables when the program is built: do not edit.\n");
  std::fprintf(out, "#include \"sim/fast_evaluator.h\"\n\nnamespace zuv::sim {\n\nnamespace {\n\n");
  WriteArray(out, "std::uint16_t", "kDisplacement", hash.Displacement());
  WriteArray(out, "HandKey", "kRankTable", rank);
  WriteArray(out, "HandKey", "kFlushTable", flush);
  std::fprintf(out, "\n}  // namespace\n\n");
  std::fprintf(out,
               "constinit const FastEvaluator FastEvaluator::instance_(PerfectHash(0x%llxull, kDisplacement), "
               "kRankTable, kFlushTable);\n\n}  // namespace zuv::sim\n",
               static_cast<unsigned long long>(hash.Multiplier()));
  return std::fclose(out) == 0 ? 0 : 1;
}
