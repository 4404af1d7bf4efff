// Texts of other writers: every encoding of the format, checked against the
// text's dimensions; broken characters are refused.
#include "setup/file/mat_text.h"

#include <gtest/gtest.h>

#include "setup/file/mat_format.h"

namespace zuv::setupfile {
namespace {

using namespace mat;
using namespace std::string_view_literals;

bool Sound(std::uint32_t type, std::string_view data, std::uint64_t count, bool big = false) {
  return !TextProblem(type, data, count, big).has_value();
}

TEST(MatText, EightBitTextsCountTheirBytes) {
  EXPECT_TRUE(Sound(miUINT8, "caf\xe9", 4));
  EXPECT_TRUE(Sound(miINT8, "caf\xe9", 4));
  EXPECT_FALSE(Sound(miUINT8, "caf\xe9", 5));
}

TEST(MatText, Utf8CountsCharactersOrUtf16Units) {
  EXPECT_TRUE(Sound(miUTF8, "caf\xc3\xa9", 4));
  EXPECT_FALSE(Sound(miUTF8, "caf\xc3\xa9", 5));  // the bytes are not the count
  const std::string_view card = "\xf0\x9f\x82\xa1";  // one character outside the 16-bit range
  EXPECT_TRUE(Sound(miUTF8, card, 1));
  EXPECT_TRUE(Sound(miUTF8, card, 2));
  EXPECT_FALSE(Sound(miUTF8, card, 4));
  EXPECT_TRUE(Sound(miUTF8, "", 0));
}

TEST(MatText, BrokenUtf8IsRefused) {
  for (std::string_view broken : {"\xc3"sv, "\xc3\x28"sv, "\xc0\xaf"sv, "\xe0\x80\xaf"sv, "\xed\xa0\x80"sv,
                                  "\xf4\x90\x80\x80"sv, "\xff"sv, "\x80"sv, "\xf0\x9f\x82"sv}) {
    EXPECT_EQ(TextProblem(miUTF8, broken, 1, false), "a text is not valid UTF-8") << broken.size();
  }
}

TEST(MatText, Utf16InEitherByteOrderWithSurrogatePairs) {
  EXPECT_TRUE(Sound(miUTF16, "\xe9\x00"sv, 1));
  EXPECT_TRUE(Sound(miUTF16, "\x00\xe9"sv, 1, true));
  const std::string_view pair = "\x3c\xd8\xa1\xdc"sv;  // U+1F0A1, little-endian
  EXPECT_TRUE(Sound(miUTF16, pair, 2));
  EXPECT_TRUE(Sound(miUTF16, pair, 1));
  EXPECT_FALSE(Sound(miUTF16, pair, 3));
  EXPECT_TRUE(Sound(miUTF16, "\xd8\x3c\xdc\xa1"sv, 2, true));
}

TEST(MatText, BrokenUtf16IsRefused) {
  EXPECT_EQ(TextProblem(miUTF16, "\x3c\xd8"sv, 1, false), "a text is not valid UTF-16");  // high half alone
  EXPECT_EQ(TextProblem(miUTF16, "\xa1\xdc\x3c\xd8"sv, 2, false), "a text is not valid UTF-16");  // halves swapped
  EXPECT_EQ(TextProblem(miUTF16, "\x41\x00\x42"sv, 2, false), "a text is not valid UTF-16");  // odd bytes
  // Plain 16-bit characters are taken as they are.
  EXPECT_TRUE(Sound(miUINT16, "\x3c\xd8"sv, 1));
  EXPECT_FALSE(Sound(miUINT16, "\x3c\xd8\x00"sv, 1));
}

TEST(MatText, Utf32AndOtherTypes) {
  EXPECT_TRUE(Sound(miUTF32, "\xe9\x00\x00\x00"sv, 1));
  EXPECT_FALSE(Sound(miUTF32, "\xe9\x00\x00"sv, 1));
  EXPECT_EQ(TextProblem(miDOUBLE, "\0\0\0\0\0\0\xf0\x3f"sv, 1, false), "a text stored as numbers of another kind");
}

}  // namespace
}  // namespace zuv::setupfile
