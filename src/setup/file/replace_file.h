#pragma once
// Replacing a file on disk with new bytes so that, whatever fails on the
// way (a full disk, a read-only file, a crash), the old file stays whole.

#include <optional>
#include <string>

#include "setup/file/setup_writer.h"

namespace zuv::setupfile {

// Puts `bytes` into `path`: into a temporary file in the same folder (unnamed
// until it is complete where the file system allows, so that a killed save
// leaves nothing behind), every write checked, synced and read back, then
// renamed over `path`. A symbolic link at `path` stays and the file it leads
// to is replaced, keeping its owner, group and permissions where the system
// allows; only a regular file is replaced. On failure nothing changes and the
// reason is returned.
std::optional<std::string> ReplaceFile(const std::string& path, const std::string& bytes, WriteCall write);

// What the open file `fd` holds, from its start; nullopt with errno set on failure.
std::optional<std::string> ReadWhole(int fd);

}  // namespace zuv::setupfile
