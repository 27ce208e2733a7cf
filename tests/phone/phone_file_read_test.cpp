// Reading one phone file by its path, on the emulated phone (a folder on disk).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulated_phone.h"
#include "phone_file_read.h"
#include "scripted_library.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

using ::testing::ElementsAre;

class PhoneFileReadTest : public ::testing::Test {
 protected:
  PhoneFileReadTest() {
    WriteBytes(phoneDir.path() / "a/mobile/picture/logo.gif", logo);
    WriteBytes(phoneDir.path() / "a/mobile/picture/big.bmp", std::vector<std::uint8_t>(65536, 1));
    hooks.pause = [this](int ms) { pauses.push_back(ms); };
    phone.P2K_Init([](std::int32_t) {});
  }

  TempFolder phoneDir;
  std::vector<std::uint8_t> logo = Pattern(700, 3);
  EmulatedPhone phone{phoneDir.path()};
  PhoneRetryHooks hooks;
  std::vector<int> pauses;
};

TEST_F(PhoneFileReadTest, ReadsAListedFileAndLeavesNoFileOpen) {
  const auto bytes = ReadPhoneFileAt(phone, "/a/mobile/picture/logo.gif", hooks);
  ASSERT_TRUE(bytes) << bytes.error().message << ": " << bytes.error().detail;
  EXPECT_EQ(bytes.value(), logo);
  EXPECT_EQ(phone.File_Close(), -1);  // closed by the read
  EXPECT_TRUE(pauses.empty());
}

TEST_F(PhoneFileReadTest, APathThePhoneDoesNotListIsNeverOpened) {
  const auto bytes = ReadPhoneFileAt(phone, "/a/mobile/picture/gone.gif", hooks);
  ASSERT_FALSE(bytes);
  EXPECT_EQ(bytes.error().message, "Error opening file");
  EXPECT_EQ(bytes.error().detail, "the phone has no file /a/mobile/picture/gone.gif");
  EXPECT_EQ(bytes.error().path, "/a/mobile/picture/gone.gif");
  // Opening would have made an empty file on the phone.
  EXPECT_FALSE(std::filesystem::exists(phoneDir.path() / "a/mobile/picture/gone.gif"));
}

TEST_F(PhoneFileReadTest, AFileTooLongForOneTransferIsRefused) {
  const auto bytes = ReadPhoneFileAt(phone, "/a/mobile/picture/big.bmp", hooks);
  ASSERT_FALSE(bytes);
  EXPECT_EQ(bytes.error().detail,
            "the file is 65536 bytes long; the phone link transfers at most 65535 bytes");
}

TEST_F(PhoneFileReadTest, APhoneThatIsGoneFailsAfterTenCountsWithTheirPauses) {
  phone.setConnected(false);
  const auto bytes = ReadPhoneFileAt(phone, "/a/mobile/picture/logo.gif", hooks);
  ASSERT_FALSE(bytes);
  EXPECT_EQ(bytes.error().message, "Error getting file count");
  EXPECT_EQ(pauses, std::vector<int>(10, 300));
}

// The open is retried like the menu's: a busy phone answers at the third try, and the
// read is told the attempts left.
TEST(PhoneFileReadScripted, OpensWithRetriesAndPassesTheAttemptsLeft) {
  std::vector<std::string> log;
  ScriptedLibrary library{log};
  library.listing = {MakeEntry("/a/x.png", 4, 0, 7)};
  library.phoneFile = Pattern(4, 1);
  library.create.queued = {-1, -1};
  PhoneRetryHooks hooks;
  hooks.pause = [&](int ms) { log.push_back("pause " + std::to_string(ms)); };
  const auto bytes = ReadPhoneFileAt(library, "/a/x.png", hooks);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes.value(), library.phoneFile);
  EXPECT_THAT(log, ElementsAre("File_Count", "File_List 1", "File_Create /a/x.png 7", "pause 300",
                               "File_Create /a/x.png 7", "pause 300", "File_Create /a/x.png 7",
                               "File_SetPointer 0 0", "File_Read 65535 7", "File_Close"));
}

}  // namespace
}  // namespace quillet::test
