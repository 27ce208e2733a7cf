#include "bounded_read.h"

#include <algorithm>
#include <new>

#include "file_io_errors.h"

namespace quillet::fileio {

Result<std::vector<std::uint8_t>> ReadToEnd(const std::string& path, std::uint64_t sizeHint,
                                            std::uint64_t limit, const ReadChunk& read) {
  try {
    // One byte more than the hint: a file that grew meanwhile shows it, up to the limit.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(sizeHint, limit)) + 1);
    std::size_t done = 0;
    for (;;) {
      if (done == bytes.size()) {
        if (done > limit) return ReadError(path, TooLargeReason(std::nullopt, limit));
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(limit + 1, 2 * done + 4096)));
      }
      Result<std::size_t> n = read(bytes.data() + done, bytes.size() - done);
      if (!n) return n.error();
      if (n.value() == 0) break;
      done += n.value();
    }
    if (done > limit) return ReadError(path, TooLargeReason(std::nullopt, limit));
    bytes.resize(done);
    return bytes;
  } catch (const std::bad_alloc&) {
    return ReadError(path, kNoMemoryReason);
  }
}

}  // namespace quillet::fileio
