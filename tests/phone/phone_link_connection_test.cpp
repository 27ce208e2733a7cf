// Starting the library and following connect and disconnect notices.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "link_fixture.h"

namespace quillet::test {
namespace {

using ::testing::ElementsAre;

using Connection = LinkTest;

std::vector<std::uint8_t> Utf16Be(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  for (char c : text) {
    bytes.push_back(0);
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

TEST_F(Connection, StartsTheLibraryOnlyWhenItIsNotRunning) {
  library.status.otherwise = 0;
  EXPECT_TRUE(link->InitPhoneLink());
  EXPECT_EQ(countOf("P2K_Init"), 1);

  library.status.otherwise = 2;
  EXPECT_TRUE(link->InitPhoneLink());
  EXPECT_EQ(countOf("P2K_Init"), 1);
}

TEST_F(Connection, FailedStartIsReportedAndLeavesThePhoneCommandsAlone) {
  library.init.otherwise = -1;
  library.detail = "no USB access";
  const Status started = link->InitPhoneLink();
  ASSERT_FALSE(started);
  EXPECT_EQ(started.error().message, "Error initializing P2KAPI library");
  EXPECT_EQ(started.error().detail, "no USB access");
  EXPECT_THAT(log, ElementsAre("P2K_Init"));
}

TEST_F(Connection, ConnectWithoutDocumentEnablesOpenAndRestartButNotSave) {
  library.modelBytes = {0x00, 0x41, 0x00, 0x42, 0x00, 0x00};
  view.document = false;
  link->PhoneStatusChanged(1);
  EXPECT_THAT(log, ElementsAre("indicator green", "enable 10", "Seem_Read 279 1 0 0", "panel Phone: AB "));
  EXPECT_EQ(library.seemBufferSize, PhoneLink::kModelBufferSize);
}

TEST_F(Connection, ConnectWithDocumentAlsoEnablesSaveToPhone) {
  library.modelBytes = Utf16Be("V3");
  view.document = true;
  link->PhoneStatusChanged(7);  // any non-zero state is a connected phone
  EXPECT_TRUE(view.connected);
  EXPECT_TRUE(view.openAndRestart);
  EXPECT_TRUE(view.saveToPhone);
  EXPECT_EQ(view.panel, "Phone: V3 ");
}

TEST_F(Connection, DisconnectTurnsRedDisablesEverythingAndShowsNoPhone) {
  library.modelBytes = Utf16Be("V3");
  view.document = true;
  link->PhoneStatusChanged(1);
  log.clear();
  link->PhoneStatusChanged(0);
  EXPECT_THAT(log, ElementsAre("indicator red", "enable 00", "panel Phone: None "));
}

TEST_F(Connection, ModelReadRetriesWithPausesUntilAResult) {
  library.modelBytes = Utf16Be("E1");
  library.seem.queued = {-1, -1, -1};
  link->PhoneStatusChanged(1);
  EXPECT_EQ(countOf("Seem_Read 279 1 0 0"), 4);
  EXPECT_EQ(countOf("pause 300"), 3);
  EXPECT_EQ(view.panel, "Phone: E1 ");
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(Connection, ModelThatCannotBeReadKeepsThePanelAndTheEnabledCommands) {
  view.panel = "Phone: Old ";
  library.seem.otherwise = -1;
  link->PhoneStatusChanged(1);
  EXPECT_EQ(countOf("Seem_Read 279 1 0 0"), 10);
  EXPECT_EQ(countOf("pause 300"), 10);  // also after the tenth call
  EXPECT_EQ(view.errors, std::vector<std::string>{"Error getting phone model"});
  EXPECT_EQ(view.panel, "Phone: Old ");
  EXPECT_TRUE(view.connected);
  EXPECT_TRUE(view.openAndRestart);
}

TEST(PhonePanelText, TakesTheLowByteOfEachPairUpToTheZeroPair) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x41, 0x04, 0x42, 0x00, 0x00, 0x00, 0x43};
  EXPECT_EQ(PhonePanelText(bytes.data(), bytes.size()), "Phone: AB ");
}

TEST(PhonePanelText, APairWithOneZeroByteDoesNotEndTheName) {
  const std::vector<std::uint8_t> bytes = {0x41, 0x00, 0x00, 0x43, 0x00, 0x00};
  EXPECT_EQ(PhonePanelText(bytes.data(), bytes.size()), std::string("Phone: \0C ", 10));
}

TEST(PhonePanelText, NameWithoutZeroPairEndsAtTheBufferEnd) {
  std::vector<std::uint8_t> bytes(PhoneLink::kModelBufferSize);
  for (std::size_t i = 0; i < bytes.size(); i += 2) bytes[i + 1] = 'x';
  EXPECT_EQ(PhonePanelText(bytes.data(), bytes.size()), "Phone: " + std::string(5000, 'x') + " ");
}

TEST(PhonePanelText, LowBytesAboveAsciiBecomeUtf8) {
  const std::vector<std::uint8_t> bytes = {0x00, 0xE9, 0x00, 0x00};
  EXPECT_EQ(PhonePanelText(bytes.data(), bytes.size()), "Phone: \xC3\xA9 ");
}

TEST(PhonePanelText, OddTrailingByteIsIgnored) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x41, 0x00};
  EXPECT_EQ(PhonePanelText(bytes.data(), bytes.size()), "Phone: A ");
}

// Notices reach the window only through the posting hook, and not at all once the
// link is gone (the library may still hold the registered callback).
class PostedNotices : public ::testing::Test {
 protected:
  PostedNotices() {
    PhoneLinkHooks hooks;
    hooks.pause = [](int) {};
    hooks.postToUi = [this](std::function<void()> task) { queue.push_back(std::move(task)); };
    link = std::make_unique<PhoneLink>(library, view, stored, hooks);
    library.modelBytes = {0x00, 0x5A, 0x00, 0x00};
  }
  // Runs the queued tasks and those they queue in turn.
  void runQueue() {
    while (!queue.empty()) {
      auto tasks = std::move(queue);
      queue.clear();
      for (auto& task : tasks) task();
    }
  }

