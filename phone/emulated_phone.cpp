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

void EmulatedPhone::notify(std::int32_t state) {
  if (notify_) notify_(state);
}

std::int32_t EmulatedPhone::P2K_GetStatus() {
  if (!started_) return 0;
  return connected_ ? 1 : 2;
}

std::int32_t EmulatedPhone::P2K_Init(PhoneStatusCallback callback) {
  std::error_code ec;
  if (!fs::is_directory(folder_, ec)) return -1;
  notify_ = std::move(callback);
  started_ = true;
  if (connected_) notify(1);
  return 0;
}

std::int32_t EmulatedPhone::P2K_Restart() {
  if (!ready()) return -1;
  ++restarts_;
  openFile_.reset();
  notify(0);
  notify(1);
  return 0;
}

std::int32_t EmulatedPhone::Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t,
                                      std::int32_t, std::uint8_t* buffer, std::size_t bufferSize) {
  if (!ready() || seem != 279 || record != 1 || buffer == nullptr) return -1;
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

std::optional<std::map<std::string, std::uintmax_t>> EmulatedPhone::listFiles() const {
  std::error_code ec;
  std::map<std::string, std::uintmax_t> files;
  fs::recursive_directory_iterator it(folder_, fs::directory_options::skip_permission_denied, ec);
  if (ec) return std::nullopt;
  for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    if (!it->is_regular_file(ec)) continue;
    const std::string phonePath = "/" + fs::relative(it->path(), folder_, ec).generic_string();
    // A name the 504-byte list entry cannot hold does not exist for the phone.
    if (ec || phonePath.size() > kMaxPhonePathBytes) continue;
    files[phonePath] = it->file_size(ec);
    if (ec) return std::nullopt;
  }
  return files;
}

std::int32_t EmulatedPhone::File_Count() {
  if (!ready()) return -1;
  const auto files = listFiles();
  if (!files || files->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return -1;
  return static_cast<std::int32_t>(files->size());
}

std::int32_t EmulatedPhone::File_List(TP2KFileEntry* entries, std::int32_t count) {
  if (!ready() || count < 0 || (entries == nullptr && count > 0)) return -1;
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

std::int32_t EmulatedPhone::File_Create(const char* path, std::uint32_t attributes) {
  if (!ready() || path == nullptr) return -1;
  const std::string phonePath(path, strnlen(path, kMaxPhonePathBytes + 1));
  const auto host = hostPath(phonePath);
  if (!host) return -1;
  std::error_code ec;
  if (fs::exists(*host, ec)) {
    if (!fs::is_regular_file(*host, ec)) return -1;
  } else {
    if (!fs::is_directory(host->parent_path(), ec)) return -1;
    if (!WriteFileAtomically(host->string(), {})) return -1;
    attributes_[phonePath] = attributes;
  }
  openFile_ = *host;
  pointer_ = 0;
  return 0;
}

std::int32_t EmulatedPhone::File_SetPointer(std::int32_t offset, std::int32_t whence) {
  if (!ready() || !openFile_) return -1;
  std::error_code ec;
  std::intmax_t base = 0;
  if (whence == 1) {
    base = static_cast<std::intmax_t>(pointer_);
  } else if (whence == 2) {
    base = static_cast<std::intmax_t>(fs::file_size(*openFile_, ec));
    if (ec) return -1;
  } else if (whence != 0) {
    return -1;
  }
  const std::intmax_t target = base + offset;
  if (target < 0) return -1;
  pointer_ = static_cast<std::uintmax_t>(target);
  return 0;
}

std::int32_t EmulatedPhone::File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t) {
  if (!ready() || !openFile_ || buffer == nullptr || maxBytes < 0) return -1;
  std::ifstream in(*openFile_, std::ios::binary);
  if (!in) return -1;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return -1;
  const auto available = static_cast<std::uintmax_t>(size) > pointer_
                             ? static_cast<std::uintmax_t>(size) - pointer_
                             : 0;
  const auto n = static_cast<std::streamsize>(
      std::min<std::uintmax_t>(available, static_cast<std::uintmax_t>(maxBytes)));
  in.seekg(static_cast<std::streamoff>(pointer_));
  if (!in.read(reinterpret_cast<char*>(buffer), n)) return -1;
  pointer_ += static_cast<std::uintmax_t>(n);
  return static_cast<std::int32_t>(n);
}

std::int32_t EmulatedPhone::File_Write(const std::uint8_t* buffer, std::int32_t bytes) {
  if (!ready() || !openFile_ || bytes < 0 || (buffer == nullptr && bytes > 0)) return -1;
  auto content = ReadWholeFile(openFile_->string());
  if (!content) return -1;
  std::vector<std::uint8_t> data = std::move(content.value());
  data.resize(pointer_, 0);
  data.insert(data.end(), buffer, buffer + bytes);
  if (!WriteFileAtomically(openFile_->string(), data)) return -1;
  pointer_ += static_cast<std::uintmax_t>(bytes);
  return bytes;
}

std::int32_t EmulatedPhone::File_Close() {
  if (!openFile_) return -1;
  openFile_.reset();
  return 0;
}

}  // namespace quillet
