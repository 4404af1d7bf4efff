#pragma once
// User text inside a one-line message: short enough to read at a glance and
// free of control characters, however long or strange the text is.

#include <string>
#include <string_view>

namespace zuv::sim {

// How many characters of a text a message quotes at most.
inline constexpr std::size_t kQuotedLength = 40;
// File names get more room: a folder alone can take forty characters.
inline constexpr std::size_t kQuotedNameLength = 160;

// `text` in single quotes: control characters written as escapes ("\n",
// "\t", "\x1b"), and cut after `length` characters with "…".
std::string QuotedText(std::string_view text, std::size_t length = kQuotedLength);

}  // namespace zuv::sim
