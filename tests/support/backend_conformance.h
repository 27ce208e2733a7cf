#pragma once
// What every phone-access library backend must do for the phone link, as one typed
// suite. A backend joins by a harness class with:
//   static constexpr const char* kModel;          the model name its phone reports
//   void putFile(path, bytes);                     a file on the phone, before start()
//   std::optional<std::vector<uint8_t>> phoneFile(path);   a file's bytes on the phone
//   P2KLibrary& library();
//   void start(PhoneStatusCallback notify);        P2K_Init, then wait for the connect
//   void pullCableAfterPieces(std::size_t n);      the next write stops after n pieces of
//                                                  0x400 bytes and the phone is gone
//   void reconnect();                              plugs it in again, waits until ready
//   void setReadOnly(path);                        the file gets attribute bit 0x01
// and instantiates the suite:
//   INSTANTIATE_TYPED_TEST_SUITE_P(MyBackend, PhoneBackendConformance, MyHarness);
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "p2k_library.h"
#include "phone_link.h"
#include "phone_menu_guard.h"
#include "scripted_library.h"
#include "temp_folder.h"

namespace quillet::test {

inline std::vector<std::uint8_t> ConformanceMenu(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + seed) % 253);
  return bytes;
}

template <typename Harness>
class PhoneBackendConformance : public ::testing::Test {
 protected:
  static constexpr const char* kMenu = "/a/mobile/system/mma_ucp";

  void startWithMenu() {
    harness.putFile(kMenu, menu);
    harness.start([this](std::int32_t state) { lastNotice = state; });
  }
  P2KLibrary& library() { return harness.library(); }

  Harness harness;
  std::vector<std::uint8_t> menu = ConformanceMenu(3000, 1);
  std::atomic<std::int32_t> lastNotice{-7};
};

// The link and the guard over the backend, as the window and mmatool use them. The
// backend was started by the harness, so the link sees no notices of its own.
template <typename Harness>
class PhoneBackendGuarded : public PhoneBackendConformance<Harness> {
 protected:
  PhoneBackendGuarded() { this->startWithMenu(); }

  std::vector<std::string> log;
  RecordingView view{log};
  TempFolder temp;
  PhoneLink link{this->library(), view,
                 PhoneLinkHooks{[](int) {}, [](std::function<void()>) {}, temp.path().string(), {}, {}}};
  BackupStore backups{temp.file("backups")};
  PhoneMenuGuard guard{link, backups};
  const std::string model = Harness::kModel;
};

TYPED_TEST_SUITE_P(PhoneBackendConformance);

TYPED_TEST_P(PhoneBackendConformance, StatusIsZeroBeforeStartAndOneOnceConnected) {
  EXPECT_EQ(this->library().P2K_GetStatus(), 0);
  EXPECT_EQ(this->library().File_Count(), -1);
  this->startWithMenu();
  EXPECT_NE(this->lastNotice.load(), 0);
  EXPECT_NE(this->lastNotice.load(), -7);
  EXPECT_EQ(this->library().P2K_GetStatus(), 1);
}

TYPED_TEST_P(PhoneBackendConformance, ModelNameDecodesToThePanelText) {
  this->startWithMenu();
  std::vector<std::uint8_t> buffer(PhoneLink::kModelBufferSize, 0);
  ASSERT_NE(this->library().Seem_Read(279, 1, 0, 0, buffer.data(), buffer.size()), -1);
  EXPECT_EQ(PhoneModelName(buffer.data(), buffer.size()), TypeParam::kModel);
}

TYPED_TEST_P(PhoneBackendConformance, ListNamesTheMenuFileWithItsSize) {
  this->startWithMenu();
  const std::int32_t count = this->library().File_Count();
  ASSERT_GE(count, 1);
  std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(count));
  ASSERT_NE(this->library().File_List(entries.data(), count), -1);
  int found = 0;
  for (const TP2KFileEntry& entry : entries) {
    if (ListedPath(entry) != this->kMenu) continue;
    ++found;
    EXPECT_EQ(entry.size, this->menu.size());
  }
  EXPECT_EQ(found, 1);
}

TYPED_TEST_P(PhoneBackendConformance, ReadGivesTheWholeFileFromItsStart) {
  this->startWithMenu();
  ASSERT_EQ(this->library().File_Create(this->kMenu, 0), 0);
  this->library().File_SetPointer(0, 0);
  std::vector<std::uint8_t> buffer(PhoneLink::kTransferBufferSize, 0);
  ASSERT_EQ(this->library().File_Read(buffer.data(), 65535, 9), static_cast<std::int32_t>(this->menu.size()));
  buffer.resize(this->menu.size());
  EXPECT_EQ(buffer, this->menu);
  EXPECT_NE(this->library().File_Close(), -1);
}

// A longer phone file replaced by a shorter menu ends at exactly the written size, on the
// phone and in the next listing.
TYPED_TEST_P(PhoneBackendConformance, WriteReplacesTheWholeFile) {
  this->startWithMenu();
  const std::vector<std::uint8_t> shorter = ConformanceMenu(1000, 9);
  ASSERT_EQ(this->library().File_Create(this->kMenu, 0), 0);
  ASSERT_EQ(this->library().File_Write(shorter.data(), 1000), 1000);
  EXPECT_NE(this->library().File_Close(), -1);
  EXPECT_EQ(this->harness.phoneFile(this->kMenu), shorter);
  const std::int32_t count = this->library().File_Count();
  ASSERT_GE(count, 1);
  std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(count));
  ASSERT_NE(this->library().File_List(entries.data(), count), -1);
  for (const TP2KFileEntry& entry : entries) {
    if (ListedPath(entry) == this->kMenu) {
      EXPECT_EQ(entry.size, shorter.size());
    }
  }
}

