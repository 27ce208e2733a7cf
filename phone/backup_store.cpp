#include "backup_store.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>
#include <tuple>
#include <utility>

#include "file_io.h"
#include "file_io_errors.h"

namespace quillet {
namespace fs = std::filesystem;

namespace {

constexpr char kSuffix[] = "_mma_ucp";
constexpr char kDamaged[] = "_damaged";
constexpr std::size_t kDamagedLength = sizeof kDamaged - 1;
constexpr std::size_t kSuffixLength = sizeof kSuffix - 1;
constexpr std::size_t kStampLength = 19;  // YYYY-MM-DDTHH-MM-SS

std::string Stamp(std::chrono::system_clock::time_point when) {
  const std::time_t t = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%S", &local);
  return text;
}

// Orders backups by time; a second backup within the same second carries "-2", "-3"...
// after the stamp (which plain name order would put before the first).
struct NameKey {
  std::string stamp;
  unsigned sequence = 1;
  bool damaged = false;
  bool operator<(const NameKey& o) const { return std::tie(stamp, sequence) < std::tie(o.stamp, o.sequence); }
};

std::optional<NameKey> ParseName(const std::string& name) {
  if (name.size() < kStampLength + kSuffixLength ||
      name.compare(name.size() - kSuffixLength, kSuffixLength, kSuffix) != 0)
    return std::nullopt;
  static constexpr char kShape[] = "dddd-dd-ddTdd-dd-dd";
  for (std::size_t i = 0; i < kStampLength; ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
    if (kShape[i] == 'd' ? !digit : name[i] != kShape[i]) return std::nullopt;
  }
  NameKey key{name.substr(0, kStampLength)};
  std::string rest = name.substr(kStampLength, name.size() - kStampLength - kSuffixLength);
  if (rest.size() >= kDamagedLength &&
      rest.compare(rest.size() - kDamagedLength, kDamagedLength, kDamaged) == 0) {
    key.damaged = true;
    rest.resize(rest.size() - kDamagedLength);
  }
  if (rest.empty()) return key;
  if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-') return std::nullopt;
  for (std::size_t i = 1; i < rest.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(rest[i]))) return std::nullopt;
  key.sequence = static_cast<unsigned>(std::stoul(rest.substr(1)));
  if (key.sequence < 2) return std::nullopt;
  return key;
}

// "2026-12-08T14-03-22" as "2026-12-08 14:03:22".
std::string StampText(std::string stamp) {
  stamp[10] = ' ';
  stamp[13] = ':';
  stamp[16] = ':';
  return stamp;
}

// Writes `bytes` into `dir` (made when missing) as STAMP + suffix, or STAMP-2 + suffix,
// STAMP-3... when that name is taken, and returns the file's path. `suffix` is one of
// `suffixes`, whose names share the sequence: a number taken by any of them is taken.
Result<std::string> KeepNew(const fs::path& dir, const std::string& stamp,
                            const std::vector<std::string>& suffixes, const std::string& suffix,
                            const std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return fileio::WriteError(dir.string(), ec.message());
  const auto named = [&](unsigned n, const std::string& end) {
    return dir / (stamp + (n == 1 ? "" : "-" + std::to_string(n)) + end);
  };
  const auto taken = [&](unsigned n) {
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&](const std::string& end) { return fs::exists(named(n, end), ec); });
  };
  unsigned n = 1;
  while (taken(n)) ++n;
  const fs::path path = named(n, suffix);
  const auto written = WriteFileAtomically(path.string(), bytes);
  if (!written.ok()) return written.error();
  return path.string();
}

}  // namespace

BackupStore::BackupStore(std::string folder, std::size_t limitPerPhone)
    : folder_(std::move(folder)), limit_(std::max<std::size_t>(limitPerPhone, 1)) {}

std::string BackupStore::DefaultFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (data && data[0] == '/') return (fs::path(data) / "quillet" / "backups").string();
  const char* home = std::getenv("HOME");
  return (fs::path(home && home[0] ? home : ".") / ".local" / "share" / "quillet" / "backups").string();
}

