#include "write_journal.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "backup_store.h"
#include "file_io.h"
#include "file_io_errors.h"

namespace quillet {
namespace fs = std::filesystem;

namespace {

// Not a backup's name, so the backup store neither lists nor removes it.
constexpr char kJournalName[] = "write-journal";
constexpr char kMagic[] = "quillet write journal 1";

std::vector<std::uint8_t> Encode(const JournalEntry& entry) {
  std::ostringstream text;
  text << kMagic << '\n'
       << "backup " << entry.backupPath << '\n'
       << "size " << entry.size << '\n'
       << "crc32 " << entry.checksum << '\n'
       << "time " << entry.time << '\n'
       << "done " << (entry.done ? 1 : 0) << '\n';
  const std::string s = text.str();
  return {s.begin(), s.end()};
}

std::optional<JournalEntry> Decode(const std::vector<std::uint8_t>& bytes) {
  std::istringstream text(std::string(bytes.begin(), bytes.end()));
  std::string line;
  if (!std::getline(text, line) || line != kMagic) return std::nullopt;
  JournalEntry entry;
  unsigned seen = 0;
  while (std::getline(text, line)) {
    const auto space = line.find(' ');
    if (space == std::string::npos) return std::nullopt;
    const std::string key = line.substr(0, space), value = line.substr(space + 1);
    try {
      std::size_t used = 0;
      if (key == "backup") {
        entry.backupPath = value;
        used = value.size();
      } else if (key == "size") {
        entry.size = std::stoull(value, &used);
      } else if (key == "crc32") {
        const unsigned long long crc = std::stoull(value, &used);
        if (crc > 0xFFFFFFFFull) return std::nullopt;
        entry.checksum = static_cast<std::uint32_t>(crc);
      } else if (key == "time") {
        entry.time = std::stoll(value, &used);
      } else if (key == "done") {
        if (value != "0" && value != "1") return std::nullopt;
        entry.done = value == "1";
        used = 1;
      } else {
        continue;  // a later version's field
      }
      if (used != value.size()) return std::nullopt;
      ++seen;
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  if (seen != 5 || entry.backupPath.empty()) return std::nullopt;
  return entry;
}

}  // namespace

std::string WriteJournal::path(const std::string& model) const {
  return (fs::path(folder_) / BackupStore::ModelFolderName(model) / kJournalName).string();
}

std::uint32_t WriteJournal::Checksum(const std::vector<std::uint8_t>& bytes) {
  // CRC-32 (IEEE, reflected): plenty to tell a cut or changed menu from the one sent.
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

bool WriteJournal::Matches(const JournalEntry& entry, const std::vector<std::uint8_t>& bytes) {
  return entry.size == bytes.size() && entry.checksum == Checksum(bytes);
}

Status WriteJournal::begin(const std::string& model, const JournalEntry& entry) {
  const fs::path file = path(model);
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) return fileio::WriteError(file.parent_path().string(), ec.message());
  JournalEntry open = entry;
  open.done = false;
  return WriteFileAtomically(file.string(), Encode(open));
}

Status WriteJournal::finish(const std::string& model) {
  auto entry = last(model);
  if (!entry || entry->done) return Ok();
  entry->done = true;
  return WriteFileAtomically(path(model), Encode(*entry));
}

std::optional<JournalEntry> WriteJournal::last(const std::string& model) const {
  std::error_code ec;
  if (!fs::is_regular_file(path(model), ec)) return std::nullopt;
  const auto bytes = ReadWholeFile(path(model));
  if (!bytes) return std::nullopt;
  return Decode(bytes.value());
}

std::optional<JournalEntry> WriteJournal::unfinished(const std::string& model) const {
  auto entry = last(model);
  if (entry && entry->done) return std::nullopt;
  return entry;
}

}  // namespace quillet
