#pragma once
// Keeps phone transfers safe for the user's menus: every menu read from the phone, and
// the phone's menu just before it is overwritten, goes to the backups; every write is
// recorded in the write journal before it starts, read back and compared with what was
// sent, and only a write that compares equal counts. A write that did not finish is
// found again at the next read: the phone's menu is then kept as a damaged backup and
// the menu from before the write is named for a restore.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup_store.h"
#include "result.h"
#include "write_journal.h"

namespace quillet {

// What the guard needs of the phone: its menu file, read whole and written whole.
class PhoneMenuFile {
 public:
  virtual ~PhoneMenuFile() = default;
  virtual Result<std::vector<std::uint8_t>> readMenu() = 0;
  virtual Status writeMenu(const std::vector<std::uint8_t>& bytes) = 0;
  // Whether the phone is still there to be asked (after a failed write).
  virtual bool ready() { return true; }
};

enum class PhoneStep { Reading, BackingUp, Writing, Verifying };

struct PhoneProgress {
  PhoneStep step;
  std::size_t done = 0;   // bytes of this step done
  std::size_t total = 0;  // bytes of this step; 0 while not known
};

// The phone's menu is not what the last write to it sent, nor what it held before.
struct PhoneDamage {
  Backup before;            // the menu the phone had before that write
  std::string damagedPath;  // where the menu read now is kept; empty when it could not be
  std::size_t heldBytes = 0;
  std::uint64_t sentBytes = 0;
};

struct PhoneRead {
  std::vector<std::uint8_t> bytes;
  std::string backupPath;             // empty when the backup failed
  std::string backupError;            // why, for the front end to mention; the menu is still good
  std::optional<PhoneDamage> damage;  // set when the menu read is a damaged one
};

// What the last save did to the phone's menu file.
enum class PhoneMenuWrite {
  None,    // nothing was sent: the phone's menu is as it was
  Stored,  // the phone holds the menu sent (it read back equal, when the save verified)
  Failed,  // a write began but did not complete or read back different
};

// How the bytes read back (`held`) differ from those sent, as the end of a sentence;
// empty when they are equal.
std::string DescribeDifference(const std::vector<std::uint8_t>& sent, const std::vector<std::uint8_t>& held);

class PhoneMenuGuard {
 public:
  // The write journal lives in the backups' folder.
  PhoneMenuGuard(PhoneMenuFile& phone, BackupStore& backups,
                 std::function<void(const PhoneProgress&)> progress = {});

  // At a connection: when the last write to `model` did not finish, reads the phone's
  // menu and compares it with what was sent. Nothing when all is well (a menu that
  // matches closes the journal's entry); the damage otherwise. Reads nothing when the
  // journal has no open entry.
  Result<std::optional<PhoneDamage>> check(const std::string& model);

  // Reads the phone's menu and keeps it in the backups of `model` (marked damaged when
  // the last write did not finish and the menu shows it).
  Result<PhoneRead> open(const std::string& model);

  // Backs up the phone's current menu, records the write, writes `bytes`, reads them
  // back and compares. Nothing is sent when the phone's menu could not be read or
  // backed up, or the write could not be recorded. Returns the backup's path; a failed
  // write or check is an error that says in what state the phone's menu is and names
  // the backup (Error::path for a failed check).
  Result<std::string> save(const std::string& model, const std::vector<std::uint8_t>& bytes,
                           bool verify = true);
  // What the last save did to the phone's menu; None before the first.
  PhoneMenuWrite lastWrite() const { return lastWrite_; }

  // The backup a restore writes unless told otherwise: the one taken before the last
  // write, while that write is unfinished; else the newest backup not marked damaged.
  Result<Backup> restoreChoice(const std::string& model) const;

 private:
  void report(PhoneStep step, std::size_t done, std::size_t total) const;
  // Compares `held` with the journal's open entry: closes it when the phone holds what
  // was sent or what it had before; otherwise keeps `held` as damaged and tells so.
  std::optional<PhoneDamage> settle(const std::string& model, const std::vector<std::uint8_t>& held);
  // The reasons a failed write adds: what happened, what the phone holds now, the backup.
  Error failedWrite(Error error, const std::string& model, const std::vector<std::uint8_t>& before,
                    const std::string& backupPath);
  Status verify(const std::vector<std::uint8_t>& sent, const std::string& backupPath);
  Backup backupAt(const std::string& model, const std::string& path, std::int64_t time) const;

  PhoneMenuFile& phone_;
  BackupStore& backups_;
  WriteJournal journal_;
  PhoneMenuWrite lastWrite_ = PhoneMenuWrite::None;
  std::function<void(const PhoneProgress&)> progress_;
};

// The sentence that names the backup of the menu a phone had before a write.
std::string KeptBeforeNote(const std::string& backupPath);

}  // namespace quillet