std::string BackupStore::ModelFolderName(const std::string& model) {
  std::string name;
  for (const char c : model) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
    name += plain && static_cast<unsigned char>(c) < 0x80 ? c : '_';
  }
  // "." and ".." would name the store or its parent; a leading dot would hide the folder.
  if (name.empty() || name.front() == '.') name.insert(0, "phone");
  return name;
}

std::vector<Backup> BackupStore::list(const std::string& model) const {
  const std::string folderName = ModelFolderName(model);
  const fs::path dir = fs::path(folder_) / folderName;
  std::vector<std::pair<NameKey, Backup>> found;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const auto key = ParseName(name);
    std::error_code sizeError;
    if (!key || !it->is_regular_file(sizeError)) continue;
    const auto size = it->file_size(sizeError);
    found.push_back({*key, Backup{folderName, name, it->path().string(), sizeError ? 0 : size, key->damaged,
                                  StampText(key->stamp)}});
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Backup> backups;
  for (auto& f : found) backups.push_back(std::move(f.second));
  return backups;
}

std::vector<Backup> BackupStore::list() const {
  std::vector<std::string> models;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code dirError;
    const std::string name = it->path().filename().string();
    if (it->is_directory(dirError) && ModelFolderName(name) == name) models.push_back(name);
  }
  std::sort(models.begin(), models.end());
  std::vector<Backup> all;
  for (const auto& model : models) {
    auto backups = list(model);
    all.insert(all.end(), backups.begin(), backups.end());
  }
  return all;
}

std::optional<Backup> BackupStore::newestIntact(const std::string& model) const {
  auto backups = list(model);
  for (auto it = backups.rbegin(); it != backups.rend(); ++it)
    if (!it->damaged) return *it;
  return std::nullopt;
}

Result<std::string> BackupStore::keep(const std::string& model, const std::vector<std::uint8_t>& bytes,
                                      std::chrono::system_clock::time_point when) {
  return store(model, bytes, when, false);
}

Result<std::string> BackupStore::keepDamaged(const std::string& model, const std::vector<std::uint8_t>& bytes,
                                             std::chrono::system_clock::time_point when) {
  return store(model, bytes, when, true);
}

Result<std::string> BackupStore::store(const std::string& model, const std::vector<std::uint8_t>& bytes,
                                       std::chrono::system_clock::time_point when, bool damaged) {
  const fs::path dir = fs::path(folder_) / ModelFolderName(model);
  auto backups = list(model);
  // Only a backup of the same kind stands in for a new one: a good menu that happens to
  // equal a damaged backup must still be kept as good.
  for (auto it = backups.rbegin(); it != backups.rend(); ++it) {
    if (it->damaged != damaged) continue;
    const auto newest = ReadWholeFile(it->path);
    if (newest.ok() && newest.value() == bytes) return it->path;
    break;
  }
  // Within one second the sequence number orders the backups, of either kind.
  const std::string intact = kSuffix;
  const std::string marked = std::string(kDamaged) + kSuffix;
  const Result<std::string> path =
      KeepNew(dir, Stamp(when), {intact, marked}, damaged ? marked : intact, bytes);
  if (!path) return path;

  // Only after the new backup is safe do the oldest make room for it.
  backups = list(model);
  std::error_code ec;
  for (std::size_t i = 0; i + limit_ < backups.size(); ++i) fs::remove(backups[i].path, ec);
  return path;
}

Result<std::string> BackupStore::keepFile(const std::string& model, const std::string& phonePath,
                                          const std::vector<std::uint8_t>& bytes,
                                          std::chrono::system_clock::time_point when) {
  // The name is made safe like a model's: the phone's path must not climb out.
  const std::string name = ModelFolderName(phonePath.substr(phonePath.rfind('/') + 1));
  const std::string suffix = "_" + name;
  return KeepNew(fs::path(folder_) / ModelFolderName(model) / "files", Stamp(when), {suffix}, suffix, bytes);
}

}  // namespace quillet
