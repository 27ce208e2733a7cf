// The built program end to end: arguments, streams and exit status as a shell sees them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
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

ProcessRun RunBinary(const ScratchDir& dir, const std::vector<std::string>& args) {
  std::string command = Quote(MMATOOL_BINARY);
  for (const auto& a : args) {
    command += ' ';
    command += Quote(a);
  }
  const std::string errFile = dir.path("stderr.txt");
  command += " 2>";
  command += Quote(errFile);
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

}  // namespace
}  // namespace quillet::testtools
