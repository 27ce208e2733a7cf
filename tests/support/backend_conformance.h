#pragma once
// What every phone-access library backend must do for the phone link, as one typed
// suite. A backend joins by a harness class with:
//   static constexpr const char* kModel;          the model name its phone reports
//   void putFile(path, bytes);                     a file on the phone, before start()
//   std::optional<std::vector<uint8_t>> phoneFile(path);   a file's bytes on the phone
//   P2KLibrary& library();
//   void start(PhoneStatusCallback notify);        P2K_Init, then wait for the connect
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
    if (std::string(entry.name, strnlen(entry.name, sizeof entry.name)) != this->kMenu) continue;
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
    if (std::string(entry.name, strnlen(entry.name, sizeof entry.name)) == this->kMenu) {
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
  for (const TP2KFileEntry& entry : entries)
    EXPECT_NE(std::string(entry.name, strnlen(entry.name, sizeof entry.name)), path);
}

REGISTER_TYPED_TEST_SUITE_P(PhoneBackendConformance, StatusIsZeroBeforeStartAndOneOnceConnected,
                            ModelNameDecodesToThePanelText, ListNamesTheMenuFileWithItsSize,
                            ReadGivesTheWholeFileFromItsStart, WriteReplacesTheWholeFile,
                            CallsWithoutAnOpenFileFail, DeleteRemovesAClosedFile);

}  // namespace quillet::test
