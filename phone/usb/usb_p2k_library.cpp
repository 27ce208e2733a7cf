#include "usb_p2k_library.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <utility>

#include "p2k_commands.h"
#include "p2k_packet.h"

namespace quillet::usb {

UsbP2KLibrary::UsbP2KLibrary(std::unique_ptr<UsbTransport> transport, UsbP2KOptions options)
    : transport_(std::move(transport)), options_(std::move(options)) {}

UsbP2KLibrary::~UsbP2KLibrary() {
  stopping_ = true;
  if (watcher_.joinable()) {
    transport_->wake();
    watcher_.join();
  }
  std::lock_guard lock(mutex_);
  connection_.reset();
}

std::string UsbP2KLibrary::lastErrorDetail() {
  std::lock_guard lock(detailMutex_);
  return lastError_;
}

UsbP2KLibrary::Connection::~Connection() {
  if (device && session) device->releaseInterface(session->testInterface());
}

void UsbP2KLibrary::log(const std::string& line) {
  const std::string text = "quillet: USB phone: " + line;
  if (options_.log)
    options_.log(text);
  else
    std::cerr << text << '\n';
}

std::int32_t UsbP2KLibrary::fail(const char* call, const std::string& why) {
  const std::string line = std::string(call) + " failed: " + why;
  {
    std::lock_guard lock(detailMutex_);
    lastError_ = line;
  }
  log(line);
  return -1;
}

std::int32_t UsbP2KLibrary::failed(const char* call, const Error& error) {
  const P2KSession& session = *connection_->session;
  // Let the watcher report the disconnect now rather than at its next rescan.
  if (session.deviceGone()) transport_->wake();
  if (session.timedOut())
    quietUntil_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.unresponsiveHoldMs);
  return fail(call, error.message);
}

P2KSession* UsbP2KLibrary::readySession(const char* call) {
  if (!connection_ || connection_->restartedAt || connection_->session->deviceGone()) {
    fail(call, "no phone is connected");
    return nullptr;
  }
  if (std::chrono::steady_clock::now() < quietUntil_) {
    fail(call, "the phone stopped answering a moment ago; it is left alone for up to " +
                   std::to_string(options_.unresponsiveHoldMs) + " ms");
    return nullptr;
  }
  return connection_->session.get();
}

std::int32_t UsbP2KLibrary::P2K_GetStatus() {
  if (!started_) return kStatusStopped;
  std::lock_guard lock(mutex_);
  const bool ready = connection_ && !connection_->restartedAt && !connection_->session->deviceGone();
  return ready ? kStatusReady : kStatusNoPhone;
}

std::int32_t UsbP2KLibrary::P2K_Init(PhoneStatusCallback notify) {
  if (started_.exchange(true)) return 0;
  notify_ = std::move(notify);
  // A machine without USB access simply never sees a phone: the editor runs on with
  // "Phone: None " instead of an error at every start.
  if (const UsbError error = transport_->start(); error != UsbError::None) {
    log(std::string("USB is not available (") + describe(error) + "); no phone will connect");
    return 0;
  }
  watcher_ = std::thread([this] { watch(); });
  return 0;
}

std::int32_t UsbP2KLibrary::P2K_Restart() {
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("P2K_Restart");
  if (!session) return -1;
  if (Status sent = restartPhone(*session); !sent) return failed("P2K_Restart", sent.error());
  connection_->restartedAt = std::chrono::steady_clock::now();
  openFile_ = {};
  return 0;
}

std::int32_t UsbP2KLibrary::Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset,
                                      std::int32_t bytes, std::uint8_t* buffer, std::size_t bufferSize) {
  const auto fits = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };
  if (!buffer || !fits(seem) || !fits(record) || !fits(offset) || !fits(bytes))
    return fail("Seem_Read", "arguments out of range");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("Seem_Read");
  if (!session) return -1;
  auto data = readSeem(*session, static_cast<std::uint16_t>(seem), static_cast<std::uint16_t>(record),
                       static_cast<std::uint16_t>(offset), static_cast<std::uint16_t>(bytes));
  if (!data) return failed("Seem_Read", data.error());
  // Zeros after the data end a name that the phone stored without its terminator.
  const std::size_t copied = std::min(data->size(), bufferSize);
  std::memcpy(buffer, data->data(), copied);
  std::memset(buffer + copied, 0, bufferSize - copied);
  return static_cast<std::int32_t>(copied);
}

