#pragma once
// Turning the file's texts into UTF-8 for output: UTF-16 names and paths, 8-bit
// identifiers and URLs, and bytes shown as hexadecimal.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::mmatool {

// UTF-16 code units (host order) to UTF-8. Surrogate pairs become one code point;
// a surrogate without its partner becomes U+FFFD so the output is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view units);

// 8-bit byte text to UTF-8, each byte read as the code point of the same value
// (ISO 8859-1), so that no byte is lost or turned into invalid UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// A byte as two upper-case hexadecimal digits ("0A"): the form of language IDs.
std::string HexByte(std::uint8_t value);

// Bytes as lower-case hexadecimal pairs separated by `separator` ("0a 0b").
std::string HexBytes(const std::vector<std::uint8_t>& bytes, std::string_view separator);

}  // namespace quillet::mmatool
