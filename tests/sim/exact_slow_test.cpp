// The fast exact enumeration against the plain one on whole preflop tables:
// a billion deals and more each, minutes of work.
#include <gtest/gtest.h>

#include <string_view>

#include "sim/card.h"
#include "sim/exact.h"
#include "sim/exact_deals.h"
#include "sim/exact_reference.h"
#include "sim/hand_range.h"

namespace zuv::sim {
namespace {

Scenario Table(std::initializer_list<std::string_view> seats, std::string_view board = "") {
  Scenario s;
  int i = 0;
  for (std::string_view seat : seats) {
    s.active[i] = true;
    if (auto cards = ParseCards(seat); cards && cards->size() == 2) {
      s.fixed[i] = {(*cards)[0], (*cards)[1]};
    } else if (seat != "random") {
      s.range[i] = ParseRange(seat).combos;
    }
    ++i;
  }
  s.board = *ParseCards(board);
  return s;
}

void ExpectMatchesDealByDeal(const Scenario& s) {
  const ExactResult fast = Enumerate(s);
  const RunStats plain = EnumerateDealByDeal(PrepareExactDeals(s));
  EXPECT_EQ(static_cast<std::uint64_t>(plain.hands), CountDeals(s));
  EXPECT_EQ(fast.stats.hands, plain.hands);
  EXPECT_EQ(fast.stats.WinRecord, plain.WinRecord);
  EXPECT_EQ(fast.stats.WinStat, plain.WinStat);
  EXPECT_EQ(fast.stats.WinStat2, plain.WinStat2);
  EXPECT_EQ(fast.stats.Statistic, plain.Statistic);
}

TEST(ExactSlow, TwoOverlappingRangesPreflop) { ExpectMatchesDealByDeal(Table({"QQ+,AKs", "JJ-99,AQs+,KQs"})); }

TEST(ExactSlow, PairAgainstAnyTwoCardsPreflop) { ExpectMatchesDealByDeal(Table({"AhAc", "random"})); }

TEST(ExactSlow, FourSeatsWithRangesAndAnyTwoCardsOnTheFlop) {
  ExpectMatchesDealByDeal(Table({"AA,KK,AKs", "random", "QJs,T9s,88", "AhQd"}, "Kh8c3h"));
}

}  // namespace
}  // namespace zuv::sim
