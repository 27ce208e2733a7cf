#pragma once
// The write journal: before the first byte of a write to a phone is deleted or written,
// what is about to happen is recorded beside that phone's backups (the backup of the
// menu the phone held, the size and checksum of what is sent, the time), and the entry
// is marked done once the phone's menu is known to be sound again. An entry left open
// means the phone's menu is in doubt: a cable pulled mid-write leaves it cut short, and
// the next connection finds that out by comparing the phone's menu with the entry.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "result.h"

namespace quillet {

struct JournalEntry {
  std::string backupPath;      // the phone's menu from just before the write
  std::uint64_t size = 0;      // bytes sent
  std::uint32_t checksum = 0;  // CRC-32 of them
  std::int64_t time = 0;       // seconds since 1970 when the write began
  bool done = false;
};

class WriteJournal {
 public:
  // `backupsFolder`: the BackupStore's folder; the journal of a model lives in that
  // model's folder there.
  explicit WriteJournal(std::string backupsFolder) : folder_(std::move(backupsFolder)) {}

  // Records the write about to start, replacing the model's earlier entry.
  Status begin(const std::string& model, const JournalEntry& entry);
  // Marks the model's entry done; nothing to do when there is none.
  Status finish(const std::string& model);
  // The model's last entry; none when there is no journal or it cannot be read (a
  // journal that is not ours is no evidence of a write).
  std::optional<JournalEntry> last(const std::string& model) const;
  // The last entry when it is not done.
  std::optional<JournalEntry> unfinished(const std::string& model) const;

  // Whether `bytes` are what the entry says was sent.
  static bool Matches(const JournalEntry& entry, const std::vector<std::uint8_t>& bytes);
  static std::uint32_t Checksum(const std::vector<std::uint8_t>& bytes);
  // The journal file of `model`.
  std::string path(const std::string& model) const;

 private:
  std::string folder_;
};

}  // namespace quillet
