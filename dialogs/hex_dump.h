#pragma once
// The layout and the text rules of the unsupported blocks viewer's dump grid, kept free
// of any toolkit so they can be tested alone. The grid has 35 columns: the offset label
// (0), bytes 0-7 (1-8), an empty separator (9), bytes 8-15 (10-17), a second separator
// (18) and the 16 bytes as characters (19-34). Row 0 is the header row.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::hexdump {

inline constexpr int kColumnCount = 35;
inline constexpr int kBytesPerRow = 16;
inline constexpr int kOffsetColumn = 0;
inline constexpr int kHeaderRow = 0;
inline constexpr int kFirstSeparator = 9;
inline constexpr int kSecondSeparator = 18;
inline constexpr int kFirstCharColumn = 19;

// Bytes are shown with HexByte and HexDigit of text_codecs.h.
// "0".."9" give 0..9; any other character its code minus 55, modulo 256 ("A".."F" 10..15).
std::uint8_t HexDigitValue(char16_t c);
// 16 x the first digit's value + the second's, modulo 256; a missing digit counts as 0.
std::uint8_t HexToByte(std::u16string_view text);

// One header row, plus one row per started 16 bytes.
int RowCount(std::size_t length);
// The data row's offset as four hexadecimal digits ("0000", "0010", ...); empty for row 0.
std::string OffsetLabel(int row);
// The header text of a column: "00".."07", "08".."0F", "0".."F"; empty elsewhere.
std::string HeaderText(int column);

// Where byte k of an entry is shown.
int ByteRow(std::size_t k);
int HexColumn(std::size_t k);   // 1-8 for the first eight bytes of a row, 10-17 after
int CharColumn(std::size_t k);  // 19-34

bool IsHexColumn(int column);
bool IsCharColumn(int column);
// The hexadecimal cell's character cell and the reverse; -1 for columns without one.
int PartnerColumn(int column);
// Only byte cells can be selected: not the header row, the offset column or a separator.
bool IsSelectableCell(int column, int row);

// A byte's character cell: the byte as one Latin-1 character, as the editor shows every
// 8-bit text; "." for the control codes, which have no glyph (below 0x20, 0x7F to 0x9F).
std::u16string CharCellText(std::uint8_t value);

// Typing into a hexadecimal cell, once the editor holds two or more characters. Every
// hexadecimal digit is taken in upper case; any other character is replaced by the one
// at the same position of the text the cell held when its editor opened, or by "0"
// where that text is shorter. A third character pushes the first out, so the cell always
// shows the two digits of its byte.
struct HexEdit {
  std::u16string text;  // two hexadecimal digits
  std::uint8_t value = 0;
};
HexEdit ApplyHexCellText(std::u16string_view typed, std::u16string_view editStartHex);

// Typing into a character cell: the last character typed is the byte. A character
// outside Latin-1, or a control code, is refused (nullopt) and the cell keeps its text.
std::optional<std::uint8_t> CharCellByte(std::u16string_view typed);

}  // namespace quillet::hexdump
