// The one set of wide-text, byte-text and hexadecimal codecs that the loader, the
// writer, the item codec and mmatool share.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text_codecs.h"

namespace quillet {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(WideText, EncodesBigEndianWithTwoZeroBytes) {
  Bytes out;
  EncodeWideText(u"A\u00e9\u4e2d", out);
  EXPECT_EQ(out, (Bytes{0x00, 0x41, 0x00, 0xE9, 0x4E, 0x2D, 0x00, 0x00}));
  Bytes empty;
  EncodeWideText(u"", empty);
  EXPECT_EQ(empty, (Bytes{0x00, 0x00}));
}

TEST(WideText, LengthStopsAtTheFirstZeroUnitNotAtAZeroByte) {
  // 0x0100 and 0x0001 each hold a zero byte but are not terminators.
  const Bytes bytes{0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x41};
  EXPECT_EQ(WideTextLength(bytes), 2);
  EXPECT_EQ(DecodeWideText(bytes), (std::u16string{u'\u0100', u'\u0001'}));
  // Without a terminator the whole input counts; an odd last byte is no unit.
  EXPECT_EQ(WideTextLength(Bytes{0x00, 0x41, 0x00}), 1);
  EXPECT_EQ(WideTextLength(std::u16string_view(u"ab\0cd", 5)), 2u);
}

TEST(WideText, RoundTripsThroughEncodeAndDecode) {
  const std::u16string text = u"/a/mobile/picture/\u65e5\u672c.gif";
  Bytes out;
  EncodeWideText(text, out);
  EXPECT_EQ(out.size(), 2 * text.size() + 2);
  EXPECT_EQ(DecodeWideText(out), text);
}

TEST(ByteText, EncodesDecodesAndCopiesUpToTheFirstZero) {
  Bytes out;
  EncodeByteText("abc", out);
  EXPECT_EQ(out, (Bytes{'a', 'b', 'c', 0}));
  EXPECT_EQ(ByteTextLength(out), 3u);
  EXPECT_EQ(DecodeByteText(Bytes{'h', 'i', 0, 'x'}), "hi");
  EXPECT_EQ(DecodeByteText(Bytes{'h', 'i'}), "hi");

  std::string copy = "old text";
  CopyByteText(std::string_view("new\0rest", 8), copy);
  EXPECT_EQ(copy, "new");
  EXPECT_EQ(ByteTextLength(std::string(255, 'x')), 255u);
}

TEST(CopyNameEntry, CopiesLanguageAndTextUpToItsTerminator) {
  TMMANameEntry destination{9, u"previous"};
  CopyNameEntry({25, std::u16string(u"Menu\0junk", 9)}, destination);
  EXPECT_EQ(destination, (TMMANameEntry{25, u"Menu"}));
}

TEST(Hex, DigitsBytesAndSeparatedPairs) {
  EXPECT_EQ(HexDigit(0), '0');
  EXPECT_EQ(HexDigit(9), '9');
  EXPECT_EQ(HexDigit(10), 'A');
  EXPECT_EQ(HexDigit(15), 'F');
  EXPECT_EQ(HexByte(0x00), "00");
  EXPECT_EQ(HexByte(0x0A), "0A");
  EXPECT_EQ(HexByte(0x2F), "2F");
  EXPECT_EQ(HexByte(0xFF), "FF");
  EXPECT_EQ(HexBytes(Bytes{0x01, 0xAB, 0xFF}, " "), "01 ab ff");
  EXPECT_EQ(HexBytes(Bytes{0x01, 0xAB}, ""), "01ab");
  EXPECT_EQ(HexBytes(Bytes{}, " "), "");
}

}  // namespace
}  // namespace quillet
