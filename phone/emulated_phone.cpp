#include "emulated_phone.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

#include "file_io.h"

namespace quillet {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxPhonePathBytes = sizeof(TP2KFileEntry::name) - 1;

std::uint32_t clampToU32(std::uintmax_t value) {
  return static_cast<std::uint32_t>(
      std::min<std::uintmax_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

EmulatedPhone::EmulatedPhone(fs::path folder, std::string model)
    : folder_(std::move(folder)), model_(std::move(model)) {}

void EmulatedPhone::setConnected(bool connected) {
  if (connected == connected_) return;
  connected_ = connected;
  if (!connected_) openFile_.reset();
  if (started_) notify(connected_ ? 1 : 0);
}

void EmulatedPhone::setAttributes(const std::string& phonePath, std::uint32_t value) {
  attributes_[phonePath] = value;
}

std::int32_t EmulatedPhone::fail(std::string why) {
  lastError_ = std::move(why);
  return -1;
}

std::int32_t EmulatedPhone::notReady() {
  return fail(started_ ? "no phone is connected" : "the phone library is not started");
}

void EmulatedPhone::notify(std::int32_t state) {
  if (notify_) notify_(state);
}

std::int32_t EmulatedPhone::P2K_GetStatus() {
  if (!started_) return 0;
  return connected_ ? 1 : 2;
}

std::int32_t EmulatedPhone::P2K_Init(PhoneStatusCallback callback) {
  std::error_code ec;
  if (!fs::is_directory(folder_, ec))
    return fail("the emulated phone's folder \"" + folder_.string() + "\" is not a folder");
  notify_ = std::move(callback);
  started_ = true;
  if (connected_) notify(1);
  return 0;
}

std::int32_t EmulatedPhone::P2K_Restart() {
  if (!ready()) return notReady();
  openFile_.reset();
  notify(0);
  notify(1);
  return 0;
}

std::int32_t EmulatedPhone::Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t, std::int32_t,
                                      std::uint8_t* buffer, std::size_t bufferSize) {
  if (!ready()) return notReady();
  if (seem != 279 || record != 1 || buffer == nullptr) return fail("only seem 279 record 1 is kept");
  std::vector<std::uint8_t> name;
  for (char c : model_) {
    name.push_back(0);
    name.push_back(static_cast<std::uint8_t>(c));
  }
  name.push_back(0);
  name.push_back(0);
  const std::size_t n = std::min(name.size(), bufferSize);
  std::copy_n(name.begin(), n, buffer);
  return static_cast<std::int32_t>(n);
}

std::optional<fs::path> EmulatedPhone::hostPath(const std::string& phonePath) const {
  if (phonePath.size() < 2 || phonePath.size() > kMaxPhonePathBytes || phonePath[0] != '/')
    return std::nullopt;
  fs::path result = folder_;
  std::size_t start = 1;
  while (start <= phonePath.size()) {
    std::size_t end = phonePath.find('/', start);
    if (end == std::string::npos) end = phonePath.size();
    const std::string part = phonePath.substr(start, end - start);
    // Empty, "." and ".." parts could name something outside the phone's folder.
    if (part.empty() || part == "." || part == "..") return std::nullopt;
    result /= part;
    start = end + 1;
  }
  return result;
}

std::optional<std::map<std::string, std::uintmax_t>> EmulatedPhone::listFiles() {
  std::error_code ec;
  std::map<std::string, std::uintmax_t> files;
  const auto cannotList = [&] {
    fail("cannot list \"" + folder_.string() + "\": " + ec.message());
    return std::nullopt;
  };
  fs::recursive_directory_iterator it(folder_, fs::directory_options::skip_permission_denied, ec);
  if (ec) return cannotList();
  for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (ec) return cannotList();
    if (!it->is_regular_file(ec)) continue;
    const std::string phonePath = "/" + fs::relative(it->path(), folder_, ec).generic_string();
    // A name the 504-byte list entry cannot hold does not exist for the phone.
    if (ec || phonePath.size() > kMaxPhonePathBytes) continue;
    files[phonePath] = it->file_size(ec);
    if (ec) return cannotList();
  }
  return files;
}

std::int32_t EmulatedPhone::File_Count() {
  if (!ready()) return notReady();
  const auto files = listFiles();
  if (!files) return -1;
  if (files->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return fail("too many files to count");
  return static_cast<std::int32_t>(files->size());
}

std::int32_t EmulatedPhone::File_List(TP2KFileEntry* entries, std::int32_t count) {
  if (!ready()) return notReady();
  if (count < 0 || (entries == nullptr && count > 0)) return fail("no room for the list");
  const auto files = listFiles();
  if (!files) return -1;
  std::int32_t filled = 0;
  for (const auto& [phonePath, size] : *files) {
    if (filled == count) break;
    TP2KFileEntry& entry = entries[filled++];
    entry = TP2KFileEntry{};
    entry.size = clampToU32(size);
    const auto attr = attributes_.find(phonePath);
    const std::uint32_t value = attr == attributes_.end() ? 0 : attr->second;
    entry.attrHigh = static_cast<std::uint16_t>(value >> 16);
    entry.attrLow = static_cast<std::uint16_t>(value & 0xFFFF);
    std::memcpy(entry.name, phonePath.data(), phonePath.size());
  }
  return filled;
}

std::optional<fs::path> EmulatedPhone::hostPathOf(const char* path) {
  if (path == nullptr) {
    fail("no path given");
    return std::nullopt;
  }
  const std::string phonePath(path, strnlen(path, kMaxPhonePathBytes + 1));
  const auto host = hostPath(phonePath);
  if (!host) fail("the path \"" + phonePath + "\" cannot name a phone file");
  return host;
}

std::int32_t EmulatedPhone::File_Create(const char* path, std::uint32_t attributes) {
  if (!ready()) return notReady();
  const auto host = hostPathOf(path);
  if (!host) return -1;
  const std::string phonePath(path);
  std::error_code ec;
  if (fs::exists(*host, ec)) {
    if (!fs::is_regular_file(*host, ec)) return fail("\"" + host->string() + "\" is not a file");
  } else {
    if (!fs::is_directory(host->parent_path(), ec))
      return fail("the folder \"" + host->parent_path().string() + "\" does not exist");
    if (Status created = WriteFileAtomically(host->string(), {}); !created)
      return fail(created.error().message);
    attributes_[phonePath] = attributes;
  }
  openFile_ = *host;
  openPhonePath_ = phonePath;
  pointer_ = 0;
  return 0;
}

std::int32_t EmulatedPhone::File_SetPointer(std::int32_t offset, std::int32_t whence) {
  if (!ready()) return notReady();
  if (!openFile_) return fail("no file is open");
  std::error_code ec;
  std::intmax_t base = 0;
  if (whence == 1) {
    base = static_cast<std::intmax_t>(pointer_);
  } else if (whence == 2) {
    base = static_cast<std::intmax_t>(fs::file_size(*openFile_, ec));
    if (ec) return fail("\"" + openFile_->string() + "\": " + ec.message());
  } else if (whence != 0) {
    return fail("unknown seek origin " + std::to_string(whence));
  }
  const std::intmax_t target = base + offset;
  if (target < 0) return fail("a position before the file's start");
  pointer_ = static_cast<std::uintmax_t>(target);
  return 0;
}

std::int32_t EmulatedPhone::File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t) {
  if (!ready()) return notReady();
  if (!openFile_) return fail("no file is open");
  if (buffer == nullptr || maxBytes < 0) return fail("no room for the data");
  std::ifstream in(*openFile_, std::ios::binary);
  if (!in) return fail("cannot open \"" + openFile_->string() + "\"");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return fail("cannot read \"" + openFile_->string() + "\"");
  const auto available =
      static_cast<std::uintmax_t>(size) > pointer_ ? static_cast<std::uintmax_t>(size) - pointer_ : 0;
  const auto n = static_cast<std::streamsize>(
      std::min<std::uintmax_t>(available, static_cast<std::uintmax_t>(maxBytes)));
  if (!movePieces(static_cast<std::size_t>(n), true))
    return fail("the read was stopped before the end of the file");
  in.seekg(static_cast<std::streamoff>(pointer_));
  if (!in.read(reinterpret_cast<char*>(buffer), n))
    return fail("cannot read \"" + openFile_->string() + "\"");
  pointer_ += static_cast<std::uintmax_t>(n);
  return static_cast<std::int32_t>(n);
}

std::int32_t EmulatedPhone::File_Write(const std::uint8_t* buffer, std::int32_t bytes) {
  if (!ready()) return notReady();
  if (!openFile_) return fail("no file is open");
  if (bytes < 0 || (buffer == nullptr && bytes > 0)) return fail("no data given");
  if (const auto attr = attributes_.find(openPhonePath_);
      attr != attributes_.end() && (attr->second & kReadOnlyAttribute))
    return fail("\"" + openPhonePath_ + "\" is read-only");
  const auto pulled = std::exchange(pullAfterPieces_, std::nullopt);
  std::size_t kept = static_cast<std::size_t>(bytes);
  if (pulled) kept = std::min(kept, *pulled * kPieceBytes);
  movePieces(kept, false);
  auto content = ReadWholeFile(openFile_->string());
  if (!content) return fail(content.error().message);
  std::vector<std::uint8_t> data = std::move(content.value());
  data.resize(pointer_, 0);
  data.insert(data.end(), buffer, buffer + kept);
  if (Status written = WriteFileAtomically(openFile_->string(), data); !written)
    return fail(written.error().message);
  if (pulled) {
    setConnected(false);
    return fail("the cable was pulled after " + std::to_string(kept) + " bytes");
  }
  pointer_ += static_cast<std::uintmax_t>(bytes);
  return bytes;
}

bool EmulatedPhone::movePieces(std::size_t total, bool stoppable) {
  for (std::size_t done = 0; done < total;) {
    beforePiece();
    done += std::min(kPieceBytes, total - done);
    if (!reportTransfer(done, total) && stoppable && done < total) return false;
  }
  return true;
}

std::int32_t EmulatedPhone::File_Close() {
  if (!openFile_) return fail("no file is open");
  openFile_.reset();
  return 0;
}

std::int32_t EmulatedPhone::File_Delete(const char* path) {
  if (!ready()) return notReady();
  const auto host = hostPathOf(path);
  if (!host) return -1;
  if (openFile_ == *host) return fail("\"" + std::string(path) + "\" is open");
  std::error_code ec;
  if (!fs::is_regular_file(*host, ec)) return fail("the phone has no file \"" + std::string(path) + "\"");
  if (!fs::remove(*host, ec)) return fail("cannot remove \"" + host->string() + "\": " + ec.message());
  attributes_.erase(path);
  return 0;
}

}  // namespace quillet
