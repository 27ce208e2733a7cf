// Every bad file ends in one stderr line naming it and status 1, for every command;
// convert then leaves the target as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

void ExpectRefused(const ToolRun& run, const std::string& file) {
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_EQ(run.err.rfind("mmatool: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line expected: " << run.err;
}

TEST(BadInput, RefusedFilesExitOneForEveryCommandAndKeepTheTarget) {
  for (const auto& bad : samples::RefusedFiles()) {
    SCOPED_TRACE(bad.name);
    ScratchDir dir;
    const std::string file = dir.write(bad.name, bad.bytes);
    const Bytes previous = {1, 2, 3};
    const std::string out = dir.write("out", previous);
    ExpectRefused(RunTool({"info", file}), file);
    ExpectRefused(RunTool({"dump", file}), file);
    ExpectRefused(RunTool({"dump", "--json", file}), file);
    ExpectRefused(RunTool({"convert", file, out}), file);
    EXPECT_EQ(ReadBytes(out), previous);
  }
}

TEST(BadInput, MissingFilesAndDirectoriesExitOne) {
  ScratchDir dir;
  const std::string missing = dir.path("no-such-file");
  ExpectRefused(RunTool({"info", missing}), missing);
  ExpectRefused(RunTool({"convert", missing, dir.path("out")}), missing);
  EXPECT_FALSE(std::filesystem::exists(dir.path("out")));
  const std::string directory = dir.path("");
  ExpectRefused(RunTool({"dump", directory}), directory);
}

TEST(BadInput, DamagedButReadableFilesLoadWithAWarningNamingTheFile) {
  for (const auto& warned : samples::WarnedFiles()) {
    SCOPED_TRACE(warned.name);
    ScratchDir dir;
    const std::string file = dir.write(warned.name, warned.bytes);
    const auto run = RunTool({"convert", file, dir.path("out")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("mmatool: warning: " + file + ": ", 0), 0u) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir.path("out")));
  }
}

}  // namespace
}  // namespace quillet::testtools
