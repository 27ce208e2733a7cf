#pragma once
// Puts a file of the computer on the phone as safely as a menu is saved: a file of that
// path is backed up before it is replaced, the new bytes are read back and compared, and
// only a put that compares equal counts.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "backup_store.h"
#include "phone_link.h"
#include "phone_menu_guard.h"
#include "result.h"

namespace quillet {

struct PhoneFilePut {
  bool replaced = false;   // the phone had a file at that path
  std::string backupPath;  // where that file is kept; empty for a new file
};

class PhoneFileGuard {
 public:
  PhoneFileGuard(PhoneLink& link, BackupStore& backups,
                 std::function<void(const PhoneProgress&)> progress = {});

  // Whether the phone lists a file at `path`.
  Result<bool> exists(const std::string& path);
  // Backs up the phone's file at `path` when there is one, writes `bytes` there, reads
  // them back and compares. Nothing is sent when the old file could not be backed up.
  Result<PhoneFilePut> put(const std::string& model, const std::string& path,
                           const std::vector<std::uint8_t>& bytes);

 private:
  void report(PhoneStep step, std::size_t done, std::size_t total) const;

  PhoneLink& link_;
  BackupStore& backups_;
  std::function<void(const PhoneProgress&)> progress_;
};

}  // namespace quillet
