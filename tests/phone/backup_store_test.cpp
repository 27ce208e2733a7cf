// The backups folder: names by phone and time, no twin of the newest backup, the limit
// removing the oldest first, and nothing outside the folder.
#include "backup_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "temp_folder.h"

namespace quillet {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// 2026-12-08 14:03:22 UTC.
const auto kWhen = std::chrono::system_clock::from_time_t(1796738602);

class BackupStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  TempFolder temp;
};

TEST_F(BackupStoreTest, KeepsByModelAndTimeAndNeverTwinsTheNewest) {
  BackupStore store(temp.file("backups"));
  const auto first = store.keep("V3i", {1, 2, 3}, kWhen);
  ASSERT_TRUE(first.ok()) << first.error().message;
  EXPECT_EQ(first.value(), temp.file("backups") + "/V3i/2026-12-08T14-03-22_mma_ucp");
  EXPECT_EQ(ReadBytes(first.value()), (std::vector<std::uint8_t>{1, 2, 3}));

  // The same menu again, later: no second copy.
  EXPECT_EQ(store.keep("V3i", {1, 2, 3}, kWhen + std::chrono::hours(1)).value(), first.value());
  // Another menu within the same second comes after the first.
  const auto second = store.keep("V3i", {4}, kWhen);
  EXPECT_EQ(second.value(), temp.file("backups") + "/V3i/2026-12-08T14-03-22-2_mma_ucp");
  // Going back to the first menu is a change from the newest, so it is kept again.
  const auto third = store.keep("V3i", {1, 2, 3}, kWhen + std::chrono::seconds(1));
  store.keep("E398", {9}, kWhen).value();

  const auto v3i = store.list("V3i");
  ASSERT_EQ(v3i.size(), 3u);
  EXPECT_EQ(v3i[0].path, first.value());
  EXPECT_EQ(v3i[1].path, second.value());
  EXPECT_EQ(v3i[2].path, third.value());
  EXPECT_EQ(v3i[0].size, 3u);
  const auto all = store.list();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].model, "E398");
}

// A damaged menu is kept under a name that says so, ordered with the others by time, and
// never stands in for a good backup of the same bytes.
TEST_F(BackupStoreTest, DamagedBackupsAreNamedSoAndNeverTheNewestIntact) {
  BackupStore store(temp.file("backups"));
  const auto good = store.keep("V3i", {1, 2, 3}, kWhen).value();
  const auto damaged = store.keepDamaged("V3i", {1}, kWhen).value();
  EXPECT_EQ(damaged, temp.file("backups") + "/V3i/2026-12-08T14-03-22-2_damaged_mma_ucp");
  const auto sameAsDamaged = store.keep("V3i", {1}, kWhen + std::chrono::seconds(1)).value();
  EXPECT_NE(sameAsDamaged, damaged);
  const auto list = store.list("V3i");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].path, good);
  EXPECT_TRUE(list[1].damaged);
  EXPECT_FALSE(list[2].damaged);
  EXPECT_EQ(list[1].time, "2026-12-08 14:03:22");
  EXPECT_EQ(store.newestIntact("V3i")->path, sameAsDamaged);
  ASSERT_TRUE(store.keepDamaged("V3i", {5}, kWhen + std::chrono::seconds(2)).ok());
  EXPECT_EQ(store.newestIntact("V3i")->path, sameAsDamaged);
}

TEST_F(BackupStoreTest, TheLimitRemovesThatPhonesOldestAndNothingElse) {
  BackupStore store(temp.file("backups"), 2);
  WriteBytes(temp.path() / "backups" / "V3i" / "notes.txt", {7});
  store.keep("E398", {0}, kWhen).value();
  for (std::uint8_t i = 1; i <= 4; ++i) store.keep("V3i", {i}, kWhen + std::chrono::minutes(i)).value();
  const auto kept = store.list("V3i");
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(ReadBytes(kept[0].path), std::vector<std::uint8_t>{3});
  EXPECT_EQ(ReadBytes(kept[1].path), std::vector<std::uint8_t>{4});
  EXPECT_EQ(store.list("E398").size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(temp.path() / "backups" / "V3i" / "notes.txt"));
}

TEST_F(BackupStoreTest, ModelNamesStayInsideTheFolder) {
  BackupStore store(temp.file("backups"));
  const auto path = store.keep("../../x y", {1}, kWhen);
  ASSERT_TRUE(path.ok());
  EXPECT_EQ(path.value(), temp.file("backups") + "/phone.._.._x_y/2026-12-08T14-03-22_mma_ucp");
  EXPECT_EQ(BackupStore::ModelFolderName(""), "phone");
}

TEST_F(BackupStoreTest, AFailedBackupIsAnErrorNamingThePlace) {
  WriteBytes(temp.path() / "file", {1});
  BackupStore store(temp.file("file"));
  const auto path = store.keep("V3i", {1}, kWhen);
  ASSERT_FALSE(path.ok());
  EXPECT_NE(path.error().message.find(temp.file("file")), std::string::npos);
}

TEST_F(BackupStoreTest, DefaultFolderFollowsXdgDataHome) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(BackupStore::DefaultFolder(), "/data/quillet/backups");
  setenv("XDG_DATA_HOME", "relative", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(BackupStore::DefaultFolder(), "/home/u/.local/share/quillet/backups");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace quillet
