#pragma once
// The home of the exchange file: a folder of this process alone, made with mkdtemp under
// the runtime folder (XDG_RUNTIME_DIR) or else the temporary folder (TMPDIR, else /tmp)
// when the file is first needed, and removed with the exchange file when this object
// goes or when SIGINT or SIGTERM ends the process. No user file can live in it, so
// removing it never costs a user a file, and two editors never share one.
#include <memory>
#include <string>
#include <utility>

#include "result.h"
#include "signal_cleanup.h"

namespace quillet {

class ExchangeFolder {
 public:
  static constexpr const char* kFileName = "mma_temp";

  // `parent`: where the folder is made; empty: the runtime or else the temporary folder.
  explicit ExchangeFolder(std::string parent = {}) : parent_(std::move(parent)) {}
  ~ExchangeFolder();
  ExchangeFolder(const ExchangeFolder&) = delete;
  ExchangeFolder& operator=(const ExchangeFolder&) = delete;

  // The exchange file's path, making the folder first when there is none yet.
  Result<std::string> filePath();
  // Removes the exchange file and the folder; the next filePath() makes a new folder.
  void remove();
  // The exchange file's path, or empty while no folder was made.
  const std::string& file() const { return file_; }

 private:
  std::string parent_;
  std::string folder_;
  std::string file_;
  std::unique_ptr<SignalCleanup> folderCleanup_;
  std::unique_ptr<SignalCleanup> fileCleanup_;
};

}  // namespace quillet
