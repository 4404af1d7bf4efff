#pragma once
// A strict walk over the bytes of a MAT-file (version 5) before libmatio is
// let near them. libmatio trusts the sizes written in a file; a damaged or
// hostile file can make it read out of bounds, so every element is checked
// here first: sizes inside their parents, data lengths matching dimensions,
// compressed parts inflating completely and within a size limit, only the
// kinds of values a setup file can hold.

#include <optional>
#include <string>

namespace zuv::setupfile {

// The first problem of the file's bytes as one line, or nullopt when libmatio
// may read them.
std::optional<std::string> CheckMatBytes(const std::string& bytes);

}  // namespace zuv::setupfile
