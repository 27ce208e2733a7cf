#pragma once
// Keeps phone transfers safe for the user's menus: every menu read from the phone, and
// the phone's menu just before it is overwritten, goes to the backups; every write is
// read back and compared with what was sent, and only a write that compares equal counts.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "backup_store.h"
#include "result.h"

namespace quillet {

// What the guard needs of the phone: its menu file, read whole and written whole.
class PhoneMenuFile {
 public:
  virtual ~PhoneMenuFile() = default;
  virtual Result<std::vector<std::uint8_t>> readMenu() = 0;
  virtual Status writeMenu(const std::vector<std::uint8_t>& bytes) = 0;
};

enum class PhoneStep { Reading, BackingUp, Writing, Verifying };

struct PhoneProgress {
  PhoneStep step;
  std::size_t done = 0;   // bytes of this step done
  std::size_t total = 0;  // bytes of this step; 0 while not known
};

struct PhoneRead {
  std::vector<std::uint8_t> bytes;
  std::string backupPath;  // empty when the backup failed
  std::string backupError;  // why, for the front end to mention; the menu is still good
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
  PhoneMenuGuard(PhoneMenuFile& phone, BackupStore& backups,
                 std::function<void(const PhoneProgress&)> progress = {});

  // Reads the phone's menu and keeps it in the backups of `model`.
  Result<PhoneRead> open(const std::string& model);

  // Backs up the phone's current menu, writes `bytes`, reads them back and compares.
  // Nothing is sent when the phone's menu could not be read or backed up. Returns the
  // backup's path; a failed check is an error that names it (Error::path).
  Result<std::string> save(const std::string& model, const std::vector<std::uint8_t>& bytes,
                           bool verify = true);
  // What the last save did to the phone's menu; None before the first.
  PhoneMenuWrite lastWrite() const { return lastWrite_; }

 private:
  void report(PhoneStep step, std::size_t done, std::size_t total) const;
  Status verify(const std::vector<std::uint8_t>& sent, const std::string& backupPath);

  PhoneMenuFile& phone_;
  BackupStore& backups_;
  PhoneMenuWrite lastWrite_ = PhoneMenuWrite::None;
  std::function<void(const PhoneProgress&)> progress_;
};

}  // namespace quillet
