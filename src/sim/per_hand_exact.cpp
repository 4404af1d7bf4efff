#include "sim/per_hand_exact.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "sim/card.h"
#include "sim/exact_unit_sample.h"
#include "sim/run_stats.h"
#include "sim/start_hands.h"

namespace zuv::sim {

ExactResult EnumeratePerHand(const Scenario& scenario, const ExactOptions& options) {
  ExactOptions withPerHand = options;
  withPerHand.perHand = true;
  return Enumerate(scenario, withPerHand);
}

namespace {

// Per combination, its images under the permutations of the suits 0..3 that
// keep each suit in its block (the identity first): `order` of them, at
// images[c * order ...]. One array, as a run builds it a few times over.
struct SuitImages {
  explicit SuitImages(const std::array<int, 4>& suitBlocks) {
    std::vector<std::array<int, 4>> group;
    std::array<int, 4> to{0, 1, 2, 3};
    do {
      bool keeps = true;
      for (int s = 0; s < 4; ++s) keeps = keeps && suitBlocks[to[s]] == suitBlocks[s];
      if (keeps) group.push_back(to);
    } while (std::next_permutation(to.begin(), to.end()));
    order = group.size();
    images.reserve(kAllCombos * order);
    for (int c = 0; c < kAllCombos; ++c) {
      const Combo combo = ComboOfIndex(c);
      for (const auto& g : group) {
        auto image = [&](int card) { return MakeCard(CardValue(card), g[CardSuit(card) - 1] + 1); };
        images.push_back(ComboIndex(image(combo[0]), image(combo[1])));
      }
    }
  }
  std::span<const int> Of(int c) const { return {images.data() + static_cast<std::size_t>(c) * order, order}; }

  std::size_t order = 0;
  std::vector<int> images;
};

}  // namespace

void SpreadOverSuitSymmetry(PerHandStats& perHand, const std::array<int, 4>& suitBlocks) {
  const SuitImages images(suitBlocks);
  const auto order = static_cast<std::int64_t>(images.order);
  if (order == 1) return;
  for (std::size_t slot = 0; slot < perHand.seats.size(); ++slot) {
    for (std::vector<std::int64_t>* figures : {&perHand.held, &perHand.won}) {
      const auto begin = figures->begin() + static_cast<std::ptrdiff_t>(perHand.Index(static_cast<int>(slot), 0));
      const std::vector<std::int64_t> counted(begin, begin + kAllCombos);
      for (int c = 0; c < kAllCombos; ++c) {
        std::int64_t sum = 0;
        for (int image : images.Of(c)) sum += counted[image];
        begin[c] = sum / order;
      }
    }
  }
}

void PerHandUnitSample::Sums::Add(const Sums& other) {
  n += other.n;
  nn += other.nn;
  y += other.y;
  yy += other.yy;
  yn += other.yn;
  units += other.units;
}

double PerHandUnitSample::Sums::Error(std::int64_t units, std::int64_t allUnits) const {
  return RatioStandardError(units, allUnits, n, nn, y, yy, yn) / RunStats::kUnit;
}

PerHandUnitSample::PerHandUnitSample(int slots, const std::array<int, 4>& suitBlocks)
    : orbit_(kAllCombos),
      classOf_(kAllCombos),
      combos_(static_cast<std::size_t>(slots) * kAllCombos),
      classes_(static_cast<std::size_t>(slots) * kStartHandClasses),
      held_(combos_.size()),
      won_(combos_.size()),
      classHeld_(classes_.size()),
      classWon_(classes_.size()) {
  const SuitImages images(suitBlocks);
  for (int c = 0; c < kAllCombos; ++c) {
    orbit_[c] = std::ranges::min(images.Of(c));
    const Combo combo = ComboOfIndex(c);
    classOf_[c] = StartHandClass(combo[0], combo[1]);
  }
  ownOrbits_ = true;
  for (int c = 0; c < kAllCombos; ++c) ownOrbits_ = ownOrbits_ && orbit_[c] == c;
}

void PerHandUnitSample::Note(std::size_t entry, std::int64_t held, std::int64_t won) {
  // Spread over the suit permutations, every combination of an orbit has the
  // orbit's win rate: its sums stand for all of them.
  const std::size_t orbit = entry - entry % kAllCombos + orbit_[entry % kAllCombos];
  if (held_[orbit] == 0) touched_.push_back(orbit);
  held_[orbit] += static_cast<double>(held);
  won_[orbit] += static_cast<double>(won);
  // A suit permutation keeps the starting-hand class.
  const std::size_t cls = ClassEntry(entry);
  if (classHeld_[cls] == 0) classTouched_.push_back(cls);
  classHeld_[cls] += static_cast<double>(held);
  classWon_[cls] += static_cast<double>(won);
}

void PerHandUnitSample::Fold(std::vector<double>& held, std::vector<double>& won, std::vector<std::size_t>& touched,
                             std::vector<Sums>& sums) {
  for (std::size_t entry : touched) {
    sums[entry].Add(held[entry], won[entry]);
    held[entry] = won[entry] = 0;
  }
  touched.clear();
}

void PerHandUnitSample::TakeUnits(PerHandUnitSample& other) {
  units_ += std::exchange(other.units_, 0);
  for (std::size_t e = 0; e < combos_.size(); ++e) combos_[e].Add(std::exchange(other.combos_[e], {}));
  for (std::size_t e = 0; e < classes_.size(); ++e) classes_[e].Add(std::exchange(other.classes_[e], {}));
}

void PerHandUnitSample::EndUnit() {
  ++units_;
  Fold(held_, won_, touched_, combos_);
  if (classesUnlisted_) {
    classTouched_.clear();
    for (std::size_t cls = 0; cls < classes_.size(); ++cls) {
      if (classHeld_[cls] != 0) classTouched_.push_back(cls);
    }
    classesUnlisted_ = false;
  }
  Fold(classHeld_, classWon_, classTouched_, classes_);
}

void PerHandUnitSample::JudgeWithin(const PerHandUnitSample& population) {
  within_ = true;
  comboUnits_.resize(combos_.size());
  for (std::size_t e = 0; e < combos_.size(); ++e) comboUnits_[e] = population.combos_[e].units;
  classUnits_.resize(classes_.size());
  for (std::size_t e = 0; e < classes_.size(); ++e) classUnits_[e] = population.classes_[e].units;
}

double PerHandUnitSample::Error(const Sums& sums, std::int64_t population, std::int64_t units,
                                std::int64_t allUnits) const {
  if (within_ && units < allUnits) {
    // A handful of units, each a few joint combinations, leave the spread
    // itself too uncertain to give an error by: too few to tell.
    constexpr std::int64_t kFewestUnits = 8;
    if (sums.units < std::min(kFewestUnits, population)) return std::numeric_limits<double>::quiet_NaN();
    return sums.Error(sums.units, population);
  }
  return sums.Error(units, allUnits);
}

double PerHandUnitSample::ComboError(std::size_t entry, std::int64_t units, std::int64_t allUnits) const {
  const std::size_t orbit = entry - entry % kAllCombos + orbit_[entry % kAllCombos];
  return Error(combos_[orbit], within_ ? comboUnits_[orbit] : 0, units, allUnits);
}

double PerHandUnitSample::ClassError(int slot, int startClass, std::int64_t units, std::int64_t allUnits) const {
  const std::size_t entry = static_cast<std::size_t>(slot) * kStartHandClasses + startClass - 1;
  return Error(classes_[entry], within_ ? classUnits_[entry] : 0, units, allUnits);
}

}  // namespace zuv::sim
