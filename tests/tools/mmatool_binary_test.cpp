// The built program end to end: arguments, streams and exit status as a shell sees them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

struct ProcessRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// A program that blocks is ended after ten seconds (status 124) instead of hanging the test.
ProcessRun RunBinary(const ScratchDir& dir, const std::vector<std::string>& args,
                     const std::string& input = {}) {
  std::string command = "timeout 10 " + Quote(MMATOOL_BINARY);
  for (const auto& a : args) {
    command += ' ';
    command += Quote(a);
  }
  const std::string errFile = dir.path("stderr.txt");
  command += " 2>";
  command += Quote(errFile);
  if (!input.empty()) command += " <" + Quote(input);
  ProcessRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const Bytes err = ReadBytes(errFile);
  run.err.assign(err.begin(), err.end());
  return run;
}

TEST(MmatoolBinary, InfoDumpAndConvertRunEndToEnd) {
  ScratchDir dir;
  const Bytes menu = BuildMenuFile(samples::EveryBlockKindMenu({}));
  const std::string file = dir.write("menu", menu);

  const auto info = RunBinary(dir, {"info", file});
  EXPECT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("Record layout: 36-byte\n"), std::string::npos) << info.out;

  const auto dump = RunBinary(dir, {"dump", file, "--json"});
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(dump.out.front(), '{');
  EXPECT_NE(dump.out.find("\"identifier\": \"~LongCustomName\""), std::string::npos);

  const std::string out = dir.path("converted");
  const auto convert = RunBinary(dir, {"convert", file, out, "--layout", "22"});
  EXPECT_EQ(convert.status, 0) << convert.err;
  EXPECT_EQ(ReadBytes(out).size(), menu.size() - 16 * (36 - 22));
}

TEST(MmatoolBinary, ExitStatusesReachTheShell) {
  ScratchDir dir;
  const auto usage = RunBinary(dir, {});
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.err.find("usage: mmatool"), std::string::npos);

  const auto missing = RunBinary(dir, {"info", dir.path("absent")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find(dir.path("absent")), std::string::npos) << missing.err;
}

