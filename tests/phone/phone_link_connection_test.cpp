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

TEST_F(Connection, ConnectIsReportedThenTheModelItReads) {
  library.modelBytes = {0x00, 0x41, 0x00, 0x42, 0x00, 0x00};
  link->PhoneStatusChanged(1);
  EXPECT_THAT(log, ElementsAre("connected", "Seem_Read 279 1 0 0", "model AB"));
  EXPECT_EQ(library.seemBufferSize, PhoneLink::kModelBufferSize);
  EXPECT_EQ(link->model(), "AB");
}

TEST_F(Connection, AnyNonZeroStateIsAConnectedPhone) {
  library.modelBytes = Utf16Be("V3");
  link->PhoneStatusChanged(7);
  EXPECT_TRUE(view.connected);
  EXPECT_EQ(view.model, "V3");
}

TEST_F(Connection, DisconnectIsReportedAndForgetsTheModel) {
  library.modelBytes = Utf16Be("V3");
  link->PhoneStatusChanged(1);
  log.clear();
  link->PhoneStatusChanged(0);
  EXPECT_THAT(log, ElementsAre("disconnected"));
  EXPECT_EQ(link->model(), "");
}

TEST_F(Connection, ModelReadRetriesWithPausesUntilAResult) {
  library.modelBytes = Utf16Be("E1");
  library.seem.queued = {-1, -1, -1};
  link->PhoneStatusChanged(1);
  EXPECT_EQ(countOf("Seem_Read 279 1 0 0"), 4);
  EXPECT_EQ(countOf("pause 300"), 3);
  EXPECT_EQ(view.model, "E1");
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(Connection, ModelThatCannotBeReadIsAnErrorAndNoModel) {
  library.seem.otherwise = -1;
  link->PhoneStatusChanged(1);
  EXPECT_EQ(countOf("Seem_Read 279 1 0 0"), 10);
  EXPECT_EQ(countOf("pause 300"), 10);  // also after the tenth call
  EXPECT_EQ(view.errors, std::vector<std::string>{"Error getting phone model"});
  EXPECT_FALSE(logged("model "));
  EXPECT_TRUE(view.connected);
}

TEST(PhoneModelName, TakesTheLowByteOfEachPairUpToTheZeroPair) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x41, 0x04, 0x42, 0x00, 0x00, 0x00, 0x43};
  EXPECT_EQ(PhoneModelName(bytes.data(), bytes.size()), "AB");
}

TEST(PhoneModelName, APairWithOneZeroByteDoesNotEndTheName) {
  const std::vector<std::uint8_t> bytes = {0x41, 0x00, 0x00, 0x43, 0x00, 0x00};
  EXPECT_EQ(PhoneModelName(bytes.data(), bytes.size()), std::string("\0C", 2));
}

TEST(PhoneModelName, NameWithoutZeroPairEndsAtTheBufferEnd) {
  std::vector<std::uint8_t> bytes(PhoneLink::kModelBufferSize);
  for (std::size_t i = 0; i < bytes.size(); i += 2) bytes[i + 1] = 'x';
  EXPECT_EQ(PhoneModelName(bytes.data(), bytes.size()), std::string(5000, 'x'));
}

TEST(PhoneModelName, LowBytesAboveAsciiBecomeUtf8) {
  const std::vector<std::uint8_t> bytes = {0x00, 0xE9, 0x00, 0x00};
  EXPECT_EQ(PhoneModelName(bytes.data(), bytes.size()), "\xC3\xA9");
}

TEST(PhoneModelName, OddTrailingByteIsIgnored) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x41, 0x00};
  EXPECT_EQ(PhoneModelName(bytes.data(), bytes.size()), "A");
}

// Notices reach the window only through the posting hook, and not at all once the
// link is gone (the library may still hold the registered callback).
class PostedNotices : public ::testing::Test {
 protected:
  PostedNotices() {
    PhoneLinkHooks hooks;
    hooks.pause = [](int) {};
    hooks.postToUi = [this](std::function<void()> task) { queue.push_back(std::move(task)); };
    link = std::make_unique<PhoneLink>(library, view, hooks);
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
  EXPECT_EQ(view.model, "Z");
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

TEST_F(Connection, RestartCallsTheLibraryOnce) {
  library.restart.otherwise = -1;
  link->RestartPhone();
  EXPECT_THAT(log, ElementsAre("P2K_Restart"));
}

TEST_F(Connection, StatusIsTheLibrarysStatus) {
  library.status.queued = {0, 1, 3};
  EXPECT_EQ(link->status(), 0);
  EXPECT_EQ(link->status(), 1);
  EXPECT_EQ(link->status(), 3);
}

}  // namespace
}  // namespace quillet::test
