#pragma once
// Per-hand results: for each seat dealt from a range or at random, per
// combination of its hole cards, the deals in which it held them and the
// pots it won with them. Kept only when a run asks for them; the sums over a
// seat's combinations are exactly its figures in RunStats.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/hand_range.h"

namespace zuv::sim {

// 0..1325 for two different cards 1..52, in either order.
constexpr int ComboIndex(int card1, int card2) {
  const int low = (card1 < card2 ? card1 : card2) - 1;
  const int high = (card1 < card2 ? card2 : card1) - 1;
  return high * (high - 1) / 2 + low;
}

// The combination {lower card, higher card} of a ComboIndex.
Combo ComboOfIndex(int index);

struct PerHandStats {
  PerHandStats() = default;
  // Zeroed figures for the seats `seats` (indexes 0..9, ascending).
  explicit PerHandStats(std::vector<int> seats);

  // The seats kept, ascending; the arrays below hold kAllCombos entries per
  // seat in this order, indexed by ComboIndex.
  std::vector<int> seats;
  // Deals in which the seat held the combination (an exact run counts each
  // deal with its weight).
  std::vector<std::int64_t> held;
  // Units (RunStats::kUnit a pot) the seat won holding it.
  std::vector<std::int64_t> won;
  // Sum over those deals of the squared units won: the spread of a sampled run.
  std::vector<std::int64_t> wonSquare;

  // A sampled run counts each hand in one 64-bit word per seat and hole
  // cards as dealt: the deals held, the pots won alone and those shared by
  // two, 21 bits each (pots shared more widely, rarer, go straight to the
  // arrays above), and folds the words into the arrays before they
  // overflow, every two million hands. A pot won alone or by two so adds to
  // the word its deal has just touched rather than to the colder arrays, and
  // words by the cards in dealing order (PackedIndex) spare the hand loop the
  // look-up of the combination.
  static constexpr int kPackedBits = 21;
  static constexpr std::int64_t kPackedHands = (std::int64_t{1} << kPackedBits) - 1;
  static constexpr int kPackedPerSeat = 53 * 64;
  static constexpr std::size_t PackedIndex(std::size_t firstCard, std::size_t secondCard) {
    return firstCard * 64 + secondCard;
  }
  // What winning a pot shared by k = 1..10 adds to the winner's word; 0
  // where the word has no count for k.
  static constexpr std::array<std::uint64_t, 11> kPackedWin{0, std::uint64_t{1} << kPackedBits,
                                                            std::uint64_t{1} << 2 * kPackedBits};
  std::vector<std::uint64_t> packed;
  std::int64_t packedHands = 0;  // hands counted in `packed`

  bool Empty() const { return seats.empty(); }
  // Place of seat index 0..9 in `seats`, or -1.
  int Slot(int seat) const;
  std::size_t Index(int slot, int combo) const { return static_cast<std::size_t>(slot) * kAllCombos + combo; }

  // Folds `packed` into held, won and wonSquare.
  void Fold();
  // A folded copy, for readers.
  PerHandStats Folded() const {
    PerHandStats copy = *this;
    copy.Fold();
    return copy;
  }
  // Makes room in `packed` for `hands` more hands. Only sampled runs count
  // in words: the first call sets them up.
  void ReserveHands(std::int64_t hands) {
    if (packed.empty()) packed.assign(seats.size() * kPackedPerSeat, 0);
    if (packedHands + hands > kPackedHands) Fold();
    packedHands += hands;
  }

  // Adds another run's figures for the same seats; adding to an empty one
  // takes them over. Both are folded first.
  void Add(const PerHandStats& other);
};

}  // namespace zuv::sim
