#pragma once
// The consistency check of a setup before it is taken into the program.

#include <string>
#include <variant>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

// The checked setup, or its first problem as one line of text. First each
// value by the check the table of setup fields gives it (setup_checks.h), in
// the file's order; then the values together. Checks flags
// 0 or 1, cards whole from 1 to 52 and none fixed twice, the deck exactly the
// cards not fixed, a board of 0, 3 or 4 cards matching the flop and turn
// flags, inactive seats without cards, each active seat's random flag
// matching its cards, NrOfSims a whole number from 1 to 1000000000, a whole
// Seed and Dealer a seat number; at most 10 dead cards fixed nowhere else
// (out of the deck like fixed cards), ranges that parse and only on active
// seats dealt at random and without control characters, and an exact flag of
// 0 or 1.
//
// An active seat dealt at random may still hold the two cards it was dealt in
// the last hand of a run (a run leaves them there). Any two card numbers are
// accepted there, whatever the table fixed since, and the checked setup holds
// no cards for that seat.
std::variant<LoadedSetup, std::string> CheckSetup(const FileFields& fields);

}  // namespace zuv::setupfile
