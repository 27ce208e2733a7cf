#pragma once
// The words of file errors, shared by every platform's file_io implementation.
#include <cstdint>
#include <optional>
#include <string>

#include "result.h"

namespace quillet::fileio {

// "Cannot read "<path>": <reason>." (FileNotReadable)
Error ReadError(const std::string& path, const std::string& reason);
// "Cannot write "<path>": <reason>." (FileNotWritable)
Error WriteError(const std::string& path, const std::string& reason);
// Why a file is refused for its size; without a known size, that it holds more.
std::string TooLargeReason(std::optional<std::uint64_t> size, std::uint64_t limit);
inline const char kNoMemoryReason[] = "there is not enough memory to read it";

}  // namespace quillet::fileio
