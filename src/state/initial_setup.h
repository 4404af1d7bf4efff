#pragma once

#include <QString>
#include <optional>

namespace zuv {

class App;

// Gives every record its initial value, builds the card tables and the
// five-card subsets, reads the card pictures and creates the hidden main
// window. Returns the problem when a picture cannot be read; the records are
// then set but the program cannot start.
std::optional<QString> InitialSetup(App& app);

// The parts of InitialSetup that need no window or pictures (tests use them).
void InitialRecords(App& app);
// Reads the 52 faces and the back from cardimages/ in the first data folder that has each.
std::optional<QString> ReadCardPictures(App& app);

}  // namespace zuv
