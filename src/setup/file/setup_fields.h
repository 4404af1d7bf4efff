#pragma once
// Every variable and field of a setup file, named once, in the file's order.
// Each line gives the name in the file, the saved value (in SetupContent),
// where a load reads it and how it is checked (for what a load takes back),
// and the program record it comes from and goes back to. The list drives the
// save (SetupContentOf, then the writer), the load (the reader, CheckSetup)
// and the restore (RestoreSetup). A value the program takes back is one line
// here, so it cannot be saved without being read, checked and restored. An
// entry without a read place is saved for completeness and never read back,
// so odd values there never stop a load.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "setup/file/setup_checks.h"
#include "setup/file/setup_content.h"

// The member `path` of whatever it is given: the same field of FileFields and
// of LoadedSetup, or a member of the program's records. Only a visitor that
// needs that side calls it, so the other sides need not have the member.
#define ZUV_AT(path) [&](auto& side) -> auto& { return side.path; }

namespace zuv::setupfile {

// A list saved as a column (n x 1) rather than a row; empty lists are 0 x 0 either way.
template <class List>
struct Column {
  List& values;
};
template <class List>
Column(List&) -> Column<List>;

// Where a load reads a value (`at` of FileFields and of LoadedSetup) and the
// check that turns the number read into the value taken back.
template <class At, class Check>
struct Read {
  At at;
  Check check;
};
template <class At, class Check>
Read(At, Check) -> Read<At, Check>;

// For a value saved and never read back.
inline constexpr std::nullptr_t kNotRead = nullptr;

// A record value the file does not hold as it is: `get` gives the value to
// save from the records, `set` puts a loaded value back (unused when not read).
template <class Get, class Set = std::nullptr_t>
struct Derived {
  Get get;
  Set set = nullptr;
};
template <class Get>
Derived(Get) -> Derived<Get>;
template <class Get, class Set>
Derived(Get, Set) -> Derived<Get, Set>;

// Calls, in the file's order: visit.record(name, elements) for a structure
// variable, visit.element(i) before the fields of its element i,
// visit.field(name, saved, read, record) for each field, visit.variable(...)
// for a variable that is not a structure, and visit.extra(...) for a
// variable that older files do not have. `read` is a Read or kNotRead;
// `record` is an accessor of the records or a Derived. Saved values are
// doubles, fixed-size rows of doubles (std::array), lists (std::vector,
// saved as a row unless wrapped in Column), rows of texts or NumericArray.
template <class Visit, class Content>
void VisitSetupFile(Visit& visit, Content& c) {
  auto& t = c.table;
  visit.record("tempTABLE", 1);
  visit.field("activeplayers", t.activeplayers, Read{ZUV_AT(activeplayers), Flags{}}, ZUV_AT(TABLE.activeplayers));
  visit.field("simulateplayers", t.simulateplayers, Read{ZUV_AT(simulateplayers), Flags{}},
              ZUV_AT(TABLE.simulateplayers));
  visit.field("boardcards", Column{t.boardcards}, Read{ZUV_AT(boardcards), BoardCards{}}, ZUV_AT(TABLE.boardcards));
  visit.field("tempplayercards", Column{t.tempplayercards}, kNotRead, ZUV_AT(TABLE.tempplayercards));
  visit.field("tablecolor", t.tablecolor, kNotRead, ZUV_AT(TABLE.tablecolor));
  visit.field("activeplayercolor", t.activeplayercolor, kNotRead, ZUV_AT(TABLE.activeplayercolor));
  visit.field("lightyellow", t.lightyellow, kNotRead, ZUV_AT(TABLE.lightyellow));
  visit.field("backgroundcolor", t.backgroundcolor, kNotRead, ZUV_AT(TABLE.backgroundcolor));
  visit.field("deactiveplayercolor", t.deactiveplayercolor, kNotRead, ZUV_AT(TABLE.deactiveplayercolor));
  visit.field("playerangle", t.playerangle, kNotRead, ZUV_AT(TABLE.playerangle));
  visit.field("skew", t.skew, kNotRead, ZUV_AT(TABLE.skew));
  visit.field("axes", t.axes, kNotRead, ZUV_AT(TABLE.axes));
  visit.field("tableradie", t.tableradie, kNotRead, ZUV_AT(TABLE.tableradie));
  visit.field("headradie", t.headradie, kNotRead, ZUV_AT(TABLE.headradie));
  visit.field("patchhandle", t.patchhandle, kNotRead, ZUV_AT(TABLE.patchhandle));
  visit.field("cmenu", t.cmenu, kNotRead, ZUV_AT(TABLE.cmenu));
  visit.field("cmitem1", t.cmitem1, kNotRead, ZUV_AT(TABLE.cmitem1));
  visit.field("cmitem2", t.cmitem2, kNotRead, ZUV_AT(TABLE.cmitem2));
  visit.field("cmitem3", t.cmitem3, kNotRead, ZUV_AT(TABLE.cmitem3));
  visit.field("cmitem4", t.cmitem4, kNotRead, ZUV_AT(TABLE.cmitem4));
  visit.field("boardcardsimage", t.boardcardsimage, kNotRead, ZUV_AT(TABLE.boardcardsimage));
  visit.field("dealerbutton", t.dealerbutton, kNotRead, ZUV_AT(TABLE.dealerbutton));
  visit.field("winner", t.winner, kNotRead, ZUV_AT(TABLE.winner));

  auto& s = c.setup;
  visit.record("tempSETUP", 1);
  visit.field("NrOfSims", s.NrOfSims, Read{ZUV_AT(NrOfSims), HandCount{}}, ZUV_AT(SETUP.NrOfSims));
  visit.field("Dealer", s.Dealer, Read{ZUV_AT(Dealer), SeatNumber{}}, ZUV_AT(SETUP.Dealer));
  visit.field("SimulateFlop", s.SimulateFlop, Read{ZUV_AT(SimulateFlop), Flag{}}, ZUV_AT(SETUP.SimulateFlop));
  visit.field("SimulateTurn", s.SimulateTurn, Read{ZUV_AT(SimulateTurn), Flag{}}, ZUV_AT(SETUP.SimulateTurn));
  visit.field("SetSeed", s.SetSeed, Read{ZUV_AT(SetSeed), Flag{}}, ZUV_AT(SETUP.SetSeed));
  visit.field("Seed", s.Seed, Read{ZUV_AT(Seed), WholeNumber{}}, ZUV_AT(SETUP.Seed));
  visit.field("CardSize", s.CardSize, kNotRead, ZUV_AT(SETUP.CardSize));
  visit.field("NrOfPlayers", s.NrOfPlayers, kNotRead, ZUV_AT(SETUP.NrOfPlayers));
  visit.field("handnames", s.handnames, kNotRead, ZUV_AT(SETUP.handnames));

  visit.record("tempPLAYER", kSeats);
  for (std::size_t i = 0; i < kSeats; ++i) {
    auto& p = c.players[i];
    visit.element(i);
    visit.field("Cards", Column{p.Cards}, Read{ZUV_AT(playerCards[i]), SeatCards{}}, ZUV_AT(PLAYER[i].Cards));
    // The hand class, or nothing before the first evaluated deal.
    visit.field("hand", p.hand, kNotRead, Derived{[&](const auto& r) {
                  const int hand = r.PLAYER[i].hand;
                  return hand == 0 ? std::vector<double>{} : std::vector<double>{double(hand)};
                }});
    visit.field("highcard", p.highcard, kNotRead, ZUV_AT(PLAYER[i].highcard));
    visit.field("patchhandle", p.patchhandle, kNotRead, ZUV_AT(PLAYER[i].patchhandle));
    visit.field("playernrtexthandle", p.playernrtexthandle, kNotRead, ZUV_AT(PLAYER[i].playernrtexthandle));
    visit.field("cardimage", p.cardimage, kNotRead, ZUV_AT(PLAYER[i].cardimage));
    visit.field("handtext", p.handtext, kNotRead, ZUV_AT(PLAYER[i].handtext));
    visit.field("handtextrectangle", p.handtextrectangle, kNotRead, ZUV_AT(PLAYER[i].handtextrectangle));
    visit.field("cmenu", p.cmenu, kNotRead, ZUV_AT(PLAYER[i].cmenu));
    visit.field("cmitem1", p.cmitem1, kNotRead, ZUV_AT(PLAYER[i].cmitem1));
    visit.field("cmitem2", p.cmitem2, kNotRead, ZUV_AT(PLAYER[i].cmitem2));
    visit.field("cmitem3", p.cmitem3, kNotRead, ZUV_AT(PLAYER[i].cmitem3));
  }

  visit.variable("cardsindeck", c.cardsindeck, Read{ZUV_AT(cardsindeck), DeckFlags{}}, ZUV_AT(DECK.cardsindeck));

  auto& m = c.sim;
  visit.record("tempSIM", 1);
  visit.field("showhands", m.showhands, Read{ZUV_AT(showhands), Flag{}}, ZUV_AT(SIM.showhands));
  visit.field("stopsim", m.stopsim, kNotRead, ZUV_AT(SIM.stopsim));
  // The statistics keep their shapes; before the first run they are empty.
  visit.field("WinStat", m.WinStat, kNotRead, Derived{[](const auto& r) {
                return NumericArray::Sized({kSeats, kHandClasses}, r.SIM.WinStat);
              }});
  visit.field("WinStat2", m.WinStat2, kNotRead, Derived{[](const auto& r) {
                const auto players = static_cast<std::size_t>(r.SIM.WinStat2Players);
                return NumericArray::Sized({kSeats, kHandClasses, players}, r.SIM.WinStat2);
              }});
  visit.field("Statistic", m.Statistic, kNotRead, Derived{[](const auto& r) {
                return NumericArray::Sized({kSeats, kStartHandClasses, kHandClasses}, r.SIM.Statistic);
              }});
  visit.field("WinRecord", m.WinRecord, kNotRead, Derived{[](const auto& r) {
                return NumericArray::Sized({1, kSeats}, r.SIM.WinRecord);
              }});

  // A range counts only on an active seat dealt at random; a load refuses it elsewhere.
  visit.extra("playerranges", c.ranges, Read{ZUV_AT(ranges), RangeTexts{}},
              Derived{[](const auto& r) {
                        std::array<std::string, kSeats> ranges{};
                        for (std::size_t p = 0; p < kSeats; ++p) {
                          const bool random = r.TABLE.activeplayers[p] == 1 && r.TABLE.simulateplayers[p] == 1;
                          if (random) ranges[p] = r.PLAYER[p].Range;
                        }
                        return ranges;
                      },
                      [](auto& r, const std::array<std::string, kSeats>& ranges) {
                        for (std::size_t p = 0; p < kSeats; ++p) r.PLAYER[p].Range = ranges[p];
                      }});
  visit.extra("deadcards", c.deadcards, Read{ZUV_AT(deadcards), DeadCards{}}, ZUV_AT(TABLE.deadcards));
  visit.extra("exactodds", c.exact, Read{ZUV_AT(exact), Flag{}}, ZUV_AT(SIM.exact));
}

}  // namespace zuv::setupfile

#undef ZUV_AT
