// Usage: what mmatool accepts, what it refuses with status 2, and how the convert
// options follow the loaded file and the 36-byte rule.
#include <gtest/gtest.h>

#include <variant>

#include "command_line.h"
#include "convert_options.h"
#include "tool_harness.h"

namespace quillet::mmatool {
namespace {

using testtools::RunTool;

TEST(Usage, BadCommandLinesExitTwoWithTheProblemAndTheUsageText) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"frobnicate", "a"},
      {"info"},
      {"info", "a", "b"},
      {"info", "a", "--json"},
      {"dump", "a", "--layout", "22"},
      {"convert", "a"},
      {"convert", "a", "b", "c"},
      {"convert", "a", "b", "--layout"},
      {"convert", "a", "b", "--layout", "23"},
      {"convert", "a", "b", "--layout", "22", "--layout", "36"},
      {"convert", "a", "b", "--c698p", "--no-c698p"},
      {"convert", "a", "b", "--icon-tag", "0D"},
      {"convert", "a", "b", "--icon-tag", "06", "--icon-tag=0C"},
      {"convert", "a", "b", "--drop"},
  };
  for (const auto& args : bad) {
    const auto run = RunTool(args);
    SCOPED_TRACE(args.empty() ? std::string("(none)")
                              : args[0] + " ... (" + std::to_string(args.size()) + ")");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(run.err.rfind("mmatool: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("usage: mmatool info FILE"), std::string::npos);
  }
}

TEST(Usage, HelpGoesToStandardOutputWithStatusZero) {
  for (const char* help : {"help", "--help", "-h"}) {
    const auto run = RunTool({help});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kUsageText);
    EXPECT_TRUE(run.err.empty());
  }
}

TEST(CommandLine, ReadsFilesAndFlagsInAnyOrder) {
  const auto parsed = ParseCommandLine(
      {"convert", "--layout=22", "in", "--icon-tag", "06", "out", "--no-c698p", "--drop-unsupported"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed));
  const CommandLine& line = std::get<CommandLine>(parsed);
  EXPECT_EQ(line.command, CommandName::Convert);
  EXPECT_EQ(line.files, (std::vector<std::string>{"in", "out"}));
  EXPECT_EQ(line.convert.layout, RecordLayout::Bytes22);
  EXPECT_EQ(line.convert.iconTag, IconTag::Tag06);
  EXPECT_EQ(line.convert.c698p, false);
  EXPECT_TRUE(line.convert.dropUnsupported);
}

TEST(CommandLine, DoubleDashEndsOptionsSoFilesMayStartWithADash) {
  const auto parsed = ParseCommandLine({"dump", "--json", "--", "--odd-name"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed));
  EXPECT_TRUE(std::get<CommandLine>(parsed).json);
  EXPECT_EQ(std::get<CommandLine>(parsed).files, std::vector<std::string>{"--odd-name"});
}

LoadedOptions Loaded22(bool c698p, IconTag tag) { return {RecordLayout::Bytes22, true, c698p, true, tag}; }
LoadedOptions Loaded36(IconTag tag) { return {RecordLayout::Bytes36, false, false, false, tag}; }

SaveOptions Resolve(const LoadedOptions& loaded, const ConvertFlags& flags) {
  const auto resolved = ResolveSaveOptions(loaded, flags);
  if (const auto* usage = std::get_if<UsageError>(&resolved)) ADD_FAILURE() << usage->message;
  return std::holds_alternative<SaveOptions>(resolved) ? std::get<SaveOptions>(resolved) : SaveOptions{};
}

TEST(ConvertOptions, WithoutFlagsTheyAreTheLoadedOnesAndAllDataIsKept) {
  EXPECT_EQ(Resolve(Loaded22(true, IconTag::Tag06), {}),
            (SaveOptions{RecordLayout::Bytes22, true, true, IconTag::Tag06}));
  // A 36-byte file whose icon blocks carry tag 6 is written back with tag 6.
  EXPECT_EQ(Resolve(Loaded36(IconTag::Tag06), {}),
            (SaveOptions{RecordLayout::Bytes36, true, false, IconTag::Tag06}));
}

TEST(ConvertOptions, FlagsApplyAfterTheLoadedState) {
  ConvertFlags to22;
  to22.layout = RecordLayout::Bytes22;
  to22.c698p = true;
  EXPECT_EQ(Resolve(Loaded36(IconTag::Tag0C), to22),
            (SaveOptions{RecordLayout::Bytes22, true, true, IconTag::Tag0C}));

  ConvertFlags drop;
  drop.dropUnsupported = true;
  drop.c698p = false;
  EXPECT_EQ(Resolve(Loaded22(true, IconTag::Tag0C), drop),
            (SaveOptions{RecordLayout::Bytes22, false, false, IconTag::Tag0C}));
}

TEST(ConvertOptions, ChoosingThe36ByteLayoutForcesTag0CAndNoFix) {
  ConvertFlags to36;
  to36.layout = RecordLayout::Bytes36;
  EXPECT_EQ(Resolve(Loaded22(true, IconTag::Tag06), to36),
            (SaveOptions{RecordLayout::Bytes36, true, false, IconTag::Tag0C}));
  to36.iconTag = IconTag::Tag0C;
  to36.c698p = false;
  EXPECT_EQ(Resolve(Loaded36(IconTag::Tag06), to36),
            (SaveOptions{RecordLayout::Bytes36, true, false, IconTag::Tag0C}));
}

TEST(ConvertOptions, FixOrTag06WithThe36ByteLayoutIsAUsageError) {
  ConvertFlags fix;
  fix.c698p = true;
  EXPECT_TRUE(std::holds_alternative<UsageError>(ResolveSaveOptions(Loaded36(IconTag::Tag0C), fix)));
  fix.layout = RecordLayout::Bytes36;
  EXPECT_TRUE(std::holds_alternative<UsageError>(ResolveSaveOptions(Loaded22(false, IconTag::Tag0C), fix)));

  ConvertFlags tag06;
  tag06.iconTag = IconTag::Tag06;
  EXPECT_TRUE(std::holds_alternative<UsageError>(ResolveSaveOptions(Loaded36(IconTag::Tag0C), tag06)));
  tag06.layout = RecordLayout::Bytes22;
  EXPECT_TRUE(std::holds_alternative<SaveOptions>(ResolveSaveOptions(Loaded36(IconTag::Tag0C), tag06)));
}

}  // namespace
}  // namespace quillet::mmatool