std::int32_t UsbP2KLibrary::File_Count() {
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Count");
  if (!session) return -1;
  auto count = searchFiles(*session, p2k::kSearchRoot, p2k::kSearchAnyName);
  if (!count) return failed("File_Count", count.error());
  return count.value();
}

std::int32_t UsbP2KLibrary::File_List(TP2KFileEntry* entries, std::int32_t count) {
  if (count < 0 || (count > 0 && !entries)) return fail("File_List", "no room for the list");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_List");
  if (!session) return -1;
  std::fill(entries, entries + count, TP2KFileEntry{});
  auto records = listFiles(*session, static_cast<std::size_t>(count));
  if (!records) return failed("File_List", records.error());
  std::int32_t filled = 0;
  for (const auto& record : records.value()) {
    TP2KFileEntry& entry = entries[filled++];
    entry.size = record.size;
    // The value handed back to File_Create is the attribute itself: the open command
    // takes it in the low half of its word, and the owner is never sent.
    entry.attrHigh = 0;
    entry.attrLow = record.attributes;
    const std::size_t length = std::min(record.name.size(), sizeof entry.name - 1);
    std::memcpy(entry.name, record.name.data(), length);
  }
  return filled;
}

std::optional<std::string> UsbP2KLibrary::checkedPath(const char* call, const char* path) {
  if (!path) {
    fail(call, "no path given");
    return std::nullopt;
  }
  // No phone lists records with a name field as long as a list entry's.
  const std::size_t length = strnlen(path, sizeof TP2KFileEntry::name);
  if (length == 0 || length == sizeof TP2KFileEntry::name || path[0] != '/') {
    fail(call, "the path is not absolute, or longer than a list entry holds");
    return std::nullopt;
  }
  return std::string(path, length);
}

std::int32_t UsbP2KLibrary::File_Create(const char* path, std::uint32_t attributes) {
  const std::optional<std::string> checked = checkedPath("File_Create", path);
  if (!checked) return -1;
  if (attributes > p2k::kAttributeMask)
    return fail("File_Create",
                "attribute value " + std::to_string(attributes) + " does not fit the open command's 16 bits");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Create");
  if (!session) return -1;
  const std::string& name = *checked;
  const std::size_t length = name.size();
  // Held to what this phone's list records hold, before anything carries the path.
  const auto tooLong = [&] {
    return fail("File_Create", "the path is " + std::to_string(length) +
                                   " bytes long; this phone's file names hold at most " +
                                   std::to_string(connection_->maxPath) + " bytes");
  };
  if (length > connection_->maxPath) return tooLong();
  // The open sets the file's attribute: an existing file keeps the one the phone lists.
  if (!listed_.count(name))
    if (Status looked = lookUp(*session, name); !looked) return failed("File_Create", looked.error());
  if (length > connection_->maxPath) return tooLong();  // the look-up may have taught a shorter one
  OpenFile file;
  file.path = name;
  file.attribute = static_cast<std::uint16_t>(attributes);
  if (auto known = listed_.find(name); known != listed_.end()) {
    file.attribute = known->second.attribute;
    file.size = known->second.size;
  }
  openFile_ = {};
  if (Status opened = openFile(*session, name, file.attribute, connection_->maxPath); !opened)
    return failed("File_Create", opened.error());
  file.open = true;
  openFile_ = std::move(file);
  return 0;
}

