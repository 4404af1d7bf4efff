#pragma once
// Writing setup files: a MAT-file (version 5) with the five variables
// "tempTABLE", "tempSETUP", "tempPLAYER", "cardsindeck" and "tempSIM".

#include <sys/types.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

// The call that puts bytes into a file: ::write, or a stand-in that fails.
using WriteCall = ssize_t (*)(int fd, const void* data, size_t size);

// Writes `content` to `path`, replacing an existing file only once the whole
// new file is on disk and reads back as written: the data goes to a
// temporary file in the same folder, which is renamed over `path` at the end.
// A symbolic link stays and the file it leads to is replaced; a replaced file
// keeps its permissions; a read-only file is left alone. On failure the old
// file is untouched, no temporary file is left behind, and the reason is
// returned ("No space left on device", "the file is read-only", ...).
std::optional<std::string> WriteSetupFile(const std::string& path, const SetupContent& content,
                                          WriteCall write = ::write);

}  // namespace zuv::setupfile
