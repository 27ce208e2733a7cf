#pragma once
// Bytes shown as hexadecimal in mmatool's output (texts go through utf8.h).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "utf8.h"

namespace quillet::mmatool {

// A byte as two upper-case hexadecimal digits ("0A"): the form of language IDs.
std::string HexByte(std::uint8_t value);

// Bytes as lower-case hexadecimal pairs separated by `separator` ("0a 0b").
std::string HexBytes(const std::vector<std::uint8_t>& bytes, std::string_view separator);

}  // namespace quillet::mmatool
