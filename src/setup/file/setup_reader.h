#pragma once
// Reading setup files. Only MAT-files of version 5 are opened (what the
// program writes, and what other writers produce by default); everything is
// read and checked before a caller changes anything.

#include <string>
#include <variant>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

// The fields a load takes back, with the types and shapes they must have,
// or the first problem found as one line of text: not a MAT-file, a missing
// variable or field, a text where a number belongs, a wrong size.
std::variant<FileFields, std::string> ReadFileFields(const std::string& path);

// ReadFileFields, then CheckSetup.
std::variant<LoadedSetup, std::string> ReadSetupFile(const std::string& path);

}  // namespace zuv::setupfile
