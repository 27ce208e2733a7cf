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

class PhoneMenuGuard {
 public:
  // `StoredToPhone` is the window's flag: a write that fails its check clears it again.
  PhoneMenuGuard(PhoneMenuFile& phone, BackupStore& backups, std::uint8_t& storedToPhone,
                 std::function<void(const PhoneProgress&)> progress = {});

  // Reads the phone's menu and keeps it in the backups of `model`.
  Result<PhoneRead> open(const std::string& model);

  // Backs up the phone's current menu, writes `bytes`, reads them back and compares.
  // Nothing is sent when the phone's menu could not be read or backed up. Returns the
  // backup's path; a failed check is an error that names it (Error::path).
  Result<std::string> save(const std::string& model, const std::vector<std::uint8_t>& bytes,
                           bool verify = true);

 private:
  void report(PhoneStep step, std::size_t done, std::size_t total) const;
  Status verify(const std::vector<std::uint8_t>& sent, const std::string& backupPath);

  PhoneMenuFile& phone_;
  BackupStore& backups_;
  std::uint8_t& StoredToPhone;
  std::function<void(const PhoneProgress&)> progress_;
};

}  // namespace quillet
