#pragma once
// The icon text the user types in the item settings dialog: a file path or a DRM index
// given in decimal, and the decimal text a DRM index is shown as.
#include <cstdint>
#include <string>
#include <string_view>

#include "result.h"

namespace quillet {

// Decimal digits of a DRM index, no sign, no leading zeros ("0" for zero).
std::u16string IndexToText(std::uint16_t drmIndex);

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
