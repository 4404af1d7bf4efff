#include "setup/setup_records.h"

#include <QCheckBox>
#include <QLineEdit>
#include <map>

#include "run/exact_odds_box.h"
#include "run/result_display.h"
#include "scenario/player_switching.h"
#include "scenario/scenario_menus.h"
#include "state/app.h"
#include "state/number_text.h"
#include "table/card_display.h"

namespace zuv {

namespace {

using setupfile::NumericArray;
using setupfile::SavedPlayer;
using setupfile::SavedSetup;
using setupfile::SavedTable;
using setupfile::SetupContent;

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

template <class T, std::size_t N>
std::array<double, N> Doubles(const std::array<T, N>& values) {
  std::array<double, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<double>(values[i]);
  return out;
}

template <class T>
std::vector<double> Doubles(const std::vector<T>& values) {
  return {values.begin(), values.end()};
}

std::array<double, 3> Colour(const RGB& c) { return {c.r, c.g, c.b}; }

NumericArray Array(std::vector<std::size_t> dims, const std::vector<double>& values) {
  std::size_t n = 1;
  for (std::size_t d : dims) n *= d;
  if (values.empty() || n != values.size()) return NumericArray::Empty();
  return {std::move(dims), values};
}

}  // namespace

setupfile::SetupContent SetupContentOf(const App& app) {
  SetupContent c;
  HandleNumbers handle;

  const TableRecord& t = app.TABLE;
  SavedTable& st = c.table;
  st.activeplayers = Doubles(t.activeplayers);
  st.simulateplayers = Doubles(t.simulateplayers);
  st.boardcards = Doubles(t.boardcards);
  st.tempplayercards = Doubles(t.tempplayercards);
  st.tablecolor = Colour(t.tablecolor);
  st.activeplayercolor = Colour(t.activeplayercolor);
  st.lightyellow = Colour(t.lightyellow);
  st.backgroundcolor = Colour(t.backgroundcolor);
  st.deactiveplayercolor = Colour(t.deactiveplayercolor);
  st.playerangle = t.playerangle;
  st.skew = t.skew;
  st.axes = handle(t.axes);
  st.tableradie = t.tableradie;
  st.headradie = t.headradie;
  st.patchhandle = handle(t.patchhandle);
  st.cmenu = handle(t.cmenu);
  st.cmitem1 = handle(t.cmitem1);
  st.cmitem2 = handle(t.cmitem2);
  st.cmitem3 = handle(t.cmitem3);
  st.cmitem4 = handle(t.cmitem4);
  for (std::size_t k = 0; k < t.boardcardsimage.size(); ++k) st.boardcardsimage[k] = handle(t.boardcardsimage[k]);
  st.dealerbutton = handle(t.dealerbutton);
  st.winner = Doubles(t.winner);

  const SetupRecord& s = app.SETUP;
  SavedSetup& ss = c.setup;
  ss.NrOfSims = s.NrOfSims;
  ss.Dealer = s.Dealer;
  ss.SimulateFlop = s.SimulateFlop;
  ss.SimulateTurn = s.SimulateTurn;
  ss.SetSeed = s.SetSeed;
  ss.Seed = s.Seed;
  ss.CardSize = s.CardSize;
  ss.NrOfPlayers = s.NrOfPlayers;
  ss.handnames = s.handnames;

  for (int i = 0; i < kSeats; ++i) {
    const PlayerRecord& p = app.PLAYER[i];
    SavedPlayer& sp = c.players[i];
    sp.Cards = Doubles(p.Cards);
    if (p.hand != 0) sp.hand = {static_cast<double>(p.hand)};
    sp.highcard = Doubles(p.highcard);
    sp.patchhandle = handle(p.patchhandle);
    sp.playernrtexthandle = handle(p.playernrtexthandle);
    sp.cardimage = {handle(p.cardimage[0]), handle(p.cardimage[1])};
    sp.handtext = handle(p.handtext);
    sp.handtextrectangle = handle(p.handtextrectangle);
    sp.cmenu = handle(p.cmenu);
    sp.cmitem1 = handle(p.cmitem1);
    sp.cmitem2 = handle(p.cmitem2);
    sp.cmitem3 = handle(p.cmitem3);
  }

  c.cardsindeck = Doubles(app.DECK.cardsindeck);

  const SimRecord& m = app.SIM;
  c.sim.showhands = m.showhands;
  c.sim.stopsim = m.stopsim;
  c.sim.WinStat = Array({std::size_t(kSeats), std::size_t(kHandClasses)}, m.WinStat);
  c.sim.WinStat2 = Array({std::size_t(kSeats), std::size_t(kHandClasses), std::size_t(m.WinStat2Players)}, m.WinStat2);
  c.sim.Statistic = Array({std::size_t(kSeats), std::size_t(kStartHandClasses), std::size_t(kHandClasses)}, m.Statistic);
  c.sim.WinRecord = Array({1, std::size_t(kSeats)}, m.WinRecord);

  // A range counts only on an active seat dealt at random; a load refuses it elsewhere.
  for (int i = 0; i < kSeats; ++i) {
    if (t.activeplayers[i] == 1 && t.simulateplayers[i] == 1) c.ranges[i] = app.PLAYER[i].Range;
  }
  c.deadcards = Doubles(t.deadcards);
  c.exact = m.exact;
  return c;
}

void RestoreSetup(App& app, const setupfile::LoadedSetup& s) {
  app.DECK.cardsindeck = s.cardsindeck;
  for (int i = 0; i < kSeats; ++i) app.PLAYER[i].Cards = s.playerCards[i];
  app.SETUP.NrOfSims = s.NrOfSims;
  app.SETUP.Dealer = s.Dealer;
  app.SETUP.SimulateFlop = s.SimulateFlop;
  app.SETUP.SimulateTurn = s.SimulateTurn;
  app.SETUP.SetSeed = s.SetSeed;
  app.SETUP.Seed = s.Seed;
  app.SIM.showhands = s.showhands;
  app.TABLE.boardcards = s.boardcards;
  app.TABLE.deadcards = s.deadcards;
  app.SIM.exact = s.exact;
  // Switching a seat off hands its cards back to the deck, so the file's cards
  // must be in place first: a seat inactive in the file holds none.
  for (int p = 1; p <= kSeats; ++p) {
    if (s.activeplayers[p - 1] != app.activeplayers(p)) CBTogglePlayerActivate(app, p);
  }
  // After the switching, which marks every seat it turns on as dealt at random.
  app.TABLE.simulateplayers = s.simulateplayers;
  for (int i = 0; i < kSeats; ++i) app.PLAYER[i].Range = s.ranges[i];
  // Seat switching alone would leave "Release player cards" and the board's
  // items as they were; the loaded cards must be releasable like chosen ones.
  UpdateScenarioMenus(app);

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
