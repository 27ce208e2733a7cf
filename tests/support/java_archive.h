#pragma once
// Java archives and descriptors for the tests of the Java application reader: archives
// written by libzip's writer, so that no archive comes from elsewhere, and texts turned
// into bytes as they stand.
#include <cstdint>
#include <string>
#include <vector>

namespace quillet::test {

struct ArchiveEntry {
  std::string name;
  std::string content;
  bool deflated = true;  // otherwise stored as it is
};

// A zip archive holding the entries in order.
std::vector<std::uint8_t> BuildArchive(const std::vector<ArchiveEntry>& entries);

inline std::vector<std::uint8_t> TextBytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace quillet::test
