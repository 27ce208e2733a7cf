#pragma once
// The one set of text codecs of the whole code base: wide texts (UTF-16 code units,
// big-endian in the file, ended by two zero bytes), byte texts (8-bit characters ended
// by one zero byte) and hexadecimal digits. The loader decodes with them, the writer
// encodes with them, the item codec and the item model measure with them.
//
// In memory the item model keeps texts without terminators (std::u16string units in
// host order, std::string bytes), so each codec that measures a text has a form for
// the file's bytes and one for the in-memory text.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "item_data.h"

namespace quillet {

// ---- Wide texts

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

// ---- Byte texts

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

// ---- Hexadecimal

// "0".."9", "A".."F" for 0..15 (the low nibble of value).
char HexDigit(std::uint8_t value);
// A byte as two upper-case digits, high nibble first ("0A"): language IDs, dump cells.
std::string HexByte(std::uint8_t value);
// Bytes as lower-case pairs separated by `separator` ("0a 0b"): raw data in mmatool.
std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator);

}  // namespace quillet