  std::vector<std::string> log;
  ScriptedLibrary library{log};
  RecordingView view{log};
  std::uint8_t stored = 0;
  std::vector<std::function<void()>> queue;
  std::unique_ptr<PhoneLink> link;
};

TEST_F(PostedNotices, ANoticeChangesTheWindowOnlyWhenThePostedTaskRuns) {
  link->InitPhoneLink();
  library.notify(1);
  EXPECT_FALSE(view.connected);
  ASSERT_EQ(queue.size(), 1u);
  runQueue();
  EXPECT_TRUE(view.connected);
  EXPECT_EQ(view.panel, "Phone: Z ");
}

TEST_F(PostedNotices, NoticesAfterTheLinkIsGoneAreDropped) {
  link->InitPhoneLink();
  library.notify(1);  // queued while the link lives
  link.reset();
  library.notify(1);  // arrives after the link is gone
  EXPECT_EQ(queue.size(), 1u);
  runQueue();
  EXPECT_FALSE(view.connected);
  EXPECT_TRUE(log.size() == 1 && log[0] == "P2K_Init");
}

TEST_F(Connection, RestartClearsStoredToPhoneWhateverTheResult) {
  StoredToPhone = 1;
  library.restart.otherwise = -1;
  link->RestartPhone();
  EXPECT_THAT(log, ElementsAre("P2K_Restart"));
  EXPECT_EQ(StoredToPhone, 0);
}

TEST_F(Connection, StatusIsTheLibrarysStatus) {
  library.status.queued = {0, 1, 3};
  EXPECT_EQ(link->status(), 0);
  EXPECT_EQ(link->status(), 1);
  EXPECT_EQ(link->status(), 3);
}

}  // namespace
}  // namespace quillet::test
