#pragma once
// A phone link over the scripted library and the recording window. Pauses are logged
// instead of slept, so every retry shows as "pause 300" at its place among the calls;
// the exchange folder is made inside the test's own folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "phone_link.h"
#include "scripted_library.h"
#include "temp_folder.h"

namespace quillet::test {

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() { makeLink(folder.path().string()); }

  void makeLink(const std::string& exchangeParent) {
    link.reset();
    PhoneLinkHooks hooks;
    hooks.pause = [this](int ms) { log.push_back("pause " + std::to_string(ms)); };
    hooks.exchangeParent = exchangeParent;
    link = std::make_unique<PhoneLink>(library, view, hooks);
  }

  // Reads the phone's menu: true with the bytes in `received`, or false with the error
  // kept and its message in `errors`.
  bool read() {
    Result<std::vector<std::uint8_t>> bytes = link->ReadPhoneFile();
    if (!bytes) return failed(bytes.error());
    received = bytes.value();
    return true;
  }
  bool write(const std::vector<std::uint8_t>& bytes) {
    const Status sent = link->WritePhoneFile(bytes);
    return sent ? true : failed(sent.error());
  }
  bool failed(const Error& error) {
    lastError = error;
    errors.push_back(error.message);
    log.push_back("error " + error.message);
    return false;
  }
  std::string exchangeFile() const { return link->exchangeFile(); }

  long countOf(const std::string& entry) const { return std::count(log.begin(), log.end(), entry); }
  bool logged(const std::string& entry) const { return countOf(entry) > 0; }
  // Log entries that start with `prefix`, in order.
  std::vector<std::string> entriesStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& entry : log)
      if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    return out;
  }

  TempFolder folder;
  std::vector<std::string> log;
  ScriptedLibrary library{log};
  RecordingView view{log};
  std::unique_ptr<PhoneLink> link;
  std::vector<std::uint8_t> received;
  std::vector<std::string> errors;
  Error lastError{ErrorCode::PhoneError, "", "", {}, {}};
};

}  // namespace quillet::test
