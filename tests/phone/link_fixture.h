#pragma once
// A phone link over the scripted library and the recording window. Pauses are logged
// instead of slept, so every retry shows as "pause 300" at its place among the calls.
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
  LinkTest() { makeLink(folder.file("mma_temp")); }

  void makeLink(const std::string& tempFilePath) {
    link.reset();
    PhoneLinkHooks hooks;
    hooks.pause = [this](int ms) { log.push_back("pause " + std::to_string(ms)); };
    link = std::make_unique<PhoneLink>(library, view, tempFilePath, StoredToPhone, hooks);
  }

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
  std::uint8_t StoredToPhone = 0;
  std::unique_ptr<PhoneLink> link;
};

}  // namespace quillet::test
