// The emulated phone alone and end to end through the phone link.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "emulated_phone.h"
#include "phone_link.h"
#include "scripted_library.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kMenu = "/a/mobile/system/mma_ucp";

class EmulatedPhoneTest : public ::testing::Test {
 protected:
  EmulatedPhoneTest() {
    WriteBytes(phoneDir.path() / "a/mobile/system/mma_ucp", menu);
    WriteBytes(phoneDir.path() / "a/mobile/picture/logo.gif", Pattern(40));
    WriteBytes(phoneDir.path() / "b/readme", Pattern(3));
  }
  std::filesystem::path phoneMenu() const { return phoneDir.path() / "a/mobile/system/mma_ucp"; }
  std::vector<TP2KFileEntry> list() {
    std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(phone.File_Count()));
    phone.File_List(entries.data(), static_cast<std::int32_t>(entries.size()));
    return entries;
  }
  void start() {
    ASSERT_EQ(phone.P2K_Init([this](std::int32_t s) { notices.push_back(s); }), 0);
  }

  TempFolder phoneDir;
  std::vector<std::uint8_t> menu = Pattern(2000, 11);
  EmulatedPhone phone{phoneDir.path(), "V3i"};
  std::vector<std::int32_t> notices;
};

TEST_F(EmulatedPhoneTest, ConnectsRightAfterStartAndReportsItsState) {
  EXPECT_EQ(phone.P2K_GetStatus(), 0);
  EXPECT_EQ(phone.File_Count(), -1);  // nothing works before the start
  start();
  EXPECT_THAT(notices, ElementsAre(1));
  EXPECT_EQ(phone.P2K_GetStatus(), 1);
  phone.setConnected(false);
  EXPECT_EQ(phone.P2K_GetStatus(), 2);
  EXPECT_EQ(phone.File_Count(), -1);
  phone.setConnected(true);
  EXPECT_THAT(notices, ElementsAre(1, 0, 1));
}

TEST_F(EmulatedPhoneTest, RestartIsADisconnectAndAReconnect) {
  start();
  EXPECT_EQ(phone.P2K_Restart(), 0);
  EXPECT_THAT(notices, ElementsAre(1, 0, 1));
}

TEST_F(EmulatedPhoneTest, ModelNameIsUtf16BigEndianEndedByAZeroPair) {
  start();
  std::vector<std::uint8_t> buffer(10000, 0xEE);
  EXPECT_NE(phone.Seem_Read(279, 1, 0, 0, buffer.data(), buffer.size()), -1);
  EXPECT_THAT(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 9),
              ElementsAre(0, 'V', 0, '3', 0, 'i', 0, 0, 0xEE));
  EXPECT_EQ(phone.Seem_Read(280, 1, 0, 0, buffer.data(), buffer.size()), -1);
  std::uint8_t tiny[3] = {9, 9, 9};
  EXPECT_EQ(phone.Seem_Read(279, 1, 0, 0, tiny, 2), 2);  // never past the given size
  EXPECT_EQ(tiny[2], 9);
}

TEST_F(EmulatedPhoneTest, ListsEveryFileWithPathSizeAndAttributes) {
  start();
  phone.setAttributes(kMenu, 0x00020003);
  const auto entries = list();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_STREQ(entries[0].name, "/a/mobile/picture/logo.gif");
  EXPECT_STREQ(entries[1].name, kMenu);
  EXPECT_EQ(entries[1].size, 2000u);
  EXPECT_EQ(entries[1].attrHigh, 2);
  EXPECT_EQ(entries[1].attrLow, 3);
  EXPECT_STREQ(entries[2].name, "/b/readme");
  TP2KFileEntry one;
  EXPECT_EQ(phone.File_List(&one, 1), 1);  // a short list is filled as far as it goes
}

