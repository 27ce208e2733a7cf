#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "file_io.h"
#include "menu_writer.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testhelp::MustLoad;

class SafeSaving : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("quillet-io-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    target = (dir / "mma_ucp").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  void WriteOld(const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::uint8_t> ReadBack() { return ReadWholeFile(target).value(); }
  int FilesInDir() { return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }

  fs::path dir;
  std::string target;
};

TEST_F(SafeSaving, WritesAndReplacesWithoutLeftovers) {
  ASSERT_TRUE(WriteFileAtomically(target, {1, 2, 3}).ok());
  EXPECT_EQ(ReadBack(), (std::vector<std::uint8_t>{1, 2, 3}));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(target, {4}).ok());
  EXPECT_EQ(ReadBack(), (std::vector<std::uint8_t>{4}));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(SafeSaving, AFailedWriteLeavesTheOldFileIntact) {
  WriteOld({9, 9, 9});
  // Make the write itself fail part-way: a file size limit stops it with EFBIG.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const Status status = WriteFileAtomically(target, std::vector<std::uint8_t>(4096, 7));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::FileNotWritable);
  EXPECT_EQ(status.error().path, target);
  EXPECT_EQ(ReadBack(), (std::vector<std::uint8_t>{9, 9, 9}));
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(SafeSaving, AMissingDirectoryIsReported) {
  const Status status = WriteFileAtomically((dir / "no" / "such" / "file").string(), {1});
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::FileNotWritable);
  EXPECT_NE(status.error().message.find("no/such/file"), std::string::npos);
}

TEST_F(SafeSaving, ARefusedDocumentWritesNothing) {
  WriteOld({5, 5});
  MenuDocument doc;
  const Status status = SaveMenuFile(target, doc, SaveOptions{});
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::NoDocument);
  EXPECT_NE(status.error().message.find(target), std::string::npos);
  EXPECT_EQ(ReadBack(), (std::vector<std::uint8_t>{5, 5}));
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(SafeSaving, SaveAndLoadThroughFiles) {
  MenuDocument doc;
  doc.NewDocument();
  doc.tree.addLastChild(doc.menuRootNode(), "Games", {});
  doc.RebuildLinks();
  ASSERT_TRUE(SaveMenuFile(target, doc, SaveOptions{}).ok());
  MenuDocument loaded;
  auto outcome = LoadMenuFileFromPath(target, loaded);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(loaded.mainMenuItemCount(), 1);
  EXPECT_EQ(outcome.value().summary, "Format: 36-byte   Main menu entries: 1");
}

TEST_F(SafeSaving, UnreadableFilesAreRefusedAndClearTheDocument) {
  MenuDocument doc;
  doc.NewDocument();
  auto missing = LoadMenuFileFromPath((dir / "absent").string(), doc);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, ErrorCode::FileNotReadable);
  EXPECT_TRUE(doc.tree.empty());
  auto directory = ReadWholeFile(dir.string());
  ASSERT_FALSE(directory.ok());
  EXPECT_EQ(directory.error().code, ErrorCode::FileNotReadable);
}

}  // namespace
}  // namespace quillet
