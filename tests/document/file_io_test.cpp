#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "bounded_read.h"
#include "file_io.h"
#include "file_io_errors.h"
#include "file_io_posix.h"
#include "menu_writer.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class SafeSaving : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quillet-io-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    target = (dir / "mma_ucp").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  void WriteOld(const Bytes& bytes, const std::string& path = {}) {
    std::ofstream out(path.empty() ? target : path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes ReadBack(const std::string& path = {}) { return ReadWholeFile(path.empty() ? target : path).value(); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  int FilesInDir() { return static_cast<int>(Names().size()); }

  fs::path dir;
  std::string target;
};

TEST_F(SafeSaving, WritesAndReplacesWithoutLeftovers) {
  ASSERT_TRUE(WriteFileAtomically(target, {1, 2, 3}).ok());
  EXPECT_EQ(ReadBack(), (Bytes{1, 2, 3}));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(target, {4}).ok());
  EXPECT_EQ(ReadBack(), (Bytes{4}));
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
  const Status status = WriteFileAtomically(target, Bytes(4096, 7));
  const Status named = posix::WriteFileAtomically(target, Bytes(4096, 7), posix::Staging::NamedOnly);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);
  for (const Status* s : {&status, &named}) {
    ASSERT_FALSE(s->ok());
    EXPECT_EQ(s->error().code, ErrorCode::FileNotWritable);
    EXPECT_EQ(s->error().path, target);
  }
  EXPECT_EQ(ReadBack(), (Bytes{9, 9, 9}));
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
  EXPECT_EQ(ReadBack(), (Bytes{5, 5}));
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

