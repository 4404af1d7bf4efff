#pragma once
// User text inside a one-line message: short enough to read at a glance and
// free of control characters, however long or strange the text is.

#include <string>
#include <string_view>

namespace zuv::sim {

// How many characters of a text a message quotes at most.
inline constexpr std::size_t kQuotedLength = 40;

// `text` in single quotes: control characters written as escapes ("\n",
// "\t", "\x1b"), and cut after kQuotedLength characters with "…".
std::string QuotedText(std::string_view text);

}  // namespace zuv::sim