TEST_F(EmulatedPhoneTest, PathsThatCouldLeaveTheFolderAreRefused) {
  start();
  WriteBytes(phoneDir.path().parent_path() / "outside-quillet", {1});
  for (const char* path :
       {"/../outside-quillet", "/a/../../x", "a/mobile/system/mma_ucp", "/a//mobile", "/a/./mobile", "/", ""})
    EXPECT_EQ(phone.File_Create(path, 0), -1) << path;
  std::filesystem::remove(phoneDir.path().parent_path() / "outside-quillet");
  EXPECT_EQ(phone.File_Create("/a/mobile", 0), -1);             // a folder, not a file
  EXPECT_EQ(phone.File_Create("/no/such/folder/file", 0), -1);  // folders are not made
}

TEST_F(EmulatedPhoneTest, CreateMakesANewFileWithItsAttributes) {
  start();
  EXPECT_EQ(phone.File_Create("/b/new", 0x00010002), 0);
  EXPECT_EQ(phone.File_Write(reinterpret_cast<const std::uint8_t*>("hi"), 2), 2);
  EXPECT_EQ(phone.File_Close(), 0);
  EXPECT_EQ(ReadBytes(phoneDir.path() / "b/new"), (std::vector<std::uint8_t>{'h', 'i'}));
  const auto entries = list();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_STREQ(entries[2].name, "/b/new");
  EXPECT_EQ(entries[2].attrHigh, 1);
  EXPECT_EQ(entries[2].attrLow, 2);
}

TEST_F(EmulatedPhoneTest, ReadsFromThePointer) {
  start();
  ASSERT_EQ(phone.File_Create(kMenu, 0), 0);
  std::vector<std::uint8_t> buffer(100);
  EXPECT_EQ(phone.File_SetPointer(1990, 0), 0);
  EXPECT_EQ(phone.File_Read(buffer.data(), 100, 9), 10);
  EXPECT_EQ(buffer[0], menu[1990]);
  EXPECT_EQ(phone.File_Read(buffer.data(), 100, 9), 0);
  EXPECT_EQ(phone.File_SetPointer(-5, 2), 0);
  EXPECT_EQ(phone.File_Read(buffer.data(), 100, 9), 5);
  EXPECT_EQ(phone.File_SetPointer(-1, 0), -1);
  EXPECT_EQ(phone.File_Close(), 0);
  EXPECT_EQ(phone.File_Read(buffer.data(), 100, 9), -1);  // no open file
}

TEST_F(EmulatedPhoneTest, AWriteEndsTheFileAfterItsBytes) {
  start();
  ASSERT_EQ(phone.File_Create(kMenu, 0), 0);
  EXPECT_EQ(phone.File_Write(menu.data(), 5), 5);
  EXPECT_EQ(ReadBytes(phoneMenu()), std::vector<std::uint8_t>(menu.begin(), menu.begin() + 5));
}

TEST_F(EmulatedPhoneTest, PullingTheCableClosesTheOpenFile) {
  start();
  ASSERT_EQ(phone.File_Create(kMenu, 0), 0);
  phone.setConnected(false);
  phone.setConnected(true);
  std::uint8_t byte = 0;
  EXPECT_EQ(phone.File_Read(&byte, 1, 9), -1);
}

// The emulated phone behind the real link.
class EmulatedPhoneThroughLink : public EmulatedPhoneTest {
 protected:
  EmulatedPhoneThroughLink() {
    PhoneLinkHooks hooks;
    hooks.pause = [this](int ms) { log.push_back("pause " + std::to_string(ms)); };
    hooks.exchangeParent = exchangeDir.path().string();
    link = std::make_unique<PhoneLink>(phone, view, hooks);
  }
  std::optional<std::vector<std::uint8_t>> read() {
    auto bytes = link->ReadPhoneFile();
    if (bytes) return bytes.value();
    lastError = bytes.error();
    return std::nullopt;
  }
  bool write(const std::vector<std::uint8_t>& bytes) {
    const Status sent = link->WritePhoneFile(bytes);
    if (!sent) lastError = sent.error();
    return sent.ok();
  }

