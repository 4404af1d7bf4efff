#pragma once
// Every variable and field of a setup file, named once, in the file's order.
// The list drives the save (every entry, from SetupContent) and the load
// (the entries with a place in FileFields: read, shape-checked, and then
// checked together by CheckSetup). An entry without such a place is saved
// for completeness and never read back, so odd values there never stop a
// load. A new value the program takes back is one line here, with both its
// saved and its loaded place.

#include <cstddef>
#include <string>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

// A list saved as a column (n x 1) rather than a row; empty lists are 0 x 0 either way.
template <class List>
struct Column {
  List& values;
};
template <class List>
Column(List&) -> Column<List>;

// Calls, in the file's order: visit.record(name, elements) for a structure
// variable, visit.element(i) before the fields of its element i,
// visit.field(name, saved, loaded) for each field, visit.variable(name,
// saved, loaded) for a variable that is not a structure, and
// visit.extra(name, saved, loaded) for a variable that older files do not
// have. `loaded` is null for what a load does not read. Saved values are
// doubles, fixed-size rows of doubles (std::array), lists (std::vector,
// saved as a row unless wrapped in Column), rows of texts or NumericArray.
template <class Visit, class Content, class Fields>
void VisitSetupFile(Visit& visit, Content& c, Fields& f) {
  auto& t = c.table;
  visit.record("tempTABLE", 1);
  visit.field("activeplayers", t.activeplayers, &f.activeplayers);
  visit.field("simulateplayers", t.simulateplayers, &f.simulateplayers);
  visit.field("boardcards", Column{t.boardcards}, &f.boardcards);
  visit.field("tempplayercards", Column{t.tempplayercards}, nullptr);
  visit.field("tablecolor", t.tablecolor, nullptr);
  visit.field("activeplayercolor", t.activeplayercolor, nullptr);
  visit.field("lightyellow", t.lightyellow, nullptr);
  visit.field("backgroundcolor", t.backgroundcolor, nullptr);
  visit.field("deactiveplayercolor", t.deactiveplayercolor, nullptr);
  visit.field("playerangle", t.playerangle, nullptr);
  visit.field("skew", t.skew, nullptr);
  visit.field("axes", t.axes, nullptr);
  visit.field("tableradie", t.tableradie, nullptr);
  visit.field("headradie", t.headradie, nullptr);
  visit.field("patchhandle", t.patchhandle, nullptr);
  visit.field("cmenu", t.cmenu, nullptr);
  visit.field("cmitem1", t.cmitem1, nullptr);
  visit.field("cmitem2", t.cmitem2, nullptr);
  visit.field("cmitem3", t.cmitem3, nullptr);
  visit.field("cmitem4", t.cmitem4, nullptr);
  visit.field("boardcardsimage", t.boardcardsimage, nullptr);
  visit.field("dealerbutton", t.dealerbutton, nullptr);
  visit.field("winner", t.winner, nullptr);

  auto& s = c.setup;
  visit.record("tempSETUP", 1);
  visit.field("NrOfSims", s.NrOfSims, &f.NrOfSims);
  visit.field("Dealer", s.Dealer, &f.Dealer);
  visit.field("SimulateFlop", s.SimulateFlop, &f.SimulateFlop);
  visit.field("SimulateTurn", s.SimulateTurn, &f.SimulateTurn);
  visit.field("SetSeed", s.SetSeed, &f.SetSeed);
  visit.field("Seed", s.Seed, &f.Seed);
  visit.field("CardSize", s.CardSize, nullptr);
  visit.field("NrOfPlayers", s.NrOfPlayers, nullptr);
  visit.field("handnames", s.handnames, nullptr);

  visit.record("tempPLAYER", kSeats);
  for (std::size_t i = 0; i < kSeats; ++i) {
    auto& p = c.players[i];
    visit.element(i);
    visit.field("Cards", Column{p.Cards}, &f.playerCards[i]);
    visit.field("hand", p.hand, nullptr);
    visit.field("highcard", p.highcard, nullptr);
    visit.field("patchhandle", p.patchhandle, nullptr);
    visit.field("playernrtexthandle", p.playernrtexthandle, nullptr);
    visit.field("cardimage", p.cardimage, nullptr);
    visit.field("handtext", p.handtext, nullptr);
    visit.field("handtextrectangle", p.handtextrectangle, nullptr);
    visit.field("cmenu", p.cmenu, nullptr);
    visit.field("cmitem1", p.cmitem1, nullptr);
    visit.field("cmitem2", p.cmitem2, nullptr);
    visit.field("cmitem3", p.cmitem3, nullptr);
  }

  visit.variable("cardsindeck", c.cardsindeck, &f.cardsindeck);

  auto& m = c.sim;
  visit.record("tempSIM", 1);
  visit.field("showhands", m.showhands, &f.showhands);
  visit.field("stopsim", m.stopsim, nullptr);
  visit.field("WinStat", m.WinStat, nullptr);
  visit.field("WinStat2", m.WinStat2, nullptr);
  visit.field("Statistic", m.Statistic, nullptr);
  visit.field("WinRecord", m.WinRecord, nullptr);

  visit.extra("playerranges", c.ranges, &f.ranges);
  visit.extra("deadcards", c.deadcards, &f.deadcards);
  visit.extra("exactodds", c.exact, &f.exact);
}

}  // namespace zuv::setupfile
