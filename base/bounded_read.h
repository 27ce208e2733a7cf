#pragma once
// Reading a file to its end without trusting its announced size: files the system makes
// up report 0 and hold more, and a file may grow while it is read. Shared by every
// platform's file_io implementation, which only supplies its own read call.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "result.h"

namespace quillet::fileio {

// Reads up to `room` bytes at `at`; 0 means the end of the file.
using ReadChunk = std::function<Result<std::size_t>(std::uint8_t* at, std::size_t room)>;

// Every byte `read` gives, or an error naming `path` when there are more than `limit`
// (or memory runs out). `sizeHint` is where the buffer starts.
Result<std::vector<std::uint8_t>> ReadToEnd(const std::string& path, std::uint64_t sizeHint,
                                            std::uint64_t limit, const ReadChunk& read);

}  // namespace quillet::fileio
