#pragma once
// Whole-file reading and safe whole-file writing, the same on every platform; the
// platform's own calls live in file_io_posix.cpp and file_io_windows.cpp.
#include <cstdint>
#include <string>
#include <vector>

#include "result.h"

namespace quillet {

// No menu file comes near this size (the format caps one near 75 KB); the slack
// allows trailing bytes while refusing a device or a huge file before it is read.
inline constexpr std::uint64_t kMaxMenuFileBytes = 1024 * 1024;

// Reads a regular file of at most `limit` bytes. Anything else (a folder, a FIFO, a
// device, a socket) is refused without blocking on it, a larger file with its size,
// and read errors or a lack of memory become errors that name the file.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                std::uint64_t limit = kMaxMenuFileBytes);

// Saves `bytes` as the file at `path` so that a failed or interrupted save never
// damages the old file nor leaves a stray temporary file:
// - a symbolic link (also a dangling one) is followed and its final target written;
// - an existing target that is not a regular file (a device, a FIFO) is written
//   directly, never replaced;
// - otherwise the content goes to a temporary file in the target's folder first and
//   takes the target's place only when complete, with the old file's permissions,
//   owner and group where the system allows;
// - a file with several hard links is rewritten in place once the complete temporary
//   copy succeeded, so that every name keeps showing the same file.
Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace quillet
