// The file work behind UsbP2KLibrary's calls: listing and replacing a file whole.
#include <algorithm>

#include "p2k_packet.h"
#include "usb_p2k_library.h"

namespace quillet::usb {
namespace {

// "/a" for "/a/mobile/system/mma_ucp": the volume the file lives on.
std::string volumeOf(const std::string& path) {
  return path.substr(0, path.find('/', 1));
}

}  // namespace

Result<std::uint16_t> UsbP2KLibrary::searchAll(P2KSession& session) {
  if (auto volumes = listVolumes(session); !volumes) return volumes.error();
  return searchFiles(session);
}

Result<std::vector<PhoneFileRecord>> UsbP2KLibrary::listFiles(P2KSession& session,
                                                              std::optional<std::size_t> wanted) {
  auto found = searchAll(session);
  if (!found) return found.error();
  const std::size_t total = std::min<std::size_t>(wanted.value_or(found.value()), found.value());
  listed_.clear();
  std::vector<PhoneFileRecord> records;
  while (records.size() < total) {
    auto batch = listNext(session);
    if (!batch) return batch.error();
    if (batch->empty()) break;  // the phone ended the list early
    for (auto& record : batch.value()) {
      listed_[record.name] = {record.attributes, record.size};
      if (records.size() < total) records.push_back(std::move(record));
    }
  }
  return records;
}

Status UsbP2KLibrary::beginReplacing(P2KSession& session, std::uint32_t bytes) {
  OpenFile& file = openFile_;
  const std::string volume = volumeOf(file.path);
  auto free = freeSpace(session, volume);
  if (!free) return free.error();
  // Deleting the old file gives its bytes back, so they count as free.
  const std::uint64_t room = std::uint64_t{free.value()} + file.size.value_or(0);
  if (room < bytes)
    return phoneError("only " + std::to_string(room) + " bytes are free on " + volume + " for " +
                      std::to_string(bytes) + "; " + file.path + " is left as it was");
  file.open = false;
  if (Status closed = closeFile(session); !closed) return closed;
  if (file.size)
    if (Status deleted = deleteFile(session, file.path); !deleted) return deleted;
  if (Status opened = openFile(session, file.path, file.attribute); !opened) return opened;
  file.open = true;
  file.replacing = true;
  file.position = 0;
  return Ok();
}

Status UsbP2KLibrary::writeChunks(P2KSession& session, const std::uint8_t* data,
                                  std::size_t bytes) {
  for (std::size_t sent = 0; sent < bytes;) {
    const auto chunk = static_cast<std::uint32_t>(std::min(p2k::kFileChunk, bytes - sent));
    if (Status written = writeChunk(session, data + sent, chunk); !written) return written;
    sent += chunk;
  }
  return Ok();
}

Status UsbP2KLibrary::checkWrittenSize(P2KSession& session, const OpenFile& file) {
  auto listing = listFiles(session, std::nullopt);
  if (!listing) return listing.error();
  const auto listed = listed_.find(file.path);
  if (listed == listed_.end())
    return phoneError("the size check found no " + file.path + " on the phone after writing " +
                      std::to_string(file.written.size()) + " bytes");
  if (listed->second.size != file.written.size())
    return phoneError("the size check found " + std::to_string(listed->second.size) +
                      " bytes in " + file.path + " after writing " +
                      std::to_string(file.written.size()));
  return Ok();
}

Status UsbP2KLibrary::writeAgain(P2KSession& session, const OpenFile& file) {
  if (listed_.count(file.path))
    if (Status deleted = deleteFile(session, file.path); !deleted) return deleted;
  if (Status opened = openFile(session, file.path, file.attribute); !opened) return opened;
  Status written = writeChunks(session, file.written.data(), file.written.size());
  Status closed = closeFile(session);
  return written ? closed : written;
}

}  // namespace quillet::usb
