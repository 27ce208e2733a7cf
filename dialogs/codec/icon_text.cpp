#include "icon_text.h"

#include "utf8.h"

namespace quillet {

std::u16string IndexToText(std::uint16_t drmIndex) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + drmIndex % 10));
    drmIndex = static_cast<std::uint16_t>(drmIndex / 10);
  } while (drmIndex != 0);
  return digits;
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
