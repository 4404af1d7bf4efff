#pragma once
// The check of a text's characters in a MAT-file. A text may be stored as
// 8-bit characters, as 16-bit characters, or as UTF-8, UTF-16 or UTF-32.
// Its dimensions count characters, which for UTF-8 and UTF-16 is not the
// number of bytes: writers count either the UTF-16 code units (as the
// format's own writer does) or the characters themselves.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zuv::setupfile {

// The problem of a text whose element has `type` and `data` and whose
// dimensions hold `count` characters, or nullopt when it is sound.
std::optional<std::string> TextProblem(std::uint32_t type, std::string_view data, std::uint64_t count,
                                       bool bigEndian);

}  // namespace zuv::setupfile