// Links, devices, FIFOs and long names: each save does what the user meant.
TEST_F(SafeSaving, LinksAreFollowedAndSpecialTargetsWrittenInPlace) {
  // A symbolic link keeps being a link; its final target (even a missing one) gets the bytes.
  const std::string real = (dir / "real").string();
  WriteOld({1}, real);
  fs::create_symlink("real", dir / "link");
  fs::create_symlink("link", dir / "link to link");
  ASSERT_TRUE(WriteFileAtomically((dir / "link to link").string(), {2, 2}).ok());
  EXPECT_TRUE(fs::is_symlink(dir / "link to link"));
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(ReadBack(real), (Bytes{2, 2}));
  fs::create_symlink("created by saving", dir / "dangling");
  ASSERT_TRUE(WriteFileAtomically((dir / "dangling").string(), {3}).ok());
  EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
  EXPECT_EQ(ReadBack((dir / "created by saving").string()), (Bytes{3}));

  // A device is written into, never replaced (here /dev/null through a link).
  fs::create_symlink("/dev/null", dir / "null");
  ASSERT_TRUE(WriteFileAtomically((dir / "null").string(), {4}).ok());
  EXPECT_TRUE(fs::is_symlink(dir / "null"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // A FIFO with a reader gets the bytes; without one the save is refused at once.
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const Status noReader = WriteFileAtomically(fifo, {5});
  ASSERT_FALSE(noReader.ok());
  EXPECT_NE(noReader.error().message.find("no program is reading from it"), std::string::npos);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_TRUE(WriteFileAtomically(fifo, {6, 7}).ok());
  std::uint8_t got[4] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 2);
  EXPECT_EQ(got[1], 7);
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A name of 255 bytes, the most a name can have, saves (the temporary name is short).
  const std::string longName = (dir / std::string(255, 'n')).string();
  ASSERT_TRUE(WriteFileAtomically(longName, {8}).ok()) << WriteFileAtomically(longName, {8}).error().message;
  EXPECT_EQ(ReadBack(longName), (Bytes{8}));
  ASSERT_TRUE(posix::WriteFileAtomically(longName, {9}, posix::Staging::NamedOnly).ok());
  EXPECT_EQ(ReadBack(longName), (Bytes{9}));
  EXPECT_EQ(Names().size(), 8u);  // no temporary file left over
}

TEST_F(SafeSaving, OwnerGroupAndHardLinksAreKept) {
  WriteOld({1});
  const bool privileged = ::geteuid() == 0;
  const uid_t owner = privileged ? 4321 : ::geteuid();
  const gid_t group = privileged ? 8765 : ::getegid();
  ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
  fs::create_hard_link(target, dir / "second name");
  struct stat before {};
  ASSERT_EQ(::stat(target.c_str(), &before), 0);
  for (const auto staging : {posix::Staging::UnnamedFirst, posix::Staging::NamedOnly}) {
    ASSERT_TRUE(posix::WriteFileAtomically(target, {2, 3}, staging).ok());
    EXPECT_EQ(ReadBack((dir / "second name").string()), (Bytes{2, 3}));  // both names see the new menu
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
  }
  // A file with one name is replaced and still gets its owner and group.
  fs::remove(dir / "second name");
  ASSERT_TRUE(WriteFileAtomically(target, {4}).ok());
  struct stat replaced {};
  ASSERT_EQ(::stat(target.c_str(), &replaced), 0);
  EXPECT_EQ(replaced.st_uid, owner);
  EXPECT_EQ(replaced.st_gid, group);
  EXPECT_EQ(FilesInDir(), 1);
}

// A save killed at any moment leaves the old file or the new one, and nothing else:
// SIGKILL (with unnamed temporary files), SIGTERM and SIGINT (both ways of staging).
// The exception is a SIGKILL between naming the complete copy and renaming it over the
// old file, two system calls apart: it may leave that copy, and it must stay rare.
TEST_F(SafeSaving, KilledSavesLeaveNoStrayFile) {
  const Bytes old = {1, 2, 3};
  WriteOld(old);
  const Bytes big(1024 * 1024, 0x5A);
  // The kills are spread over a span that starts at half the quickest of a few saves on
  // this machine and follows the machine's pace: a save that finished before its kill
  // halves the span, a save killed in time widens it a little, so most kills land in the
  // middle of a save however fast, or however unevenly loaded, the machine is.
  auto quickest = std::chrono::steady_clock::duration::max();
  for (int i = 0; i < 5; ++i) {
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(posix::WriteFileAtomically(target, big, posix::Staging::UnnamedFirst).ok());
    quickest = std::min(quickest, std::chrono::steady_clock::now() - started);
  }
  double longestWait = std::max(1.0, std::chrono::duration<double, std::micro>(quickest).count() / 2);
  WriteOld(old);
  struct Way {
    int signal;
    posix::Staging staging;
  };
  const Way ways[] = {{SIGKILL, posix::Staging::UnnamedFirst},
                      {SIGTERM, posix::Staging::UnnamedFirst},
                      {SIGINT, posix::Staging::UnnamedFirst},
                      {SIGTERM, posix::Staging::NamedOnly},
                      {SIGINT, posix::Staging::NamedOnly}};
  std::mt19937 random(12345);
  int killedDuringSave = 0;
  int killedBetweenLinkAndRename = 0;
  for (int round = 0; round < 200; ++round) {
    const Way& way = ways[round % 5];
    // A round whose save completed leaves the new file as the next round's old one.
    const auto sizeBefore = fs::file_size(target);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const char go = 'x';
      (void)::write(ready[1], &go, 1);
      const Status saved = posix::WriteFileAtomically(target, big, way.staging);
      ::_exit(saved.ok() ? 0 : 1);
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(std::uniform_real_distribution<double>(0, longestWait)(random)));
    ::kill(child, way.signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status)) {
      ++killedDuringSave;
      longestWait *= 1.1;
    } else {
      longestWait = std::max(1.0, longestWait / 2);
    }
    std::vector<std::string> names = Names();
    if (way.signal == SIGKILL && names.size() == 2 && names[0].rfind(".quillet-", 0) == 0) {
      // The one window nothing can close: the complete copy has its temporary name and
      // the rename over the old file has not happened yet. The old file is untouched.
      EXPECT_EQ(fs::file_size(dir / names[0]), big.size());
      EXPECT_EQ(fs::file_size(target), sizeBefore);
      fs::remove(dir / names[0]);
      names = Names();
      ++killedBetweenLinkAndRename;
    }
    ASSERT_EQ(names, std::vector<std::string>{"mma_ucp"}) << "round " << round << ", signal " << way.signal;
    const auto size = fs::file_size(target);
    ASSERT_TRUE(size == old.size() || size == big.size()) << size;
  }
  EXPECT_GT(killedDuringSave, 100) << killedDuringSave << " of 200, waits up to " << longestWait << " µs";
  EXPECT_LE(killedBetweenLinkAndRename, 4) << "of 40 SIGKILLs";
}

