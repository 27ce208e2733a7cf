#pragma once
// The POSIX side of file_io.h, with the choice that tests need to reach the fallback
// for file systems without unnamed temporary files.
#include <cstdint>
#include <string>
#include <vector>

#include "result.h"

namespace quillet::posix {

enum class Staging {
  UnnamedFirst,  // Linux's O_TMPFILE where the file system has it, else a named file
  NamedOnly,     // always a named temporary file, removed on SIGINT and SIGTERM
};

Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, Staging staging);

}  // namespace quillet::posix
