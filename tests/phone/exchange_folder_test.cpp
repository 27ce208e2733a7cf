// Where the exchange file lives: a folder of this process alone, made when first needed
// and gone at the end, also when SIGTERM ends the process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "exchange_folder.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

TEST(ExchangeFolder, PrivateToEachUserMadeOnFirstUseAndRemovedWithoutTouchingOthers) {
  TempFolder parent;
  WriteBytes(parent.path() / "mma_temp", {7, 7});  // a user's file of the same name
  {
    ExchangeFolder first(parent.path().string());
    ExchangeFolder second(parent.path().string());
    EXPECT_TRUE(first.file().empty());  // nothing made before it is needed
    const auto a = first.filePath();
    const auto b = second.filePath();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.value(), b.value());
    EXPECT_NE(fs::path(a.value()).parent_path(), parent.path());
    const fs::perms mode = fs::status(fs::path(a.value()).parent_path()).permissions();
    EXPECT_EQ(mode & fs::perms::all, fs::perms::owner_all);
    WriteBytes(a.value(), {1});

    // A file the editor did not make keeps its folder in place.
    const fs::path stranger = fs::path(b.value()).parent_path() / "stranger";
    WriteBytes(stranger, {2});
    second.remove();
    EXPECT_TRUE(fs::exists(stranger));
    fs::remove(stranger);
  }
  EXPECT_EQ(ReadBytes(parent.path() / "mma_temp"), (std::vector<std::uint8_t>{7, 7}));
  EXPECT_EQ(std::distance(fs::directory_iterator(parent.path()), fs::directory_iterator()), 2);
}

TEST(ExchangeFolder, SigtermRemovesItBeforeTheProcessEnds) {
  TempFolder parent;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ExchangeFolder folder(parent.path().string());
    const auto file = folder.filePath();
    if (file) WriteBytes(file.value(), {1, 2, 3});
    ::raise(SIGTERM);
    ::_exit(0);  // reached only when SIGTERM did not end the process
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_TRUE(fs::is_empty(parent.path()));
}

TEST(ExchangeFolder, FolderThatCannotBeMadeIsAnErrorNamingItsPlace) {
  TempFolder parent;
  ExchangeFolder folder(parent.file("missing"));
  const auto file = folder.filePath();
  ASSERT_FALSE(file);
  EXPECT_EQ(file.error().path, parent.file("missing"));
}

}  // namespace
}  // namespace quillet::test
