// Every one of the 133,784,560 seven-card hands: fast against reference, and
// the class counts that every correct evaluator must reproduce. Slow (minutes);
// labelled "slow" and left out of the normal suite.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sim/evaluator.h"
#include "sim/reference_evaluator.h"

namespace zuv::sim {
namespace {

TEST(EvaluatorExhaustive, AllSevenCardHandsMatchTheReferenceAndTheKnownCounts) {
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::atomic<int> nextFirst{1};
  std::vector<std::array<std::int64_t, 10>> counts(threads);
  std::vector<std::int64_t> mismatches(threads, 0);
  auto work = [&](unsigned t) {
    for (int a; (a = nextFirst.fetch_add(1)) <= 46;) {
      for (int b = a + 1; b <= 47; ++b)
        for (int c = b + 1; c <= 48; ++c)
          for (int d = c + 1; d <= 49; ++d)
            for (int e = d + 1; e <= 50; ++e)
              for (int f = e + 1; f <= 51; ++f)
                for (int g = f + 1; g <= 52; ++g) {
                  const std::array<int, 7> cards{a, b, c, d, e, f, g};
                  const HandKey key = EvaluateSeven(cards);
                  const ReferenceHand ref = ReferenceEvaluateSeven(cards);
                  ++counts[t][HandClass(key)];
                  if (HandClass(key) != ref.handClass || HighCard(key) != ref.highcard) ++mismatches[t];
                }
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) pool.emplace_back(work, t);
  for (auto& th : pool) th.join();

  std::array<std::int64_t, 10> total{};
  std::int64_t totalMismatches = 0;
  for (unsigned t = 0; t < threads; ++t) {
    for (int c = 0; c < 10; ++c) total[c] += counts[t][c];
    totalMismatches += mismatches[t];
  }
  EXPECT_EQ(totalMismatches, 0);
  const std::array<std::int64_t, 10> expected{0,         23'294'460, 58'627'800, 31'433'400, 6'461'620,
                                              6'180'020, 4'047'644,  3'473'184,  224'848,    41'584};
  EXPECT_EQ(total, expected);
  std::int64_t all = 0;
  for (auto n : total) all += n;
  EXPECT_EQ(all, 133'784'560);
}

}  // namespace
}  // namespace zuv::sim
