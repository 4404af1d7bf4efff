#pragma once
// Writing setup files: a MAT-file (version 5) with the five variables
// "tempTABLE", "tempSETUP", "tempPLAYER", "cardsindeck" and "tempSIM".

#include <optional>
#include <string>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

// Writes `content` to `path`, replacing an existing file only once the whole
// new file is on disk: the data goes to a temporary file in the same folder,
// which is renamed over `path` at the end. On failure the old file is
// untouched, no temporary file is left behind, and the reason is returned.
std::optional<std::string> WriteSetupFile(const std::string& path, const SetupContent& content);

}  // namespace zuv::setupfile