std::int32_t UsbP2KLibrary::File_SetPointer(std::int32_t offset, std::int32_t whence) {
  if (offset < 0 || whence != p2k::kSeekFromStart)
    return fail("File_SetPointer", "only positions from the file's start are supported");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_SetPointer");
  if (!session) return -1;
  if (!openFile_.open) return fail("File_SetPointer", "no file is open");
  if (Status moved = seekFile(*session, static_cast<std::uint32_t>(offset)); !moved)
    return failed("File_SetPointer", moved.error());
  openFile_.position = static_cast<std::uint32_t>(offset);
  return 0;
}

// The open-attempt count the link passes along has no use over USB.
std::int32_t UsbP2KLibrary::File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t) {
  if (!buffer || maxBytes < 0) return fail("File_Read", "no room for the data");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Read");
  if (!session) return -1;
  if (!openFile_.open) return fail("File_Read", "no file is open");
  // With the size from the listing the read stops exactly at the file's end; without
  // it, at the first short chunk.
  std::uint32_t target = static_cast<std::uint32_t>(maxBytes);
  if (openFile_.size)
    target = std::min(target, *openFile_.size - std::min(*openFile_.size, openFile_.position));
  std::uint32_t got = 0;
  while (got < target) {
    const auto chunk = static_cast<std::uint32_t>(std::min<std::size_t>(p2k::kFileChunk, target - got));
    auto data = readChunk(*session, chunk);
    if (!data) return failed("File_Read", data.error());
    std::memcpy(buffer + got, data->data(), data->size());
    got += static_cast<std::uint32_t>(data->size());
    if (data->size() < chunk) break;
    if (!reportTransfer(got, target) && got < target)
      return fail("File_Read",
                  "stopped after " + std::to_string(got) + " of " + std::to_string(target) + " bytes");
  }
  openFile_.position += got;
  return static_cast<std::int32_t>(got);
}

std::int32_t UsbP2KLibrary::File_Write(const std::uint8_t* buffer, std::int32_t bytes) {
  if (bytes < 0 || (bytes > 0 && !buffer)) return fail("File_Write", "no data given");
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Write");
  if (!session) return -1;
  if (!openFile_.open) return fail("File_Write", "no file is open");
  if (!openFile_.replacing) {
    if (openFile_.position != 0)
      return fail("File_Write", "a write replaces the whole file, so it starts at the beginning");
    if (Status fresh = beginReplacing(*session, static_cast<std::uint32_t>(bytes)); !fresh)
      return failed("File_Write", fresh.error());
  }
  if (Status written = writeChunks(*session, buffer, static_cast<std::size_t>(bytes)); !written)
    return failed("File_Write", written.error());
  openFile_.written.insert(openFile_.written.end(), buffer, buffer + bytes);
  openFile_.position += static_cast<std::uint32_t>(bytes);
  return bytes;
}

std::int32_t UsbP2KLibrary::File_Close() {
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Close");
  if (!session) return -1;
  if (!openFile_.open) return fail("File_Close", "no file is open");
  const OpenFile closing = std::exchange(openFile_, {});
  if (Status closed = closeFile(*session); !closed) return failed("File_Close", closed.error());
  if (!closing.replacing) return 0;
  Status checked = checkWrittenSize(*session, closing);
  if (!checked && !session->timedOut() && !session->deviceGone()) {
    // A size that does not match is written once more before it counts as a failure.
    log("File_Close: " + checked.error().message + "; writing the file once more");
    checked = writeAgain(*session, closing);
    if (checked) checked = checkWrittenSize(*session, closing);
  }
  if (!checked) return failed("File_Close", checked.error());
  return 0;
}

std::int32_t UsbP2KLibrary::File_Delete(const char* path) {
  const std::optional<std::string> name = checkedPath("File_Delete", path);
  if (!name) return -1;
  std::lock_guard lock(mutex_);
  P2KSession* session = readySession("File_Delete");
  if (!session) return -1;
  if (openFile_.open && openFile_.path == *name) return fail("File_Delete", *name + " is open");
  if (Status deleted = deleteFile(*session, *name, connection_->maxPath); !deleted)
    return failed("File_Delete", deleted.error());
  listed_.erase(*name);
  return 0;
}

}  // namespace quillet::usb
