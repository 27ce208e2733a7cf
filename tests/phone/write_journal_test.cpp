// The write journal: one entry per phone model beside its backups, open until finished,
// and anything that is not a journal of ours counts as no entry at all.
#include "write_journal.h"

#include <gtest/gtest.h>

#include "backup_store.h"
#include "temp_folder.h"

namespace quillet {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(WriteJournalTest, AnEntryStaysOpenUntilFinishedAndIsKeptPerModel) {
  TempFolder temp;
  WriteJournal journal(temp.file("backups"));
  EXPECT_FALSE(journal.last("V3i").has_value());
  const std::vector<std::uint8_t> sent{1, 2, 3, 4};
  ASSERT_TRUE(
      journal.begin("V3i", {"/b/V3i/x_mma_ucp", 4, WriteJournal::Checksum(sent), 1796738602, true}).ok());
  const auto open = journal.unfinished("V3i");
  ASSERT_TRUE(open.has_value()) << "begin always records an open entry";
  EXPECT_EQ(open->backupPath, "/b/V3i/x_mma_ucp");
  EXPECT_EQ(open->time, 1796738602);
  EXPECT_TRUE(WriteJournal::Matches(*open, sent));
  EXPECT_FALSE(WriteJournal::Matches(*open, {1, 2, 3, 5}));
  EXPECT_FALSE(WriteJournal::Matches(*open, {1, 2, 3}));
  EXPECT_FALSE(journal.unfinished("E398").has_value());
  // The journal lives in the model's backup folder, where the store never lists it.
  EXPECT_EQ(journal.path("V3i"), temp.file("backups") + "/V3i/write-journal");
  EXPECT_TRUE(BackupStore(temp.file("backups")).list("V3i").empty());

  ASSERT_TRUE(journal.finish("V3i").ok());
  EXPECT_FALSE(journal.unfinished("V3i").has_value());
  EXPECT_TRUE(journal.last("V3i")->done);
}

TEST(WriteJournalTest, ChecksumIsCrc32) {
  const std::string check = "123456789";  // the CRC-32 check value is 0xCBF43926
  EXPECT_EQ(WriteJournal::Checksum({check.begin(), check.end()}), 0xCBF43926u);
}

TEST(WriteJournalTest, AFileThatIsNotAJournalIsNoEntry) {
  TempFolder temp;
  WriteJournal journal(temp.file("backups"));
  const auto put = [&](const std::string& text) {
    WriteBytes(journal.path("V3i"), std::vector<std::uint8_t>(text.begin(), text.end()));
  };
  put("something else\n");
  EXPECT_FALSE(journal.unfinished("V3i").has_value());
  put("quillet write journal 1\nbackup /x\nsize 4x\ncrc32 1\ntime 5\ndone 0\n");
  EXPECT_FALSE(journal.unfinished("V3i").has_value());
  put("quillet write journal 1\nbackup /x\nsize 4\ncrc32 99999999999\ntime 5\ndone 0\n");
  EXPECT_FALSE(journal.unfinished("V3i").has_value());
  put("quillet write journal 1\nbackup /x\nsize 4\ncrc32 1\ntime 5\ndone 0\nlater field\n");
  EXPECT_TRUE(journal.unfinished("V3i").has_value()) << "a later version's fields are skipped";
}

}  // namespace
}  // namespace quillet
