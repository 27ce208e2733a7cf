#include "text_codecs.h"

#include <algorithm>
#include "utf8.h"

namespace quillet {

std::uint16_t WideTextLength(std::span<const std::uint8_t> bytes) {
  std::size_t units = 0;
  while (2 * units + 1 < bytes.size() && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)) {
    ++units;
  }
  // Inputs are item texts (at most 126 units) or file payloads (below 65,536 bytes).
  return static_cast<std::uint16_t>(std::min<std::size_t>(units, 0xFFFF));
}

std::size_t WideTextLength(std::u16string_view text) {
  const std::size_t zero = text.find(u'\0');
  return zero == std::u16string_view::npos ? text.size() : zero;
}

void EncodeWideText(std::u16string_view text, std::vector<std::uint8_t>& destination) {
  for (const char16_t unit : text.substr(0, WideTextLength(text))) {
    destination.push_back(static_cast<std::uint8_t>(unit >> 8));
    destination.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  }
  destination.push_back(0);
  destination.push_back(0);
}

std::u16string DecodeWideText(std::span<const std::uint8_t> bytes) {
  const std::size_t units = WideTextLength(bytes);
  std::u16string text;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    text.push_back(static_cast<char16_t>(bytes[2 * i] * 256 + bytes[2 * i + 1]));
  }
  return text;
}

std::u16string IndexToText(std::uint16_t drmIndex) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + drmIndex % 10));
    drmIndex = static_cast<std::uint16_t>(drmIndex / 10);
  } while (drmIndex != 0);
  return digits;
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
  for (const char c : text.substr(0, ByteTextLength(text))) {
    destination.push_back(static_cast<std::uint8_t>(c));
  }
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

Result<IconTextClass> ClassifyIconText(std::u16string_view text, std::uint16_t& drmIndex) {
  if (text.size() >= 3 && text[0] == u'/' && text[2] == u'/') return IconTextClass::FilePath;
  if (text.empty()) {
    drmIndex = 0;
    return IconTextClass::Neither;
  }
  // The conversion accepts values up to 2147483647; leading zeros do not count.
  constexpr std::uint64_t kLargestValue = 2147483647;
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (const char16_t unit : text) {
    if (unit < u'0' || unit > u'9') {
      drmIndex = 0;
      return IconTextClass::Neither;
    }
    value = value * 10 + static_cast<std::uint64_t>(unit - u'0');
    if (value > kLargestValue) {
      tooLarge = true;
      value = kLargestValue + 1;  // stays put, so long digit strings cannot overflow
    }
  }
  if (tooLarge) {
    std::string message = "'";
    message.append(Utf16ToUtf8(text)).append("' is not a valid integer value");
    return Error{ErrorCode::InvalidValue, std::move(message), {}, {}, {}};
  }
  drmIndex = static_cast<std::uint16_t>(value & 0xFFFF);
  return IconTextClass::DrmIndex;
}

}  // namespace quillet
