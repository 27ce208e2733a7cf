#pragma once
// Small, pure codecs for the encodings that item data uses: wide texts (UTF-16 code
// units, big-endian in the file, ended by two zero bytes), byte texts (8-bit characters
// ended by one zero byte), DRM indexes shown as decimal text, and the icon text the
// user types (a file path or a DRM index).
//
// In memory the item model keeps texts without terminators (std::u16string units in
// host order, std::string bytes), so each codec that measures or copies a text has an
// overload for that form; the byte forms serve file-level code and tests.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "item_data.h"
#include "result.h"

namespace quillet {

// Units before the first unit whose two bytes are both zero (big-endian byte pairs).
// Without a terminator the whole input counts (an odd last byte is ignored).
std::uint16_t WideTextLength(std::span<const std::uint8_t> bytes);
// Units before the first zero unit of an in-memory text (its whole size without one).
std::size_t WideTextLength(std::u16string_view text);

// Appends each unit of the text (up to its first zero unit) most significant byte
// first, then two zero bytes: 2n + 2 bytes for n units.
void EncodeWideText(std::u16string_view text, std::vector<std::uint8_t>& destination);
// Unit i = byte 2i * 256 + byte 2i+1, for the WideTextLength(bytes) units.
std::u16string DecodeWideText(std::span<const std::uint8_t> bytes);

// Decimal digits of a DRM index, no sign, no leading zeros ("0" for zero).
std::u16string IndexToText(std::uint16_t drmIndex);

// Bytes before the first zero byte; the whole input when it holds none.
std::size_t ByteTextLength(std::span<const std::uint8_t> bytes);
std::size_t ByteTextLength(std::string_view text);

// Appends the characters before the text's first zero byte, then one zero byte.
void EncodeByteText(std::string_view text, std::vector<std::uint8_t>& destination);
// The bytes before the first zero byte.
std::string DecodeByteText(std::span<const std::uint8_t> bytes);
// destination := the characters of source before its first zero byte.
void CopyByteText(std::string_view source, std::string& destination);

// Copies the language and the text up to its first zero unit.
void CopyNameEntry(const TMMANameEntry& source, TMMANameEntry& destination);

// What an icon text names.
enum class IconTextClass : std::uint8_t {
  DrmIndex = 0,  // only decimal digits; drmIndex holds the value's low 16 bits
  FilePath = 1,  // at least three units, the first and the third "/"
  Neither = 2,   // anything else: signs, blanks, hexadecimal prefixes, an empty text
};

// Classifies an icon text. A digit string whose value exceeds 2147483647 does not
// convert: the result is the InvalidValue error "'<text>' is not a valid integer value"
// and drmIndex is left untouched. drmIndex is set to 0 for every other text that is
// not a path, and to the low 16 bits of the value for a digit string (65536 gives 0).
Result<IconTextClass> ClassifyIconText(std::u16string_view text, std::uint16_t& drmIndex);


}  // namespace quillet
