// The dump grid's layout and text rules, without any window.
#include "hex_dump.h"
#include "text_codecs.h"

#include <gtest/gtest.h>

namespace quillet::hexdump {
namespace {

TEST(HexDumpCodecs, TypedDigitsGiveTheBytesTheCellsShow) {
  EXPECT_EQ(HexDigitValue(u'7'), 7);
  EXPECT_EQ(HexDigitValue(u'C'), 12);
  EXPECT_EQ(HexToByte(u"4F"), 0x4F);
  EXPECT_EQ(HexToByte(u"A5x"), 0xA5);  // only the first two characters count
  for (int value = 0; value < 256; ++value) {
    const std::string hex = HexByte(static_cast<std::uint8_t>(value));
    EXPECT_EQ(HexToByte(std::u16string(hex.begin(), hex.end())), value) << hex;
  }
}

TEST(HexDumpLayout, RowCountsAndOffsetLabels) {
  EXPECT_EQ(RowCount(0), 1);
  EXPECT_EQ(RowCount(1), 2);
  EXPECT_EQ(RowCount(16), 2);
  EXPECT_EQ(RowCount(17), 3);
  EXPECT_EQ(RowCount(2048), 129);
  EXPECT_EQ(OffsetLabel(0), "");
  EXPECT_EQ(OffsetLabel(1), "0000");
  EXPECT_EQ(OffsetLabel(2), "0010");
  EXPECT_EQ(OffsetLabel(17), "0100");
  EXPECT_EQ(OffsetLabel(128), "07F0");
}

TEST(HexDumpLayout, HeaderTexts) {
  EXPECT_EQ(HeaderText(0), "");
  EXPECT_EQ(HeaderText(1), "00");
  EXPECT_EQ(HeaderText(8), "07");
  EXPECT_EQ(HeaderText(9), "");
  EXPECT_EQ(HeaderText(10), "08");
  EXPECT_EQ(HeaderText(17), "0F");
  EXPECT_EQ(HeaderText(18), "");
  EXPECT_EQ(HeaderText(19), "0");
  EXPECT_EQ(HeaderText(34), "F");
}

TEST(HexDumpLayout, EveryByteHasItsCellsAndPartners) {
  EXPECT_EQ(HexColumn(0), 1);
  EXPECT_EQ(HexColumn(7), 8);
  EXPECT_EQ(HexColumn(8), 10);  // the ninth byte skips the separator
  EXPECT_EQ(HexColumn(15), 17);
  EXPECT_EQ(CharColumn(8), 27);
  EXPECT_EQ(ByteRow(15), 1);
  EXPECT_EQ(ByteRow(16), 2);
  EXPECT_EQ(HexColumn(16), 1);
  for (std::size_t k = 0; k < 16; ++k) {
    EXPECT_EQ(PartnerColumn(HexColumn(k)), CharColumn(k)) << k;
    EXPECT_EQ(PartnerColumn(CharColumn(k)), HexColumn(k)) << k;
  }
  for (int column : {0, 9, 18}) EXPECT_EQ(PartnerColumn(column), -1) << column;
}

TEST(HexDumpLayout, OnlyByteCellsAreSelectable) {
  EXPECT_FALSE(IsSelectableCell(1, 0));
  EXPECT_FALSE(IsSelectableCell(0, 1));
  EXPECT_FALSE(IsSelectableCell(9, 1));
  EXPECT_FALSE(IsSelectableCell(18, 1));
  EXPECT_FALSE(IsSelectableCell(35, 1));
  EXPECT_TRUE(IsSelectableCell(1, 1));
  EXPECT_TRUE(IsSelectableCell(17, 3));
  EXPECT_TRUE(IsSelectableCell(34, 1));
}

TEST(HexDumpText, CharacterCells) {
  EXPECT_EQ(CharCellText(0x41), u"A");
  EXPECT_EQ(CharCellText(0x0A), u".");
  EXPECT_EQ(CharCellText(0x1F), u".");
  EXPECT_EQ(CharCellText(0x20), u" ");
  EXPECT_EQ(CharCellText(0xE9), u"\u00E9");
  EXPECT_EQ(CharCellText(0xA0), u"\u00A0");
  for (int control : {0x7F, 0x80, 0x85, 0x9F})  // no glyph for the control codes
    EXPECT_EQ(CharCellText(static_cast<std::uint8_t>(control)), u".") << control;
}

TEST(HexDumpText, EveryShownCharacterTypesBackToItsByte) {
  for (int value = 0x20; value < 256; ++value) {
    const std::u16string shown = CharCellText(static_cast<std::uint8_t>(value));
    if (shown == u"." && value != '.') continue;
    EXPECT_EQ(CharCellByte(shown), value) << value;
  }
}

TEST(HexDumpText, TypingIntoHexadecimalCells) {
  HexEdit edit = ApplyHexCellText(u"4f", u"00");
  EXPECT_EQ(edit.text, u"4F");
  EXPECT_EQ(edit.value, 0x4F);
  // A non-digit is replaced by the character that stood at its place.
  edit = ApplyHexCellText(u"G1", u"3A");
  EXPECT_EQ(edit.text, u"31");
  EXPECT_EQ(edit.value, 0x31);
  edit = ApplyHexCellText(u"aZ", u"3A");
  EXPECT_EQ(edit.text, u"AA");
  // A third character pushes the first out; the cell keeps two digits.
  edit = ApplyHexCellText(u"3A5", u"3A");
  EXPECT_EQ(edit.text, u"A5");
  EXPECT_EQ(edit.value, 0xA5);
  // Where the opening text has no character, a non-digit becomes "0".
  edit = ApplyHexCellText(u"3Aq", u"3A");
  EXPECT_EQ(edit.text, u"A0");
  edit = ApplyHexCellText(u"q7", u"");
  EXPECT_EQ(edit.text, u"07");
}

TEST(HexDumpText, TypingIntoCharacterCells) {
  EXPECT_EQ(CharCellByte(u"x"), 0x78);
  EXPECT_EQ(CharCellByte(u"Ax"), 0x78);  // the last character typed counts
  EXPECT_EQ(CharCellByte(u"\u00FF"), 0xFF);
  EXPECT_EQ(CharCellByte(u""), std::nullopt);
  EXPECT_EQ(CharCellByte(u"\u20AC"), std::nullopt);
  EXPECT_EQ(CharCellByte(u"\u0416"), std::nullopt);  // no 8-bit byte for Cyrillic
  EXPECT_EQ(CharCellByte(u"\u0081"), std::nullopt);
}

}  // namespace
}  // namespace quillet::hexdump
