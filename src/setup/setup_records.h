#pragma once
// The program's records as a setup file holds them, and back.

#include "setup/file/setup_content.h"

namespace zuv {

class App;

// Copies of every field of TABLE, SETUP, PLAYER, DECK.cardsindeck and SIM.
// Graphics objects become serial numbers (0 for none); they are never read back.
setupfile::SetupContent SetupContentOf(const App& app);

// Takes a checked setup into the records, in the order that makes seat
// switching come out right, then brings the table, the chart and the
// controls into line with it.
void RestoreSetup(App& app, const setupfile::LoadedSetup& setup);

}  // namespace zuv
