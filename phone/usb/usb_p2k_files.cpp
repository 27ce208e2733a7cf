// The file work behind UsbP2KLibrary's calls: listing and replacing a file whole.
#include <algorithm>

#include "p2k_packet.h"
#include "usb_p2k_library.h"

namespace quillet::usb {
namespace {

// "/a" for "/a/mobile/system/mma_ucp": the volume the file lives on.
std::string volumeOf(const std::string& path) { return path.substr(0, path.find('/', 1)); }

}  // namespace

Result<std::uint16_t> UsbP2KLibrary::search(P2KSession& session, std::string_view folder,
                                            std::string_view name) {
  if (auto volumes = listVolumes(session); !volumes) return volumes.error();
  return searchFiles(session, folder, name);
}

Result<std::vector<PhoneFileRecord>> UsbP2KLibrary::collect(P2KSession& session,
                                                            std::size_t found) {
  std::vector<PhoneFileRecord> records;
  while (records.size() < found) {
    auto batch = listNext(session);
    if (!batch) return batch.error();
    if (batch->empty()) break;  // the phone ended the list early
    for (auto& record : batch.value()) {
      listed_[record.name] = {record.attributes, record.size};
      records.push_back(std::move(record));
    }
  }
  return records;
}

Result<std::vector<PhoneFileRecord>> UsbP2KLibrary::listFiles(P2KSession& session,
                                                              std::size_t wanted) {
  auto found = search(session, p2k::kSearchRoot, p2k::kSearchAnyName);
  if (!found) return found.error();
  listed_.clear();
  auto records = collect(session, found.value());
  if (records && records->size() > wanted) records->resize(wanted);
  return records;
}

Status UsbP2KLibrary::lookUp(P2KSession& session, const std::string& path) {
  const std::size_t slash = path.rfind('/') + 1;
  auto found = search(session, std::string_view(path).substr(0, slash),
                      std::string_view(path).substr(slash));
  if (!found) return found.error();
  listed_.erase(path);
  if (auto records = collect(session, found.value()); !records) return records.error();
  return Ok();
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
    reportTransfer(sent, bytes);  // a write goes on to its end whatever the answer
  }
  return Ok();
}

Status UsbP2KLibrary::checkWrittenSize(P2KSession& session, const OpenFile& file) {
  if (Status looked = lookUp(session, file.path); !looked) return looked;
  const auto listed = listed_.find(file.path);
  if (listed == listed_.end())
    return phoneError("the size check found no " + file.path + " on the phone after writing " +
                      std::to_string(file.written.size()) + " bytes");
  if (listed->second.size != file.written.size())
    return phoneError("the size check found " + std::to_string(listed->second.size) + " bytes in " +
                      file.path + " after writing " + std::to_string(file.written.size()));
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