  TempFolder exchangeDir;
  Error lastError{ErrorCode::PhoneError, "", "", {}, {}};
  std::vector<std::string> log;
  RecordingView view{log};
  std::unique_ptr<PhoneLink> link;
};

TEST_F(EmulatedPhoneThroughLink, StartShowsTheConnectedPhoneAndItsModel) {
  link->InitPhoneLink();
  EXPECT_TRUE(view.connected);
  EXPECT_EQ(view.model, "V3i");
}

TEST_F(EmulatedPhoneThroughLink, ReadThenWriteBackKeepsThePhoneFileByteForByte) {
  link->InitPhoneLink();
  const auto received = read();
  ASSERT_TRUE(received) << lastError.message;
  EXPECT_EQ(*received, menu);
  EXPECT_EQ(view.statusLine, "Files found: 3");

  EXPECT_TRUE(write(*received));
  EXPECT_EQ(ReadBytes(phoneMenu()), menu);
  EXPECT_TRUE(view.errors.empty());
  EXPECT_EQ(std::count(log.begin(), log.end(), "pause 300"), 0);
}

TEST_F(EmulatedPhoneThroughLink, ShorterMenuReplacesTheWholePhoneFile) {
  link->InitPhoneLink();
  const std::vector<std::uint8_t> shorter = Pattern(700, 40);
  write(shorter);
  EXPECT_EQ(ReadBytes(phoneMenu()), shorter);
}

TEST_F(EmulatedPhoneThroughLink, RestartReconnects) {
  link->InitPhoneLink();
  ASSERT_TRUE(write(menu));
  log.clear();
  link->RestartPhone();
  EXPECT_THAT(log, ElementsAre("disconnected", "connected", "model V3i"));
}

TEST_F(EmulatedPhoneThroughLink, DisconnectedPhoneFailsTheReadAfterTenCounts) {
  link->InitPhoneLink();
  phone.setConnected(false);
  EXPECT_FALSE(view.connected);
  EXPECT_FALSE(view.connected);
  EXPECT_FALSE(read());
  EXPECT_EQ(lastError.message, "Error getting file count");
  EXPECT_EQ(lastError.detail, "no phone is connected");
  EXPECT_EQ(std::count(log.begin(), log.end(), "pause 300"), 10);
}

TEST_F(EmulatedPhoneThroughLink, PhoneWithoutMenuFileFailsTheOpen) {
  std::filesystem::remove(phoneMenu());
  link->InitPhoneLink();
  EXPECT_FALSE(read());
  EXPECT_EQ(lastError.message, "Error opening file");
}

TEST_F(EmulatedPhoneThroughLink, GoneFolderAndReadOnlyPhoneSayWhy) {
  link->InitPhoneLink();
  std::filesystem::permissions(phoneMenu().parent_path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool root = ::geteuid() == 0;  // root writes through any permission
  EXPECT_EQ(write(menu), root);
  if (!root) {
    EXPECT_EQ(lastError.message, "Error writing file");
    EXPECT_THAT(lastError.detail, ::testing::HasSubstr("Permission denied"));
  }
  std::filesystem::permissions(phoneMenu().parent_path(), std::filesystem::perms::owner_all);

  std::filesystem::remove_all(phoneDir.path());
  EXPECT_FALSE(read());
  EXPECT_EQ(lastError.message, "Error getting file count");
  EXPECT_THAT(lastError.detail, ::testing::HasSubstr("cannot list"));
}

TEST_F(EmulatedPhoneThroughLink, MissingFolderFailsTheStart) {
  EmulatedPhone gone(phoneDir.file("gone"));
  PhoneLink other(gone, view, {[](int) {}, {}, exchangeDir.path().string(), {}, {}});
  const Status started = other.InitPhoneLink();
  ASSERT_FALSE(started);
  EXPECT_EQ(started.error().message, "Error initializing P2KAPI library");
  EXPECT_THAT(started.error().detail, ::testing::HasSubstr("is not a folder"));
  EXPECT_FALSE(view.connected);
}

}  // namespace
}  // namespace quillet::test
