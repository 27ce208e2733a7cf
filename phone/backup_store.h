#pragma once
// The backups of phone menus: every menu read from a phone, and the phone's menu just
// before it is overwritten, is kept as MODEL/YYYY-MM-DDTHH-MM-SS_mma_ucp under one
// folder, so that no transfer can cost the user the menu their phone had. A menu read
// back after a write that did not finish is kept as MODEL/..._damaged_mma_ucp: it is
// kept, but never offered as the menu to go back to.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "result.h"

namespace quillet {

struct Backup {
  std::string model;  // the phone's folder name
  std::string name;   // e.g. "2026-12-08T14-03-22_mma_ucp"
  std::string path;   // the full path of the file
  std::uint64_t size = 0;
  bool damaged = false;  // read from a phone whose last write did not finish
  std::string time;      // when it was taken, "2026-12-08 14:03:22" (local time)
};

class BackupStore {
 public:
  // Backups kept per phone model before the oldest go: a menu is at most 64 KiB, so
  // one phone's backups stay under 13 MiB.
  static constexpr std::size_t kDefaultLimit = 200;

  // `folder` holds one sub-folder per phone model; it is created on the first backup.
  explicit BackupStore(std::string folder, std::size_t limitPerPhone = kDefaultLimit);

  // $XDG_DATA_HOME/quillet/backups, or ~/.local/share/quillet/backups without it.
  static std::string DefaultFolder();

  const std::string& folder() const { return folder_; }

  // Keeps `bytes` as the newest backup of `model` taken at `when` (local time names
  // it) and returns its path. When the newest backup of that phone holds the same
  // bytes, nothing is written and its path is returned. Beyond the limit, that phone's
  // oldest backups are removed.
  Result<std::string> keep(const std::string& model, const std::vector<std::uint8_t>& bytes,
                           std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

  // Keeps `bytes` as a backup marked damaged; the same bytes as the newest damaged
  // backup are not stored twice.
  Result<std::string> keepDamaged(
      const std::string& model, const std::vector<std::uint8_t>& bytes,
      std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

  // The newest backup of `model` that is not marked damaged, or none.
  std::optional<Backup> newestIntact(const std::string& model) const;

  // Keeps a phone file other than the menu, about to be replaced, as
  // MODEL/files/YYYY-MM-DDTHH-MM-SS_NAME (NAME: the last part of `phonePath`) and
  // returns its path. These are few and small, never listed as menus nor removed.
  Result<std::string> keepFile(const std::string& model, const std::string& phonePath,
                               const std::vector<std::uint8_t>& bytes,
                               std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

  // Every backup, by model, oldest first within a model. Files that do not look like
  // backups are left out (and never removed).
  std::vector<Backup> list() const;
  std::vector<Backup> list(const std::string& model) const;

  // The folder name for a model: characters outside letters, digits, '.', '-' and '_'
  // become '_', so that a model name can neither climb out of the folder nor hide.
  static std::string ModelFolderName(const std::string& model);

 private:
  Result<std::string> store(const std::string& model, const std::vector<std::uint8_t>& bytes,
                            std::chrono::system_clock::time_point when, bool damaged);

  std::string folder_;
  std::size_t limit_;
};

}  // namespace quillet