// Reading refuses what no menu file can be, at once and with the file's name.
TEST_F(SafeSaving, ReadingRefusesWhatIsNoMenuFileWithoutBlocking) {
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string sparse = (dir / "sparse").string();
  WriteOld({}, sparse);
  fs::resize_file(sparse, 3ull << 30);
  const std::string justOver = (dir / "just over").string();
  WriteOld(Bytes(kMaxMenuFileBytes + 1, 0), justOver);
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {{"/dev/zero", "character device"},
                        {fifo, "FIFO"},
                        {dir.string(), "folder"},
                        {sparse, "3,221,225,472 bytes"},
                        {justOver, "1,048,577 bytes"},
                        {"/proc/self/mem", "Input/output error"},
                        {(dir / "absent").string(), "No such file"}};
  ::alarm(20);  // a read that blocks must fail the test, not hang it
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto read = ReadWholeFile(c.path);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().code, ErrorCode::FileNotReadable);
    EXPECT_EQ(read.error().path, c.path);
    EXPECT_NE(read.error().message.find("\"" + c.path + "\""), std::string::npos) << read.error().message;
    EXPECT_NE(read.error().message.find(c.reason), std::string::npos) << read.error().message;
  }
  ::alarm(0);
  EXPECT_EQ(ReadWholeFile(justOver, kMaxMenuFileBytes + 1).value().size(), kMaxMenuFileBytes + 1);
  // Files the kernel makes up announce 0 bytes and hold more.
  EXPECT_GT(ReadWholeFile("/proc/self/status").value().size(), 100u);
  EXPECT_NE(ReadWholeFile("/proc/self/status", 16).error().message.find("holds more bytes"),
            std::string::npos);
}

// A stream that announced less than it holds is read whole up to the limit and refused
// beyond it, down to the last byte, whatever pieces the platform's read hands out.
TEST(ReadToEnd, TakesWhatFitsAndRefusesOneByteMore) {
  for (const std::size_t size : {std::size_t{100}, std::size_t{101}}) {
    std::size_t given = 0;
    const auto read =
        fileio::ReadToEnd("grown", 0, 100, [&](std::uint8_t* at, std::size_t room) -> Result<std::size_t> {
          const std::size_t n = std::min<std::size_t>({room, 7, size - given});
          for (std::size_t i = 0; i < n; ++i) at[i] = static_cast<std::uint8_t>(given++);
          return n;
        });
    SCOPED_TRACE(size);
    if (size == 100) {
      ASSERT_TRUE(read.ok());
      ASSERT_EQ(read.value().size(), 100u);
      for (std::size_t i = 0; i < 100; ++i) EXPECT_EQ(read.value()[i], i);
    } else {
      ASSERT_FALSE(read.ok());
      EXPECT_EQ(read.error().path, "grown");
    }
  }
  const auto failed =
      fileio::ReadToEnd("broken", 10, 100, [](std::uint8_t*, std::size_t) -> Result<std::size_t> {
        return fileio::ReadError("broken", "Input/output error");
      });
  EXPECT_NE(failed.error().message.find("Input/output error"), std::string::npos);
}

}  // namespace
}  // namespace quillet
