// Backups on every read and before every write; a write counts only when the phone's copy
// reads back equal, and every way it can differ is told with the backup's path.
#include "phone_menu_guard.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace quillet {
namespace {

using test::ReadBytes;
using test::TempFolder;

// A phone menu in memory that can be told to misbehave the way real phones and backends do.
class MemoryPhone : public PhoneMenuFile {
 public:
  Result<std::vector<std::uint8_t>> readMenu() override {
    ++reads;
    if (failReadsFrom != 0 && reads >= failReadsFrom)
      return Error{ErrorCode::PhoneError, "Error reading file", "", std::nullopt, std::nullopt};
    return menu;
  }
  Status writeMenu(const std::vector<std::uint8_t>& bytes) override {
    ++writes;
    std::vector<std::uint8_t> stored = bytes;
    if (corruptByte) stored[*corruptByte] ^= 0x01;
    // A phone that cannot shorten a file keeps the old tail.
    if (keepTail && menu.size() > stored.size())
      stored.insert(stored.end(), menu.begin() + static_cast<long>(stored.size()), menu.end());
    menu = stored;
    return Ok();
  }
  std::vector<std::uint8_t> menu{10, 20, 30, 40};
  int reads = 0, writes = 0, failReadsFrom = 0;
  std::optional<std::size_t> corruptByte;
  bool keepTail = false;
};

class PhoneMenuGuardTest : public ::testing::Test {
 protected:
  TempFolder temp;
  BackupStore backups{temp.file("backups")};
  MemoryPhone phone;
  std::vector<PhoneStep> steps;
  PhoneMenuGuard guard{phone, backups,
                       [this](const PhoneProgress& p) { steps.push_back(p.step); }};
  const std::vector<std::uint8_t> edited{1, 2, 3, 4, 5, 6};
};

TEST_F(PhoneMenuGuardTest, OpenAndSaveBackUpThePhonesMenuAndSaveVerifies) {
  const auto read = guard.open("V3i");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->bytes, phone.menu);
  EXPECT_EQ(ReadBytes(read->backupPath), phone.menu);

  const auto original = phone.menu;
  const auto saved = guard.save("V3i", edited);
  ASSERT_TRUE(saved.ok()) << saved.error().message;
  // The phone's menu was unchanged since the open: its backup is the same file.
  EXPECT_EQ(saved.value(), read->backupPath);
  EXPECT_EQ(ReadBytes(saved.value()), original);
  EXPECT_EQ(phone.menu, edited);
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Stored);
  EXPECT_EQ(phone.reads, 3);  // open, backup before the write, read-back
  EXPECT_EQ(steps.back(), PhoneStep::Verifying);

  // Saving again backs up the edited menu the phone now holds.
  ASSERT_TRUE(guard.save("V3i", original).ok());
  ASSERT_EQ(backups.list("V3i").size(), 2u);
  EXPECT_EQ(ReadBytes(backups.list("V3i").back().path), edited);
}

TEST_F(PhoneMenuGuardTest, AChangedByteIsReportedWithTheBackupAndDoesNotCount) {
  phone.corruptByte = 4;
  const auto saved = guard.save("V3i", edited);
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Failed);
  EXPECT_NE(saved.error().message.find("at byte 4"), std::string::npos) << saved.error().message;
  EXPECT_NE(saved.error().message.find(saved.error().path), std::string::npos);
  EXPECT_EQ(ReadBytes(saved.error().path), (std::vector<std::uint8_t>{10, 20, 30, 40}));
}

TEST_F(PhoneMenuGuardTest, AnOldTailLeftOnThePhoneIsToldAsSuch) {
  phone.keepTail = true;
  const auto saved = guard.save("V3i", {7, 7});
  ASSERT_FALSE(saved.ok());
  EXPECT_NE(saved.error().message.find("holds 4 bytes where 2 were sent: the old file's last 2 "
                                       "bytes remain"),
            std::string::npos)
      << saved.error().message;
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Failed);
  // Without the check the same write counts.
  EXPECT_TRUE(guard.save("V3i", {7, 7}, false).ok());
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Stored);
}

TEST_F(PhoneMenuGuardTest, NothingIsSentWhenThePhonesMenuCannotBeBackedUp) {
  phone.failReadsFrom = 1;
  ASSERT_FALSE(guard.save("V3i", edited).ok());
  EXPECT_EQ(phone.writes, 0);
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::None);

  test::WriteBytes(temp.path() / "file", {1});
  BackupStore unwritable(temp.file("file"));
  phone.failReadsFrom = 0;
  PhoneMenuGuard blocked(phone, unwritable);
  EXPECT_FALSE(blocked.save("V3i", edited).ok());
  EXPECT_EQ(phone.writes, 0);
  // A read still opens when only its backup failed, and says why.
  const auto read = blocked.open("V3i");
  ASSERT_TRUE(read.ok());
  EXPECT_TRUE(read->backupPath.empty());
  EXPECT_FALSE(read->backupError.empty());
}

TEST_F(PhoneMenuGuardTest, AFailedReadBackIsAFailedSave) {
  phone.failReadsFrom = 2;
  const auto saved = guard.save("V3i", edited);
  ASSERT_FALSE(saved.ok());
  EXPECT_NE(saved.error().message.find("reading it back"), std::string::npos);
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Failed);
}

}  // namespace
}  // namespace quillet