TYPED_TEST_P(PhoneBackendConformance, CallsWithoutAnOpenFileFail) {
  this->startWithMenu();
  std::uint8_t byte = 0;
  EXPECT_EQ(this->library().File_Read(&byte, 1, 9), -1);
  EXPECT_EQ(this->library().File_Write(&byte, 1), -1);
}

// A file made by File_Create and File_Write is listed; File_Delete removes it, but not
// while it is open, and a second delete fails.
TYPED_TEST_P(PhoneBackendConformance, DeleteRemovesAClosedFile) {
  this->startWithMenu();
  const char* path = "/a/mobile/system/extra";
  const std::vector<std::uint8_t> bytes = ConformanceMenu(700, 3);
  ASSERT_EQ(this->library().File_Create(path, 0), 0);
  ASSERT_EQ(this->library().File_Write(bytes.data(), 700), 700);
  EXPECT_EQ(this->library().File_Delete(path), -1);  // still open
  EXPECT_NE(this->library().File_Close(), -1);
  EXPECT_EQ(this->harness.phoneFile(path), bytes);
  EXPECT_EQ(this->library().File_Delete(path), 0);
  EXPECT_EQ(this->harness.phoneFile(path), std::nullopt);
  EXPECT_EQ(this->library().File_Delete(path), -1);
  EXPECT_EQ(this->harness.phoneFile(this->kMenu), this->menu);
  const std::int32_t count = this->library().File_Count();
  std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(std::max(count, 0)));
  ASSERT_EQ(this->library().File_List(entries.data(), count), count);
  for (const TP2KFileEntry& entry : entries) EXPECT_NE(ListedPath(entry), path);
}

TYPED_TEST_SUITE_P(PhoneBackendGuarded);

// The cable pulled after the first piece: the save says so, the phone holds that piece,
// the next look finds the damage, a read keeps it marked damaged, and a restore of the
// backup it names puts back exactly the menu from before.
TYPED_TEST_P(PhoneBackendGuarded, ACutWriteIsFoundAgainAndRestored) {
  std::filesystem::create_directories(this->temp.path().string());
  const std::vector<std::uint8_t> other = ConformanceMenu(2500, 5);
  this->harness.pullCableAfterPieces(1);
  const auto saved = this->guard.save(this->model, other);
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.error().message, "Error writing file");
  ASSERT_EQ(saved.error().notes.size(), 3u) << ::testing::PrintToString(saved.error().notes);
  EXPECT_EQ(saved.error().notes[0], "The phone was disconnected during the write.");
  EXPECT_EQ(saved.error().notes[1], "The phone's menu may be incomplete.");
  EXPECT_EQ(this->harness.phoneFile(this->kMenu),
            std::vector<std::uint8_t>(other.begin(), other.begin() + 0x400));
  EXPECT_EQ(this->guard.lastWrite(), PhoneMenuWrite::Failed);

  this->harness.reconnect();
  const auto damage = this->guard.check(this->model);
  ASSERT_TRUE(damage.ok()) << damage.error().message << ": " << damage.error().detail;
  ASSERT_TRUE(damage.value().has_value());
  EXPECT_EQ(ReadBytes(damage.value()->before.path), this->menu);
  const auto read = this->guard.open(this->model);
  ASSERT_TRUE(read.ok());
  ASSERT_TRUE(read->damage.has_value());
  EXPECT_TRUE(this->backups.list(this->model).back().damaged);

  const auto choice = this->guard.restoreChoice(this->model);
  ASSERT_TRUE(choice.ok());
  const auto restored = this->guard.save(this->model, ReadBytes(choice->path));
  ASSERT_TRUE(restored.ok()) << restored.error().message << ": " << restored.error().detail;
  EXPECT_EQ(this->harness.phoneFile(this->kMenu), this->menu);
  EXPECT_EQ(this->guard.lastWrite(), PhoneMenuWrite::Stored);
  EXPECT_FALSE(this->guard.check(this->model).value().has_value());
}

TYPED_TEST_P(PhoneBackendGuarded, AReadOnlyMenuIsRefusedBeforeAnythingChanges) {
  std::filesystem::create_directories(this->temp.path().string());
  this->harness.setReadOnly(this->kMenu);
  const auto saved = this->guard.save(this->model, ConformanceMenu(1000, 3));
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.error().message, "Error writing file");
  ASSERT_EQ(saved.error().notes.size(), 3u) << ::testing::PrintToString(saved.error().notes);
  EXPECT_EQ(saved.error().notes[0], "The phone marks the file read-only.");
  EXPECT_EQ(saved.error().notes[1], "The phone's menu is unchanged.");
  EXPECT_EQ(this->harness.phoneFile(this->kMenu), this->menu);
  EXPECT_EQ(this->guard.lastWrite(), PhoneMenuWrite::None);
  // Nothing changed, so nothing is in doubt.
  EXPECT_FALSE(this->guard.check(this->model).value().has_value());
}

REGISTER_TYPED_TEST_SUITE_P(PhoneBackendGuarded, ACutWriteIsFoundAgainAndRestored,
                            AReadOnlyMenuIsRefusedBeforeAnythingChanges);

REGISTER_TYPED_TEST_SUITE_P(PhoneBackendConformance, StatusIsZeroBeforeStartAndOneOnceConnected,
                            ModelNameDecodesToThePanelText, ListNamesTheMenuFileWithItsSize,
                            ReadGivesTheWholeFileFromItsStart, WriteReplacesTheWholeFile,
                            CallsWithoutAnOpenFileFail, DeleteRemovesAClosedFile);

}  // namespace quillet::test
