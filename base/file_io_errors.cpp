#include "file_io_errors.h"

#include "display_text.h"

namespace quillet::fileio {
namespace {

// 1048576 -> "1,048,576"
std::string Grouped(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

Error ReadError(const std::string& path, const std::string& reason) {
  return Error{
      ErrorCode::FileNotReadable, "Cannot read " + QuotedPath(path) + ": " + reason + ".", path, {}, {}};
}

Error WriteError(const std::string& path, const std::string& reason) {
  return Error{
      ErrorCode::FileNotWritable, "Cannot write " + QuotedPath(path) + ": " + reason + ".", path, {}, {}};
}

std::string TooLargeReason(std::optional<std::uint64_t> size, std::uint64_t limit) {
  const std::string most = " than a menu file can have (at most " + Grouped(limit) + ")";
  if (!size) return "it holds more bytes" + most;
  return "it has " + Grouped(*size) + " bytes, more" + most;
}

}  // namespace quillet::fileio
