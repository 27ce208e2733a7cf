#include "phone_file_guard.h"

#include <utility>

namespace quillet {

PhoneFileGuard::PhoneFileGuard(PhoneLink& link, BackupStore& backups,
                               std::function<void(const PhoneProgress&)> progress)
    : link_(link), backups_(backups), progress_(std::move(progress)) {}

void PhoneFileGuard::report(PhoneStep step, std::size_t done, std::size_t total) const {
  if (progress_) progress_(PhoneProgress{step, done, total});
}

Result<bool> PhoneFileGuard::exists(const std::string& path) {
  auto files = link_.ListFiles();
  if (!files) return files.error();
  for (const PhoneFileInfo& file : files.value())
    if (file.path == path) return true;
  return false;
}

Result<PhoneFilePut> PhoneFileGuard::put(const std::string& model, const std::string& path,
                                         const std::vector<std::uint8_t>& bytes) {
  report(PhoneStep::Reading, 0, 0);
  const Result<bool> there = exists(path);
  if (!there) return there.error();
  PhoneFilePut put;
  if (there.value()) {
    const auto current = link_.ReadFileAt(path);
    if (!current) return current.error();
    report(PhoneStep::BackingUp, 0, current->size());
    const auto kept = backups_.keepFile(model, path, current.value());
    if (!kept)
      return Error{ErrorCode::PhoneError,
                   "Nothing was sent: " + path + " could not be backed up. " + kept.error().message, path,
                   std::nullopt, std::nullopt};
    put = {true, kept.value()};
  }
  report(PhoneStep::Writing, 0, bytes.size());
  if (Status written = link_.WriteFileAt(path, bytes); !written) return written.error();
  report(PhoneStep::Writing, bytes.size(), bytes.size());
  report(PhoneStep::Verifying, 0, bytes.size());
  const auto back = link_.ReadFileAt(path);
  if (!back) return back.error();
  report(PhoneStep::Verifying, back->size(), bytes.size());
  const std::string difference = DescribeDifference(bytes, back.value());
  if (!difference.empty())
    return Error{ErrorCode::PhoneError,
                 "The file written to the phone does not match what was sent: " + difference, path,
                 std::nullopt, std::nullopt};
  return put;
}

}  // namespace quillet
