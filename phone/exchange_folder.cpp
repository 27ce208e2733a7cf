#include "exchange_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quillet {

namespace {

std::string DefaultParent() {
  for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* value = std::getenv(variable);
    std::error_code ec;
    if (value != nullptr && *value != '\0' && std::filesystem::is_directory(value, ec)) return value;
  }
  return "/tmp";
}

}  // namespace

ExchangeFolder::~ExchangeFolder() { remove(); }

void ExchangeFolder::remove() {
  // Unregister first, so a signal now cannot race the removal below.
  fileCleanup_.reset();
  folderCleanup_.reset();
  if (folder_.empty()) return;
  // Only what this process made goes: the exchange file, then its folder. Anything else
  // found there keeps the folder in place rather than being deleted unseen.
  std::error_code ec;
  std::filesystem::remove(file_, ec);  // nothing to tell anyone while closing
  std::filesystem::remove(folder_, ec);
  folder_.clear();
  file_.clear();
}

Result<std::string> ExchangeFolder::filePath() {
  if (folder_.empty()) {
    const std::string parent = parent_.empty() ? DefaultParent() : parent_;
    std::string pattern = parent + "/quillet-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      return Error{ErrorCode::FileNotWritable,
                   "Cannot make a private folder for the exchange file in \"" + parent +
                       "\": " + std::strerror(errno) + ".",
                   parent,
                   {},
                   {}};
    }
    folder_ = pattern;
    file_ = folder_ + "/" + kFileName;
    folderCleanup_ = std::make_unique<SignalCleanup>(folder_);
    fileCleanup_ = std::make_unique<SignalCleanup>(file_);
  }
  return file_;
}

}  // namespace quillet
