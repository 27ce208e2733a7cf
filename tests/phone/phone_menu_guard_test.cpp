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
    if (cutAfter) {
      // The cable is pulled: the phone keeps what arrived and is gone.
      menu.assign(bytes.begin(), bytes.begin() + static_cast<long>(std::min(*cutAfter, bytes.size())));
      cutAfter.reset();
      connected = false;
      return Error{ErrorCode::PhoneError, "Error writing file", "", std::nullopt, std::nullopt};
    }
    if (refuseWrite)
      return Error{ErrorCode::PhoneError, "Error creating file", "", std::nullopt, std::nullopt};
    std::vector<std::uint8_t> stored = bytes;
    if (corruptByte) stored[*corruptByte] ^= 0x01;
    // A phone that cannot shorten a file keeps the old tail.
    if (keepTail && menu.size() > stored.size())
      stored.insert(stored.end(), menu.begin() + static_cast<long>(stored.size()), menu.end());
    menu = stored;
    return Ok();
  }
  bool ready() override { return connected; }
  std::vector<std::uint8_t> menu{10, 20, 30, 40};
  int reads = 0, writes = 0, failReadsFrom = 0;
  std::optional<std::size_t> cutAfter;
  bool refuseWrite = false;
  bool connected = true;
  std::optional<std::size_t> corruptByte;
  bool keepTail = false;
};

class PhoneMenuGuardTest : public ::testing::Test {
 protected:
  TempFolder temp;
  BackupStore backups{temp.file("backups")};
  MemoryPhone phone;
  std::vector<PhoneStep> steps;
  PhoneMenuGuard guard{phone, backups, [this](const PhoneProgress& p) { steps.push_back(p.step); }};
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
  EXPECT_EQ(saved.error().notes, std::vector<std::string>{KeptBeforeNote(saved.error().path)});
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
  EXPECT_EQ(saved.error().message, "Error reading file");
  ASSERT_EQ(saved.error().notes.size(), 3u);
  EXPECT_NE(saved.error().notes[0].find("reading it back"), std::string::npos);
  EXPECT_EQ(saved.error().notes[1], "The phone's menu may be incomplete.");
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::Failed);
}

// The cable pulled mid-write: the failure says so in plain sentences, the next check
// finds the cut menu, a read keeps it marked damaged, and the menu from before stays the
// one a restore takes until a write finishes.
TEST_F(PhoneMenuGuardTest, AWriteCutShortIsFoundAgainAndTheMenuBeforeStaysTheOneToRestore) {
  const auto original = phone.menu;
  phone.cutAfter = 2;
  const auto saved = guard.save("V3i", edited);
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.error().message, "Error writing file");
  const std::string before = backups.list("V3i").at(0).path;
  EXPECT_EQ(saved.error().notes,
            (std::vector<std::string>{"The phone was disconnected during the write.",
                                      "The phone's menu may be incomplete.", KeptBeforeNote(before)}));
  EXPECT_EQ(phone.menu, (std::vector<std::uint8_t>{1, 2}));

  phone.connected = true;  // plugged in again
  const auto damage = guard.check("V3i");
  ASSERT_TRUE(damage.ok());
  ASSERT_TRUE(damage->has_value());
  EXPECT_EQ(damage.value()->before.path, before);
  EXPECT_FALSE(damage.value()->before.time.empty());
  EXPECT_EQ(damage.value()->heldBytes, 2u);
  EXPECT_EQ(damage.value()->sentBytes, edited.size());

  const auto read = guard.open("V3i");
  ASSERT_TRUE(read.ok());
  ASSERT_TRUE(read->damage.has_value());
  EXPECT_NE(read->backupPath.find("_damaged_mma_ucp"), std::string::npos) << read->backupPath;
  EXPECT_EQ(ReadBytes(read->backupPath), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_TRUE(backups.list("V3i").back().damaged);
  const auto choice = guard.restoreChoice("V3i");
  ASSERT_TRUE(choice.ok());
  EXPECT_EQ(choice->path, before);

  // Restoring is a save of that backup; a save over the damaged menu keeps naming it.
  const auto restored = guard.save("V3i", ReadBytes(choice->path));
  ASSERT_TRUE(restored.ok()) << restored.error().message;
  EXPECT_EQ(restored.value(), before);
  EXPECT_EQ(phone.menu, original);
  const int reads = phone.reads;
  ASSERT_TRUE(guard.check("V3i").ok());
  EXPECT_FALSE(guard.check("V3i")->has_value());
  EXPECT_EQ(phone.reads, reads) << "a finished write needs no look at the phone";
}

TEST_F(PhoneMenuGuardTest, AnUncheckedWriteIsClosedByTheNextReadThatMatches) {
  ASSERT_TRUE(guard.save("V3i", edited, false).ok());
  EXPECT_EQ(phone.reads, 1);
  ASSERT_TRUE(guard.check("V3i").ok());
  EXPECT_EQ(phone.reads, 2);
  EXPECT_FALSE(guard.check("V3i")->has_value());
  EXPECT_EQ(phone.reads, 2);
  EXPECT_FALSE(guard.restoreChoice("V3i")->damaged);
}

TEST_F(PhoneMenuGuardTest, ARefusedWriteThatChangedNothingSaysTheMenuIsUnchanged) {
  phone.refuseWrite = true;
  const auto saved = guard.save("V3i", edited);
  ASSERT_FALSE(saved.ok());
  ASSERT_EQ(saved.error().notes.size(), 3u);
  EXPECT_EQ(saved.error().notes[0], "The phone did not take the menu.");
  EXPECT_EQ(saved.error().notes[1], "The phone's menu is unchanged.");
  EXPECT_EQ(guard.lastWrite(), PhoneMenuWrite::None);
  // The look that found it unchanged closed the journal's entry.
  const int reads = phone.reads;
  EXPECT_FALSE(guard.check("V3i")->has_value());
  EXPECT_EQ(phone.reads, reads);
}

TEST_F(PhoneMenuGuardTest, NoBackupToRestoreIsAnError) {
  EXPECT_FALSE(guard.restoreChoice("V3i").ok());
  ASSERT_TRUE(backups.keepDamaged("V3i", {1}).ok());
  EXPECT_FALSE(guard.restoreChoice("V3i").ok()) << "a damaged backup is never the default";
}

}  // namespace
}  // namespace quillet
