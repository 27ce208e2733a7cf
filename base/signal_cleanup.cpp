#include "signal_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

namespace quillet {

namespace {

constexpr int kSlots = 16;
constexpr int kSignals[] = {SIGINT, SIGTERM};

// Lock-free pointers, so the handler reads a whole path or none.
std::atomic<const char*> gPaths[kSlots];
static_assert(std::atomic<const char*>::is_always_lock_free);

void RemoveRegisteredPaths(int signal) {
  const int savedErrno = errno;
  // Files first, then the folders they emptied, whatever order they came in.
  for (auto& slot : gPaths) {
    const char* path = slot.load();
    if (path != nullptr && ::unlink(path) == 0) slot.store(nullptr);
  }
  for (auto& slot : gPaths) {
    const char* path = slot.exchange(nullptr);
    if (path != nullptr) ::rmdir(path);
  }
  errno = savedErrno;
  // The default action ends the process with the signal, so the parent sees why.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  ::raise(signal);
}

void InstallHandlersOnce() {
  static const bool installed = [] {
    for (int signal : kSignals) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = RemoveRegisteredPaths;
      ::sigemptyset(&action.sa_mask);
      for (int other : kSignals) ::sigaddset(&action.sa_mask, other);
      ::sigaction(signal, &action, nullptr);
    }
    return true;
  }();
  (void)installed;
}

}  // namespace

SignalCleanup::SignalCleanup(std::string path) : path_(std::move(path)) {
  InstallHandlersOnce();
  for (int i = 0; i < kSlots; ++i) {
    const char* expected = nullptr;
    if (gPaths[i].compare_exchange_strong(expected, path_.c_str())) {
      slot_ = i;
      return;
    }
  }
}

SignalCleanup::~SignalCleanup() {
  if (slot_ < 0) return;
  const char* expected = path_.c_str();
  gPaths[slot_].compare_exchange_strong(expected, nullptr);
}

}  // namespace quillet
