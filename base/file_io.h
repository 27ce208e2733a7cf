#pragma once
// Whole-file reading and safe whole-file writing.
#include <cstdint>
#include <string>
#include <vector>

#include "result.h"

namespace quillet {

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// Writes to a temporary file beside `path` and renames it over `path` only after a
// complete write, so a failed write never damages an existing file.
Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace quillet
