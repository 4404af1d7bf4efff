#include "setup/setup_records.h"

#include <QCheckBox>
#include <QLineEdit>
#include <map>
#include <type_traits>

#include "run/exact_odds_box.h"
#include "run/result_display.h"
#include "scenario/player_switching.h"
#include "scenario/scenario_menus.h"
#include "setup/file/setup_fields.h"
#include "state/app.h"
#include "state/number_text.h"
#include "table/card_display.h"

namespace zuv {

namespace {

using setupfile::Column;
using setupfile::Derived;

static_assert(setupfile::kMaxDeadCards == kMaxDeadCards, "a setup file holds as many dead cards as the table");

// Graphics objects get serial numbers in the order they are met; 0 is none.
class HandleNumbers {
 public:
  double operator()(const void* object) {
    if (!object) return 0;
    auto [it, added] = numbers_.try_emplace(object, static_cast<double>(numbers_.size() + 1));
    return it->second;
  }

 private:
  std::map<const void*, double> numbers_;
};

// Fills every saved value of a setup file from the records.
class RecordsToContent {
 public:
  explicit RecordsToContent(const App& app) : app_(app) {}

  void record(const char*, std::size_t) {}
  void element(std::size_t) {}
  void field(const char*, auto&& saved, const auto&, const auto& record) { Save(Value(record), saved); }
  void variable(const char*, auto&& saved, const auto&, const auto& record) { Save(Value(record), saved); }
  void extra(const char*, auto&& saved, const auto&, const auto& record) { Save(Value(record), saved); }

 private:
  template <class Get, class Set>
  auto Value(const Derived<Get, Set>& derived) const {
    return derived.get(app_);
  }
  const auto& Value(const auto& at) const { return at(app_); }

  static void Save(double v, double& out) { out = v; }
  static void Save(int v, double& out) { out = v; }
  void Save(const void* object, double& out) { out = handles_(object); }
  static void Save(const RGB& c, std::array<double, 3>& out) { out = {c.r, c.g, c.b}; }
  template <class T>
  static void Save(const std::vector<T>& v, std::vector<double>& out) {
    out.assign(v.begin(), v.end());
  }
  template <class T>
  static void Save(const std::vector<T>& v, Column<std::vector<double>> out) {
    out.values.assign(v.begin(), v.end());
  }
  template <class T, class U, std::size_t N>
  void Save(const std::array<T, N>& v, std::array<U, N>& out) {
    for (std::size_t k = 0; k < N; ++k) Save(v[k], out[k]);
  }
  static void Save(const std::string& v, std::string& out) { out = v; }
  static void Save(const setupfile::NumericArray& v, setupfile::NumericArray& out) { out = v; }

  const App& app_;
  HandleNumbers handles_;
};

// Puts every value a load reads back into the records.
class LoadedToRecords {
 public:
  LoadedToRecords(App& app, const setupfile::LoadedSetup& loaded) : app_(app), loaded_(loaded) {}

  void record(const char*, std::size_t) {}
  void element(std::size_t) {}
  void field(const char*, auto&&, const auto& read, const auto& record) { Restore(read, record); }
  void variable(const char*, auto&&, const auto& read, const auto& record) { Restore(read, record); }
  void extra(const char*, auto&&, const auto& read, const auto& record) { Restore(read, record); }

 private:
  // Values saved and never read back stay as they are.
  template <class Read>
  void Restore(const Read& read, const auto& record) {
    if constexpr (!std::is_same_v<Read, std::nullptr_t>) Put(read.at(loaded_), record);
  }
  template <class Get, class Set>
  void Put(const auto& value, const Derived<Get, Set>& derived) {
    derived.set(app_, value);
  }
  void Put(const auto& value, const auto& at) { at(app_) = value; }

  App& app_;
  const setupfile::LoadedSetup& loaded_;
};

}  // namespace

setupfile::SetupContent SetupContentOf(const App& app) {
  setupfile::SetupContent c;
  RecordsToContent records(app);
  VisitSetupFile(records, c);
  return c;
}

void RestoreSetup(App& app, const setupfile::LoadedSetup& s) {
  // Seat switching changes the seat's cards, flags, range and the deck; the
  // file's values go in after it, so they are what stays.
  for (int p = 1; p <= kSeats; ++p) {
    if (s.activeplayers[p - 1] != app.activeplayers(p)) CBTogglePlayerActivate(app, p);
  }
  LoadedToRecords records(app, s);
  const setupfile::SetupContent unused;
  VisitSetupFile(records, unused);
  // Seat switching alone would leave "Release player cards" and the board's
  // items as they were; the loaded cards must be releasable like chosen ones.
  UpdateContextMenus(app);

  CBClearTable(app);
  DisplayBoardCards(app);
  DisplayDeadCards(app);
  DisplayPlayerCards(app);
  ResetResultDisplay(app);

  if (auto* hands = qobject_cast<QLineEdit*>(app.UICONTROLS.handle[kHandsField])) {
    hands->setText(PlainNumber(app.SETUP.NrOfSims));
  }
  if (auto* setSeed = qobject_cast<QCheckBox*>(app.UICONTROLS.handle[kSetSeedBox])) {
    setSeed->setChecked(app.SETUP.SetSeed == 1);
  }
  if (auto* seed = qobject_cast<QLineEdit*>(app.UICONTROLS.handle[kSeedField])) {
    seed->setText(PlainNumber(app.SETUP.Seed));
    // The field is editable exactly while the box is ticked, as a click leaves it.
    seed->setEnabled(app.SETUP.SetSeed == 1);
  }
  if (auto* show = qobject_cast<QCheckBox*>(app.UICONTROLS.handle[kShowHandsBox])) {
    show->setChecked(app.SIM.showhands == 1);
  }
  ShowExactOdds(app);
}

}  // namespace zuv
