#pragma once
// Paths that must not outlive the process when SIGINT or SIGTERM ends it. A signal
// handler cannot run destructors, so whatever the process made and must take with it
// (a private folder, a half-written file) is registered here; the handler removes every
// registered path with async-signal-safe calls (files first, then the folders they
// emptied) and then lets the signal end the process as it would have.
#include <string>

namespace quillet {

class SignalCleanup {
 public:
  // Registers `path` (a file, or a folder that is empty once its registered files are
  // gone) for as long as this object lives. Registering installs the handlers for
  // SIGINT and SIGTERM where the process still has their default action.
  explicit SignalCleanup(std::string path);
  ~SignalCleanup();
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

  // False when every slot was taken; the path then simply is not removed on a signal.
  bool registered() const { return slot_ >= 0; }

 private:
  std::string path_;  // the handler reads its characters; they live as long as the slot
  int slot_ = -1;
};

}  // namespace quillet
