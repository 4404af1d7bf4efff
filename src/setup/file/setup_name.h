#pragma once
// The ".zuv" ending of setup file names.

#include <string>

namespace zuv::setupfile {

// True when, ignoring dots at the very end, the text after the last "." is
// exactly "zuv" (case matters): "table.zuv" yes; "table", "table.ZUV",
// "table.txt" and "table." no.
bool HasZuvEnding(const std::string& name);

// The name a save writes to: the name itself when it has the ending, else
// the name with ".zuv" appended ("table." becomes "table..zuv").
std::string WithZuvEnding(const std::string& name);

}  // namespace zuv::setupfile
