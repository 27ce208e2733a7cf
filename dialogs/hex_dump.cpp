#include "hex_dump.h"

#include "text_codecs.h"

namespace quillet::hexdump {
namespace {

// Control codes have no glyph: below 0x20, DEL and the C1 codes 0x80 to 0x9F.
bool Printable(char16_t c) { return c >= 0x20 && !(c >= 0x7F && c < 0xA0); }

}  // namespace

std::uint8_t HexDigitValue(char16_t c) {
  const int code = static_cast<int>(c);
  if (code >= 48 && code - 48 < 10) return static_cast<std::uint8_t>(code - 48);
  return static_cast<std::uint8_t>((code - 55) & 0xFF);
}

std::uint8_t HexToByte(std::u16string_view text) {
  const int high = text.size() > 0 ? HexDigitValue(text[0]) : 0;
  const int low = text.size() > 1 ? HexDigitValue(text[1]) : 0;
  return static_cast<std::uint8_t>((16 * high + low) & 0xFF);
}

int RowCount(std::size_t length) {
  return static_cast<int>(1 + length / kBytesPerRow + (length % kBytesPerRow != 0 ? 1 : 0));
}

std::string OffsetLabel(int row) {
  if (row < 1) return {};
  const int offset = kBytesPerRow * (row - 1);
  return HexByte(static_cast<std::uint8_t>((offset >> 8) & 0xFF)) +
         HexByte(static_cast<std::uint8_t>(offset & 0xFF));
}

std::string HeaderText(int column) {
  if (column >= 1 && column <= 8) return HexByte(static_cast<std::uint8_t>(column - 1));
  if (column >= 10 && column <= 17) return HexByte(static_cast<std::uint8_t>(column - 2));
  if (column >= kFirstCharColumn && column < kColumnCount)
    return {HexDigit(static_cast<std::uint8_t>(column - kFirstCharColumn))};
  return {};
}

int ByteRow(std::size_t k) { return static_cast<int>(k / kBytesPerRow) + 1; }

int HexColumn(std::size_t k) {
  const int c = static_cast<int>(k % kBytesPerRow) + 1;
  return c <= 8 ? c : c + 1;
}

int CharColumn(std::size_t k) { return static_cast<int>(k % kBytesPerRow) + 1 + kSecondSeparator; }

bool IsHexColumn(int column) { return (column >= 1 && column <= 8) || (column >= 10 && column <= 17); }

bool IsCharColumn(int column) { return column >= kFirstCharColumn && column < kColumnCount; }

int PartnerColumn(int column) {
  if (column >= 1 && column <= 8) return column + 18;
  if (column >= 10 && column <= 17) return column + 17;
  if (column >= 19 && column <= 26) return column - 18;
  if (column >= 27 && column <= 34) return column - 17;
  return -1;
}

bool IsSelectableCell(int column, int row) {
  return row != kHeaderRow && (IsHexColumn(column) || IsCharColumn(column));
}

std::u16string CharCellText(std::uint8_t value) {
  return Printable(value) ? std::u16string(1, static_cast<char16_t>(value)) : std::u16string(u".");
}

HexEdit ApplyHexCellText(std::u16string_view typed, std::u16string_view editStartHex) {
  std::u16string f;
  f.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const char16_t c = typed[i];
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) {
      f += c;
    } else if (c >= u'a' && c <= u'f') {
      f += static_cast<char16_t>(c - u'a' + u'A');
    } else {
      f += i < editStartHex.size() ? editStartHex[i] : u'0';
    }
  }
  if (f.size() > 2) f = f.substr(1, 2);
  return {f, HexToByte(f)};
}

std::optional<std::uint8_t> CharCellByte(std::u16string_view typed) {
  if (typed.empty() || typed.back() > 0xFF || !Printable(typed.back())) return std::nullopt;
  return static_cast<std::uint8_t>(typed.back());
}

}  // namespace quillet::hexdump
