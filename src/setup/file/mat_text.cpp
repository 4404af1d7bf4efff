#include "setup/file/mat_text.h"

#include "setup/file/mat_format.h"

namespace zuv::setupfile {

namespace {

using namespace mat;

// How many characters a text holds, counted both ways.
struct Length {
  std::uint64_t characters = 0;
  std::uint64_t utf16Units = 0;
};

std::optional<Length> Utf8Length(std::string_view data) {
  Length length;
  for (std::size_t i = 0; i < data.size();) {
    const auto lead = static_cast<unsigned char>(data[i]);
    std::size_t extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      code = lead;
    } else if (lead >= 0xc2 && lead <= 0xdf) {
      extra = 1, code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
      extra = 2, code = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
      extra = 3, code = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (extra > data.size() - i - 1) return std::nullopt;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(data[i + k]);
      if ((next & 0xc0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3f);
    }
    // Overlong forms, surrogates and numbers past the last character are not UTF-8.
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff) return std::nullopt;
    ++length.characters;
    length.utf16Units += code >= 0x10000 ? 2 : 1;
    i += extra + 1;
  }
  return length;
}

std::optional<Length> Utf16Length(std::string_view data, bool bigEndian) {
  if (data.size() % 2 != 0) return std::nullopt;
  Length length;
  length.utf16Units = data.size() / 2;
  auto unit = [&](std::size_t k) {
    const auto a = static_cast<unsigned char>(data[2 * k]), b = static_cast<unsigned char>(data[2 * k + 1]);
    return bigEndian ? char16_t((a << 8) | b) : char16_t((b << 8) | a);
  };
  for (std::size_t k = 0; k < length.utf16Units; ++k) {
    const char16_t u = unit(k);
    if (u >= 0xd800 && u <= 0xdbff) {
      if (k + 1 == length.utf16Units) return std::nullopt;
      const char16_t low = unit(++k);
      if (low < 0xdc00 || low > 0xdfff) return std::nullopt;
    } else if (u >= 0xdc00 && u <= 0xdfff) {
      return std::nullopt;
    }
    ++length.characters;
  }
  return length;
}

}  // namespace

std::optional<std::string> TextProblem(std::uint32_t type, std::string_view data, std::uint64_t count,
                                       bool bigEndian) {
  std::optional<Length> length;
  switch (type) {
    case miINT8:
    case miUINT8:
      length = Length{data.size(), data.size()};
      break;
    case miINT16:
    case miUINT16:
      // Plain 16-bit characters: any unit goes, one character each.
      if (data.size() % 2 != 0) return "a text of 16-bit characters has an odd number of bytes";
      length = Length{data.size() / 2, data.size() / 2};
      break;
    case miUTF8:
      length = Utf8Length(data);
      if (!length) return "a text is not valid UTF-8";
      break;
    case miUTF16:
      length = Utf16Length(data, bigEndian);
      if (!length) return "a text is not valid UTF-16";
      break;
    case miUTF32:
      if (data.size() % 4 != 0) return "a text in UTF-32 has a broken character";
      length = Length{data.size() / 4, data.size() / 4};
      break;
    default:
      return "a text stored as numbers of another kind";
  }
  if (count != length->characters && count != length->utf16Units) {
    return "a text does not match its dimensions";
  }
  return std::nullopt;
}

}  // namespace zuv::setupfile
