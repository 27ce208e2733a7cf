#include "utf8.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(Utf16ToUtf8, EncodesOneTwoAndThreeByteForms) {
  EXPECT_EQ(Utf16ToUtf8(u"A\u00E4\u20AC"), "A\xC3\xA4\xE2\x82\xAC");
  EXPECT_EQ(Utf16ToUtf8(u""), "");
}

TEST(Utf16ToUtf8, JoinsSurrogatePairsIntoOneCodePoint) {
  // U+1F600 and U+10FFFF, the highest code point.
  EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(u"\xDBFF\xDFFF"), "\xF4\x8F\xBF\xBF");
}

TEST(Utf16ToUtf8, ReplacesUnpairedSurrogatesAndKeepsWhatFollows) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(Utf16ToUtf8(u"\xD800"), replacement);         // high at the end
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00x"), replacement + "x");  // low alone
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), replacement + "x");  // high, no low
  EXPECT_EQ(Utf16ToUtf8(u"\xD800\xD83D\xDE00"), replacement + "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), replacement + replacement);  // reversed pair
}

TEST(Latin1ToUtf8, KeepsAsciiAndWidensHighBytes) {
  EXPECT_EQ(Latin1ToUtf8("abc~"), "abc~");
  EXPECT_EQ(Latin1ToUtf8("\xE9\xFF"), "\xC3\xA9\xC3\xBF");
}

TEST(DecodeUtf8, GivesCodePointsBackAndRefusesMalformedText) {
  EXPECT_EQ(DecodeUtf8("A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"), std::u32string(U"A\u00E4\u20AC\U0001F600"));
  EXPECT_EQ(CodePointsToUtf16(U"A\U0001F600"), std::u16string(u"A\xD83D\xDE00"));
  for (const char* bad : {"\x80", "\xC3", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xFF", "a\xE2\x82"}) {
    EXPECT_FALSE(DecodeUtf8(bad)) << bad;
  }
  EXPECT_TRUE(HasLoneSurrogate(u"a\xD800"));
  EXPECT_TRUE(HasLoneSurrogate(u"\xDC00\xD800"));
  EXPECT_FALSE(HasLoneSurrogate(u"\xD83D\xDE00"));
}

}  // namespace
}  // namespace quillet