void ExpectOneLineNaming(const ProcessRun& run, const std::string& name) {
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err.rfind("mmatool: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line expected: " << run.err;
}

// Nothing mmatool is pointed at makes it block, eat memory or crash: each is refused at
// once with one line that names it.
TEST(MmatoolBinary, InputsThatAreNoMenuFilesEndInOneLineAtOnce) {
  ScratchDir dir;
  const std::string fifo = dir.path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string sparse = dir.write("sparse", {});
  std::filesystem::resize_file(sparse, 3ull << 30);
  for (const std::string& input : {std::string("/dev/zero"), fifo, sparse, std::string("/proc/self/mem")}) {
    SCOPED_TRACE(input);
    ExpectOneLineNaming(RunBinary(dir, {"info", input}), input);
  }
  // A file name with a line break and a byte that is not UTF-8 still gives one valid line.
  const std::string odd = dir.write("bad\nname\xFF", Bytes(5, 0));
  ExpectOneLineNaming(RunBinary(dir, {"dump", odd}), "bad\\nname\\xFF");
}

TEST(MmatoolBinary, ConvertWritesWhereTheUserPointsIt) {
  ScratchDir dir;
  const Bytes menu = BuildMenuFile(samples::EveryBlockKindMenu({}));
  const std::string file = dir.write("menu", menu);
  const auto direct = RunBinary(dir, {"convert", file, dir.path("direct")});
  ASSERT_EQ(direct.status, 0) << direct.err;
  const Bytes expected = ReadBytes(dir.path("direct"));

  // "-": standard input and standard output.
  const auto piped = RunBinary(dir, {"convert", "-", "-"}, file);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(Bytes(piped.out.begin(), piped.out.end()), expected);
  const auto info = RunBinary(dir, {"info", "-"}, dir.path("direct"));
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("File: standard input\n"), std::string::npos) << info.out;

  // A link stays a link; a device stays a device (/dev/null through a link).
  std::filesystem::create_symlink("real", dir.path("link"));
  EXPECT_EQ(RunBinary(dir, {"convert", file, dir.path("link")}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link")));
  EXPECT_EQ(ReadBytes(dir.path("real")), expected);
  std::filesystem::create_symlink("/dev/null", dir.path("null"));
  EXPECT_EQ(RunBinary(dir, {"convert", file, dir.path("null")}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("null")));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// The emulated phone in a folder, and the backups in the scratch folder too.
class PhoneEnvironment {
 public:
  explicit PhoneEnvironment(const ScratchDir& dir)
      : phone_(dir.path("phone")), menu_(phone_ + "/a/mobile/system/mma_ucp") {
    std::filesystem::create_directories(phone_ + "/a/mobile/system");
    setenv("QUILLET_PHONE_DIR", phone_.c_str(), 1);
    setenv("XDG_DATA_HOME", dir.path("data").c_str(), 1);
  }
  ~PhoneEnvironment() {
    unsetenv("QUILLET_PHONE_DIR");
    unsetenv("XDG_DATA_HOME");
  }
  const std::string& menu() const { return menu_; }

 private:
  std::string phone_, menu_;
};

TEST(MmatoolBinary, PhonePullAndPushRoundTripThroughTheEmulatedPhone) {
  ScratchDir dir;
  PhoneEnvironment phone(dir);
  const Bytes original = BuildMenuFile(samples::SmallMenu(22, 0x01));
  dir.write("phone/a/mobile/system/mma_ucp", original);

  const auto pull = RunBinary(dir, {"phone", "pull", dir.path("pulled")});
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(ReadBytes(dir.path("pulled")), original);

  const Bytes edited = BuildMenuFile(samples::EveryBlockKindMenu({}));
  const auto push = RunBinary(dir, {"phone", "push", dir.write("edited", edited)});
  ASSERT_EQ(push.status, 0) << push.err;
  EXPECT_EQ(ReadBytes(phone.menu()), edited);
  ASSERT_EQ(RunBinary(dir, {"phone", "pull", dir.path("again")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.path("again")), edited);

  // Pull and push kept the phone's original menu (once) and the pushed one read back.
  const auto backups = RunBinary(dir, {"phone", "backups"});
  EXPECT_EQ(backups.status, 0);
  EXPECT_NE(backups.out.find(dir.path("data") + "/quillet/backups/Emulated_P2K/"), std::string::npos)
      << backups.out;
  EXPECT_EQ(std::count(backups.out.begin(), backups.out.end(), '\n'), 2) << backups.out;

  const auto info = RunBinary(dir, {"phone", "info"});
  EXPECT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("model: Emulated P2K\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("menu file: " + std::to_string(edited.size()) + " bytes\n"), std::string::npos);
}

// put, ls, get, put of a shorter file, rm, and get of a missing file, through the
// standard streams where '-' names them; the menu's folder is refused.
TEST(MmatoolBinary, PhoneFileCommandsOnTheEmulatedPhone) {
  ScratchDir dir;
  PhoneEnvironment phone(dir);
  const Bytes menu = BuildMenuFile(samples::SmallMenu(22, 0x01));
  dir.write("phone/a/mobile/system/mma_ucp", menu);
  std::filesystem::create_directories(dir.path("phone/a/mobile/picture/deeper"));
  dir.write("phone/a/mobile/picture/deeper/other.gif", Bytes(5, 1));
  Bytes image(3000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 31 % 251);
  const std::string path = "/a/mobile/picture/mine.gif";

  const auto put = RunBinary(dir, {"phone", "put", dir.write("mine.gif", image), path});
  ASSERT_EQ(put.status, 0) << put.err;
  EXPECT_EQ(put.out, "");  // a new file: nothing to back up
  EXPECT_EQ(ReadBytes(dir.path("phone") + path), image);
  const auto ls = RunBinary(dir, {"phone", "ls", "/a/mobile/picture"});
  ASSERT_EQ(ls.status, 0) << ls.err;
  EXPECT_EQ(ls.out, "3000\t" + path + "\n");
  const auto get = RunBinary(dir, {"phone", "get", path, "-"});
  ASSERT_EQ(get.status, 0) << get.err;
  EXPECT_EQ(Bytes(get.out.begin(), get.out.end()), image);

  const Bytes shorter(image.begin(), image.begin() + 1000);
  const auto again = RunBinary(dir, {"phone", "put", "-", path}, dir.write("shorter", shorter));
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(ReadBytes(dir.path("phone") + path), shorter);
  ASSERT_EQ(again.out.rfind("backup: ", 0), 0u) << again.out;
  EXPECT_EQ(ReadBytes(again.out.substr(8, again.out.size() - 9)), image);  // the replaced file, kept

  EXPECT_EQ(RunBinary(dir, {"phone", "rm", path}).status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path("phone") + path));
  const auto missing = RunBinary(dir, {"phone", "get", path, dir.path("out")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
  EXPECT_NE(missing.err.find(path), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(dir.path("out")));

  // The files that run the phone are changed by push alone.
  const auto refused = RunBinary(dir, {"phone", "put", dir.path("mine.gif"), "/a/mobile/SYSTEM/mma_ucp"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("/a/mobile/system/ run the phone"), std::string::npos) << refused.err;
  EXPECT_EQ(RunBinary(dir, {"phone", "rm", "/a/mobile/system/mma_ucp"}).status, 1);
  EXPECT_EQ(ReadBytes(phone.menu()), menu);
  EXPECT_EQ(RunBinary(dir, {"phone", "get", path}).status, 2);
}

TEST(MmatoolBinary, PhonePushRefusesADamagedFileBeforeSendingIt) {
  ScratchDir dir;
  PhoneEnvironment phone(dir);
  const Bytes original = BuildMenuFile(samples::SmallMenu(36, 0x01));
  dir.write("phone/a/mobile/system/mma_ucp", original);
  const Bytes damaged(original.begin(), original.begin() + 30);
  const auto push = RunBinary(dir, {"phone", "push", dir.write("damaged", damaged)});
  EXPECT_EQ(push.status, 1);
  EXPECT_NE(push.err.find(dir.path("damaged")), std::string::npos) << push.err;
  EXPECT_EQ(ReadBytes(phone.menu()), original);
  EXPECT_FALSE(std::filesystem::exists(dir.path("data")));
  EXPECT_EQ(RunBinary(dir, {"phone", "push"}).status, 2);
}

}  // namespace
}  // namespace quillet::testtools
