#include "display_text.h"

#include <cstdint>

#include "utf8.h"

namespace quillet {
namespace {

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

void AppendHexEscape(std::string& out, std::uint32_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
}

void AppendPrintable(std::string& out, char32_t c) {
  if (!IsControl(c)) {
    AppendUtf8(out, c);
  } else if (c == '\n') {
    out += "\\n";
  } else if (c == '\r') {
    out += "\\r";
  } else if (c == '\t') {
    out += "\\t";
  } else {
    AppendHexEscape(out, c);
  }
}

// The length of the valid UTF-8 sequence at `at` and its code point, or 0 when the
// byte there starts none (overlong forms, surrogates and values beyond U+10FFFF
// included).
std::size_t DecodeUtf8(std::string_view bytes, std::size_t at, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string PrintableUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t codePoint = 0;
    const std::size_t length = DecodeUtf8(bytes, at, codePoint);
    if (length == 0) {
      AppendHexEscape(out, static_cast<unsigned char>(bytes[at]));
      ++at;
    } else {
      AppendPrintable(out, codePoint);
      at += length;
    }
  }
  return out;
}

std::string PrintableLatin1(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendPrintable(out, static_cast<unsigned char>(c));
  return out;
}

namespace {

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict overlap for a literal
// put in front of a string ("\"" + text), so no text here is prepended to.
std::string Quoted(const std::string& text) { return std::string("\"").append(text).append("\""); }

}  // namespace

std::string QuotedPath(std::string_view path) { return Quoted(PrintableUtf8(path)); }

std::string QuotedCaption(std::string_view caption) { return Quoted(PrintableLatin1(caption)); }

}  // namespace quillet
