#pragma once
// Exact odds with per-hand results: one enumeration that also counts, per
// combination of each seat dealt from a range or at random, the deals in
// which the seat held it and the pots it won with it. The parts add up to the
// seat's figures for the whole table.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/exact.h"
#include "sim/per_hand_stats.h"
#include "sim/start_hands.h"

namespace zuv::sim {

// Enumerate with ExactOptions::perHand set: RunStats::perHand filled for
// every seat dealt from a range or at random. Throws std::invalid_argument
// with ExactProblem's text. A stop or time limit ends it early with
// complete = false.
ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options = {});

// The enumeration visits one board of each class of suit-symmetric boards
// and counts its deals as often as the class has boards; per-hand figures so
// counted all fall on the representative's combinations. Averaging each
// combination's figures over the suit permutations within `suitBlocks`
// (ExactBoards::SuitBlocks) gives every image its own share, exactly: each
// board's images are a whole orbit, so the sums divide.
void SpreadOverSuitSymmetry(PerHandStats& perHand, const std::array<int, 4>& suitBlocks);

// What a stopped exact run knows about the error of each per-hand win rate,
// as ExactUnitSample for the seats: over the finished units of work, per
// combination and per starting-hand class of each kept seat, the sums of the
// deals held n, the units won y, n^2, y^2 and y n. The combinations that
// the suit permutations map onto each other share their sums, as the totals
// are spread over them.
class PerHandUnitSample {
 public:
  PerHandUnitSample() = default;
  PerHandUnitSample(int slots, const std::array<int, 4>& suitBlocks);

  // One unit's figures of entry slot * kAllCombos + ComboIndex; EndUnit
  // folds the unit's figures into the sums.
  void Note(std::size_t entry, std::int64_t held, std::int64_t won);
  // The same for an entry noted at most once in the unit, and not mixed with
  // Note in one unit: where no suit permutation joins combinations, its
  // figures go straight to its sums.
  // Inline: the enumeration notes every combination of every item.
  void NoteOnce(std::size_t entry, std::int64_t held, std::int64_t won) {
    if (!ownOrbits_) {
      Note(entry, held, won);
      return;
    }
    // What EndUnit would fold, without the round trip through the open unit.
    combos_[entry].Add(static_cast<double>(held), static_cast<double>(won));
    // The classes held are found by EndUnit in one pass over them: an item
    // holds most of them, and a list of those touched costs a guess per entry.
    const std::size_t cls = ClassEntry(entry);
    classHeld_[cls] += static_cast<double>(held);
    classWon_[cls] += static_cast<double>(won);
    classesUnlisted_ = true;
  }
  void EndUnit();
  // Moves another sample's finished units (of the same table) into this one.
  void TakeUnits(PerHandUnitSample& other);
  std::int64_t Units() const { return units_; }
  // Judges each entry over the units that hold it, as a sample of the units
  // of `population` (every unit of the run, noted) that hold it, instead of
  // over all units: where most units leave an entry out (the joint
  // combinations, each holding a few of a seat's combinations), the units
  // without it say nothing of its spread, and an entry whose units are all
  // done is known exactly.
  void JudgeWithin(const PerHandUnitSample& population);

  // Standard error of the win rate of an entry, or of slot's starting-hand
  // class 1..169, from `units` of `allUnits` work units: 0 with all of them,
  // NaN with too few to tell.
  double ComboError(std::size_t entry, std::int64_t units, std::int64_t allUnits) const;
  double ClassError(int slot, int startClass, std::int64_t units, std::int64_t allUnits) const;

 private:
  struct Sums {
    double n = 0, nn = 0, y = 0, yy = 0, yn = 0;
    std::int64_t units = 0;  // units that held the entry
    void Add(double held, double won) {
      n += held;
      nn += held * held;
      y += won;
      yy += won * won;
      yn += won * held;
      ++units;
    }
    void Add(const Sums& other);
    double Error(std::int64_t units, std::int64_t allUnits) const;
  };
  // An entry's error, over all units or (JudgeWithin) over those holding it.
  double Error(const Sums& sums, std::int64_t population, std::int64_t units, std::int64_t allUnits) const;
  // The class entry (slot * 169 + class - 1) of a combination entry.
  std::size_t ClassEntry(std::size_t entry) const {
    return entry / kAllCombos * kStartHandClasses + static_cast<std::size_t>(classOf_[entry % kAllCombos]) - 1;
  }
  static void Fold(std::vector<double>& held, std::vector<double>& won, std::vector<std::size_t>& touched,
                   std::vector<Sums>& sums);

  std::vector<int> orbit_;  // per combination: the lowest of its images under the suit permutations
  bool ownOrbits_ = false;  // every combination is its own orbit
  std::vector<int> classOf_;  // per combination: its starting-hand class 1..169
  std::int64_t units_ = 0;
  std::vector<Sums> combos_, classes_;
  bool within_ = false;  // JudgeWithin: the units of the population holding each entry
  std::vector<std::int64_t> comboUnits_, classUnits_;
  // The open unit: figures by entry (dense) and the entries it touched.
  std::vector<double> held_, won_, classHeld_, classWon_;
  std::vector<std::size_t> touched_, classTouched_;
  bool classesUnlisted_ = false;  // NoteOnce left classTouched_ to EndUnit
};

}  // namespace zuv::sim
