#include "sim/fast_evaluator.h"

#include <mutex>

#include "sim/card.h"
#include "sim/rank_rules.h"

namespace zuv::sim {

namespace {

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

std::uint32_t Base5Key(const std::array<int, 13>& counts) {
  std::uint32_t key = 0;
  for (int v = 12; v >= 0; --v) key = key * 5 + static_cast<std::uint32_t>(counts[v]);
  return key;
}

// Any fixed seed works; this one just names the build of the hash.
constexpr std::uint64_t kHashSeed = 20261207;

}  // namespace

constinit FastEvaluator FastEvaluator::instance_;
constinit std::atomic<bool> FastEvaluator::ready_{false};

void FastEvaluator::Build() {
  static std::once_flag once;
  std::call_once(once, [] {
    instance_.Fill();
    ready_.store(true, std::memory_order_release);
  });
}

void FastEvaluator::Fill() {
  std::uint32_t power = 1;
  std::array<std::uint32_t, 13> valueWeight{};
  for (auto& w : valueWeight) {
    w = power;
    power *= 5;
  }
  for (int card = 1; card <= kDeckSize; ++card) {
    cardKey_[card] = valueWeight[CardValue(card) - 2] |
                     (1ull << (32 + 4 * (CardSuit(card) - 1)));
  }

  std::vector<std::uint32_t> keys;
  std::vector<HandKey> hands;
  ForEachSevenValueMultiset([&](const std::array<int, 13>& counts) {
    keys.push_back(Base5Key(counts));
    hands.push_back(BestHandOfCounts(counts));
  });
  hash_ = PerfectHash::Build(keys, kHashSeed);
  for (std::size_t i = 0; i < keys.size(); ++i) rankTable_[hash_.Slot(keys[i])] = hands[i];

  for (std::uint32_t mask = 0; mask < (1u << 13); ++mask) {
    if (std::popcount(mask) >= 5) flushTable_[mask] = BestHandOfSuit(mask);
  }
}

}  // namespace zuv::sim
