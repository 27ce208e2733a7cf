#include "text_codecs.h"

#include <algorithm>
#include <cstring>

namespace quillet {

namespace {

// Texts are searched for their zero unit several times per load and save; looking at four
// 16-bit units at a time keeps that search from dominating both. True when one of the four
// units in `units` is zero (the usual test for a zero lane; it never misses one).
bool HasZeroUnit(std::uint64_t units) {
  return ((units - 0x0001000100010001ULL) & ~units & 0x8000800080008000ULL) != 0;
}

}  // namespace

std::uint16_t WideTextLength(std::span<const std::uint8_t> bytes) {
  const std::size_t pairs = bytes.size() / 2;
  std::size_t units = 0;
  for (std::uint64_t four = 0; units + 4 <= pairs; units += 4) {
    std::memcpy(&four, bytes.data() + 2 * units, sizeof four);
    if (HasZeroUnit(four)) break;
  }
  while (units < pairs && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)) ++units;
  // Inputs are item texts (at most 126 units) or file payloads (below 65,536 bytes).
  return static_cast<std::uint16_t>(std::min<std::size_t>(units, 0xFFFF));
}

std::size_t WideTextLength(std::u16string_view text) {
  std::size_t units = 0;
  for (std::uint64_t four = 0; units + 4 <= text.size(); units += 4) {
    std::memcpy(&four, text.data() + units, sizeof four);
    if (HasZeroUnit(four)) break;
  }
  while (units < text.size() && text[units] != u'\0') ++units;
  return units;
}

void EncodeWideText(std::u16string_view text, std::vector<std::uint8_t>& destination) {
  const std::u16string_view kept = text.substr(0, WideTextLength(text));
  const std::size_t at = destination.size();
  destination.resize(at + 2 * kept.size() + 2);  // the text's units and the zero unit
  std::uint8_t* out = destination.data() + at;
  for (const char16_t unit : kept) {
    *out++ = static_cast<std::uint8_t>(unit >> 8);
    *out++ = static_cast<std::uint8_t>(unit & 0xFF);
  }
}

std::u16string DecodeWideText(std::span<const std::uint8_t> bytes) {
  const std::size_t units = WideTextLength(bytes);
  std::u16string text(units, u'\0');
  for (std::size_t i = 0; i < units; ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] * 256 + bytes[2 * i + 1]);
  }
  return text;
}

std::size_t ByteTextLength(std::span<const std::uint8_t> bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return static_cast<std::size_t>(zero - bytes.begin());
}

std::size_t ByteTextLength(std::string_view text) {
  const std::size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text.size() : zero;
}

void EncodeByteText(std::string_view text, std::vector<std::uint8_t>& destination) {
  const std::string_view kept = text.substr(0, ByteTextLength(text));
  destination.insert(destination.end(), kept.begin(), kept.end());
  destination.push_back(0);
}

std::string DecodeByteText(std::span<const std::uint8_t> bytes) {
  const std::size_t length = ByteTextLength(bytes);
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

void CopyByteText(std::string_view source, std::string& destination) {
  destination.assign(source.substr(0, ByteTextLength(source)));
}

void CopyNameEntry(const TMMANameEntry& source, TMMANameEntry& destination) {
  destination.language = source.language;
  destination.text.assign(std::u16string_view(source.text).substr(0, WideTextLength(source.text)));
}

char HexDigit(std::uint8_t value) { return "0123456789ABCDEF"[value & 0x0F]; }

std::string HexByte(std::uint8_t value) {
  return {HexDigit(static_cast<std::uint8_t>(value >> 4)), HexDigit(value)};
}

std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator) {
  static constexpr char kLowerDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * (2 + separator.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out += separator;
    out += kLowerDigits[bytes[i] >> 4];
    out += kLowerDigits[bytes[i] & 0x0F];
  }
  return out;
}

}  // namespace quillet
