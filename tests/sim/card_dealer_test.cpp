#include "sim/card_dealer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zuv::sim {
namespace {

std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int c = first; c <= last; ++c) v.push_back(c);
  return v;
}

// Chi-square of observed counts against equal expected counts.
double ChiSquare(const std::map<std::vector<int>, int>& counts, double expected) {
  double chi = 0;
  for (const auto& [key, n] : counts) chi += (n - expected) * (n - expected) / expected;
  return chi;
}

TEST(CardDealer, EveryOrderedDealIsEquallyLikely) {
  // Three cards of eight: 336 ordered deals.
  // The deck goes on from deal to deal in the order each left it in.
  CardDealer dealer(Range(3, 10));
  CardDealer::Deck deck = dealer.Fresh();
  Random random(17);
  std::map<std::vector<int>, int> counts;
  const int deals = 336 * 300;
  for (int i = 0; i < deals; ++i) {
    std::vector<int> out(3);
    dealer.Deal(random, deck, 3, out.data());
    ASSERT_EQ(std::set<int>(out.begin(), out.end()).size(), 3u);
    for (int c : out) ASSERT_TRUE(c >= 3 && c <= 10);
    ++counts[out];
  }
  EXPECT_EQ(counts.size(), 336u);
  // 335 degrees of freedom: mean 335, standard deviation about 26.
  EXPECT_LT(ChiSquare(counts, 300.0), 335 + 6 * 26);
}

TEST(CardDealer, PlacesOnBothSidesOfARandomWordAreJointlyEven) {
  // Eleven cards of twelve: places 8 and 9 take their picks from different
  // random words, places 0 and 10 too; each pair of cards must be equally
  // likely at each pair of places (132 ordered pairs).
  static_assert(CardDealer::kBatch == 9);
  CardDealer dealer(Range(1, 12));
  CardDealer::Deck deck = dealer.Fresh();
  Random random(23);
  std::map<std::vector<int>, int> across, ends;
  const int deals = 132 * 400;
  for (int i = 0; i < deals; ++i) {
    std::vector<int> out(11);
    dealer.Deal(random, deck, 11, out.data());
    ASSERT_EQ(std::set<int>(out.begin(), out.end()).size(), 11u);
    ++across[{out[8], out[9]}];
    ++ends[{out[0], out[10]}];
  }
  EXPECT_EQ(across.size(), 132u);
  EXPECT_EQ(ends.size(), 132u);
  // 131 degrees of freedom: mean 131, standard deviation about 16.2.
  EXPECT_LT(ChiSquare(across, 400.0), 131 + 6 * 16.2);
  EXPECT_LT(ChiSquare(ends, 400.0), 131 + 6 * 16.2);
}

// Every count the rows are compiled for, across the batch boundaries, in
// rows of ints and of bytes; the deck ends as the single calls leave it.
template <typename Card>
void ExpectRowsHoldTheDealsOfSingleCalls() {
  const std::vector<int> cards = Range(1, 52);
  CardDealer dealer(cards);
  for (int count = 1; count <= CardDealer::kMaxRowCount; ++count) {
    Random one(count), rows(count);
    CardDealer::Deck oneDeck = dealer.Fresh(), rowsDeck = dealer.Fresh();
    constexpr int kHands = 5, kStride = 32;
    std::vector<Card> dealt(kHands * kStride, 0);
    dealer.DealRows(rows, rowsDeck, count, kHands, dealt.data(), kStride);
    for (int h = 0; h < kHands; ++h) {
      std::vector<int> single(count);
      dealer.Deal(one, oneDeck, count, single.data());
      ASSERT_EQ(std::vector<int>(dealt.begin() + h * kStride, dealt.begin() + h * kStride + count), single)
          << count << " cards, hand " << h;
    }
    EXPECT_EQ(one.Next64(), rows.Next64()) << count << " cards";
    EXPECT_EQ(oneDeck, rowsDeck) << count << " cards";
  }
}

TEST(CardDealer, RowsHoldTheDealsOfSingleCalls) {
  ExpectRowsHoldTheDealsOfSingleCalls<int>();
  ExpectRowsHoldTheDealsOfSingleCalls<std::uint8_t>();
}

TEST(CardDealer, LongDealsAreDistinctAndEven) {
  CardDealer dealer(Range(1, 52));
  CardDealer::Deck deck = dealer.Fresh();
  Random random(19);
  const int count = 2 * CardDealer::kBatch + 5;
  std::array<std::array<int, 53>, 2> firstLast{};  // card counts at the first and last place
  const int deals = 52 * 2000;
  for (int i = 0; i < deals; ++i) {
    std::vector<int> out(count);
    dealer.Deal(random, deck, count, out.data());
    ASSERT_EQ(std::set<int>(out.begin(), out.end()).size(), static_cast<std::size_t>(count));
    ++firstLast[0][out.front()];
    ++firstLast[1][out.back()];
  }
  for (const auto& place : firstLast) {
    double chi = 0;
    for (int c = 1; c <= 52; ++c) chi += (place[c] - 2000.0) * (place[c] - 2000.0) / 2000.0;
    EXPECT_LT(chi, 51 + 6 * 10.1);  // 51 degrees of freedom
  }
}

TEST(CardDealer, CanDealEveryFreeCard) {
  CardDealer dealer(Range(20, 26));
  Random random(1);
  std::vector<int> out(7);
  CardDealer::Deck fresh = dealer.Fresh();
  dealer.Deal(random, fresh, 7, out.data());
  EXPECT_EQ(std::set<int>(out.begin(), out.end()), std::set<int>({20, 21, 22, 23, 24, 25, 26}));
  // The whole deck: seven random words, the last ranges down to one card.
  const std::vector<int> cards = Range(1, 52);
  CardDealer whole(cards);
  CardDealer::Deck deck = whole.Fresh();
  std::vector<std::uint8_t> all(52);
  whole.Deal(random, deck, 52, all.data());
  EXPECT_EQ(std::set<int>(all.begin(), all.end()), std::set<int>(cards.begin(), cards.end()));
}

}  // namespace
}  // namespace zuv::sim
