// The file work behind UsbP2KLibrary's calls: listing and replacing a file whole.
#include <algorithm>

#include "p2k_packet.h"
#include "usb_p2k_library.h"

namespace quillet::usb {
namespace {

// "/a" for "/a/mobile/system/mma_ucp": the volume the file lives on.
std::string volumeOf(const std::string& path) { return path.substr(0, path.find('/', 1)); }

}  // namespace

Result<std::vector<PhoneFileRecord>> UsbP2KLibrary::collect(P2KSession& session, std::size_t found) {
  std::vector<PhoneFileRecord> records;
  while (records.size() < found) {
    auto batch = listNext(session);
    if (!batch) return batch.error();
    if (batch->records.empty()) break;            // the phone ended the list early
    connection_->maxPath = batch->nameField - 1;  // the name's zero byte takes one
    for (auto& record : batch->records) {
      listed_[record.name] = {record.attributes, record.size};
      records.push_back(std::move(record));
    }
  }
  return records;
}

Result<std::vector<PhoneFileRecord>> UsbP2KLibrary::listFiles(P2KSession& session, std::size_t wanted) {
  auto found = searchFiles(session, p2k::kSearchRoot, p2k::kSearchAnyName);
  if (!found) return found.error();
  listed_.clear();
  auto records = collect(session, found.value());
  if (records && records->size() > wanted) records->resize(wanted);
  return records;
}

Status UsbP2KLibrary::lookUp(P2KSession& session, const std::string& path) {
  const std::size_t slash = path.rfind('/') + 1;
  auto found =
      searchFiles(session, std::string_view(path).substr(0, slash), std::string_view(path).substr(slash));
  if (!found) return found.error();
  listed_.erase(path);
  if (auto records = collect(session, found.value()); !records) return records.error();
  return Ok();
}

Result<std::uint32_t> UsbP2KLibrary::freeBytes(P2KSession& session, const std::string& volume) {
  std::optional<std::size_t>& known = connection_->freeSpaceLayout;
  if (known) return freeSpace(session, volume, p2k::kFreeSpaceLayouts[*known]);
  std::string refusals;
  for (std::size_t i = 0; i < p2k::kFreeSpaceLayouts.size(); ++i) {
    const p2k::FreeSpaceLayout& layout = p2k::kFreeSpaceLayouts[i];
    auto free = freeSpace(session, volume, layout);
    if (free) {
      known = i;
      log("free space: the phone answered layout " + std::to_string(i + 1) + " (word " +
          hexWord(layout.leadWord) + " before the volume name); it is used from now on");
      return free;
    }
    // A phone that stopped answering would only make every other layout time out too.
    if (session.timedOut() || session.deviceGone()) return free.error();
    refusals += (refusals.empty() ? "" : "; ") + free.error().message;
  }
  return phoneError("the phone answered none of the " + std::to_string(p2k::kFreeSpaceLayouts.size()) +
                    " free-space layouts (" + refusals + ")");
}

Status UsbP2KLibrary::beginReplacing(P2KSession& session, std::uint32_t bytes) {
  OpenFile& file = openFile_;
  // Deleting it would fail only after the free-space check, and the phone keeps the file
  // for a reason: nothing is touched.
  if (file.attribute & kReadOnlyAttribute)
    return phoneError("the phone marks " + file.path + " read-only (attribute " + hexWord(file.attribute) +
                      "); it is left as it was");
  const std::string volume = volumeOf(file.path);
  auto free = freeBytes(session, volume);
  if (!free) return free.error();
  // Deleting the old file gives its bytes back, so they count as free.
  const std::uint64_t room = std::uint64_t{free.value()} + file.size.value_or(0);
  if (room < bytes)
    return phoneError("only " + std::to_string(room) + " bytes are free on " + volume + " for " +
                      std::to_string(bytes) + "; " + file.path + " is left as it was");
  file.open = false;
  if (Status closed = closeFile(session); !closed) return closed;
  if (file.size)
    if (Status deleted = deleteFile(session, file.path, connection_->maxPath); !deleted) return deleted;
  if (Status opened = openFile(session, file.path, file.attribute, connection_->maxPath); !opened)
    return opened;
  file.open = true;
  file.replacing = true;
  file.position = 0;
  return Ok();
}

Status UsbP2KLibrary::writeChunks(P2KSession& session, const std::uint8_t* data, std::size_t bytes) {
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
    if (Status deleted = deleteFile(session, file.path, connection_->maxPath); !deleted) return deleted;
  if (Status opened = openFile(session, file.path, file.attribute, connection_->maxPath); !opened)
    return opened;
  Status written = writeChunks(session, file.written.data(), file.written.size());
  Status closed = closeFile(session);
  return written ? closed : written;
}

}  // namespace quillet::usb
