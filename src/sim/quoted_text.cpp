#include "sim/quoted_text.h"

namespace zuv::sim {

std::string QuotedText(std::string_view text, std::size_t length) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "'";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // A UTF-8 continuation byte belongs to the character before it.
    if ((c & 0xC0) != 0x80) {
      if (shown == length) {
        quoted += "…";
        break;
      }
      ++shown;
    }
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      quoted += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "'";
}

}  // namespace zuv::sim
