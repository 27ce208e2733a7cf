#pragma once
// Turning the file's texts into UTF-8 for people: UTF-16 names and paths, and 8-bit
// identifiers and URLs. One implementation for messages, mmatool and tests.
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Appends one code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 code units (host order) to UTF-8. Surrogate pairs become one code point;
// a surrogate without its partner becomes U+FFFD so the output is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view units);

// 8-bit byte text to UTF-8, each byte read as the code point of the same value
// (ISO 8859-1), so that no byte is lost or turned into invalid UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// The way back, for texts people write (the JSON form of a menu).
// UTF-8 to code points; nothing for malformed UTF-8 (overlong forms, surrogates, cut
// sequences, values above U+10FFFF).
std::optional<std::u32string> DecodeUtf8(std::string_view text);
// Code points to UTF-16 units (pairs above U+FFFF).
std::u16string CodePointsToUtf16(std::u32string_view codePoints);
// Whether the units hold a surrogate without its partner: such a text has no UTF-8 form
// that gives the same units back.
bool HasLoneSurrogate(std::u16string_view units);

}  // namespace quillet
