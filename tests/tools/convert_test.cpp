// convert: byte-exact reproduction of the writer's files, and layout and option changes
// checked against files the byte-builder lays out directly in the target form.
#include <gtest/gtest.h>

#include <filesystem>

#include "menu_loader.h"
#include "menu_writer.h"
#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using samples::BlockKindOptions;
using samples::BlockKinds;
using samples::EveryBlockKindMenu;

// Runs `convert IN OUT flags...` and returns OUT's bytes (empty when it failed).
Bytes Convert(const ScratchDir& dir, const Bytes& input, const std::vector<std::string>& flags) {
  const std::string in = dir.write("in", input);
  const std::string out = dir.path("out");
  std::filesystem::remove(out);
  std::vector<std::string> args{"convert", in, out};
  args.insert(args.end(), flags.begin(), flags.end());
  const auto run = RunTool(args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return std::filesystem::exists(out) ? ReadBytes(out) : Bytes{};
}

// What the writer makes of a builder file, saved as the window would after loading it.
Bytes WriterOutput(const Bytes& input, bool saveAllData) {
  MenuDocument doc;
  auto loaded = LoadMenuFile(input, doc, "fixture");
  EXPECT_TRUE(loaded.ok());
  if (!loaded) return {};
  const LoadedOptions& l = loaded->options;
  auto written = SerializeMenu(doc, {l.layout, saveAllData, l.c698p, l.iconTag});
  EXPECT_TRUE(written.ok());
  return written ? written.value() : Bytes{};
}

TEST(Convert, ReproducesWriterProducedFilesByteForByte) {
  ScratchDir dir;
  const std::vector<Bytes> inputs = {BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12))),
                                     BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 6))),
                                     BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 6, 3))),
                                     BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 12))),
                                     BuildMenuFile(samples::SmallMenu(22, 3)),
                                     BuildMenuFile(samples::FullMenu(36)),
                                     BuildMenuFile(menubytes::MenuPlan{})};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    for (const bool saveAll : {true, false}) {
      SCOPED_TRACE("input " + std::to_string(i) + (saveAll ? " all data" : " supported data"));
      const Bytes written = WriterOutput(inputs[i], saveAll);
      ASSERT_FALSE(written.empty());
      EXPECT_EQ(Convert(dir, written, {}), written);
    }
  }
}

TEST(Convert, KeepsAFileInTheFormatsOwnLayoutUnchanged) {
  ScratchDir dir;
  const Bytes file = BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12)));
  EXPECT_EQ(Convert(dir, file, {}), file);
}

TEST(Convert, From36To22ShrinksRecordsIdentifiersAndMarkers) {
  ScratchDir dir;
  const Bytes converted =
      Convert(dir, BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12))), {"--layout", "22"});
  EXPECT_EQ(converted, BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 12))));
  // "~LongCustomName" keeps its first 12 bytes in the 22-byte record.
  const std::string asText(converted.begin(), converted.end());
  EXPECT_NE(asText.find(std::string("~LongCustomN\0", 13)), std::string::npos);
  EXPECT_EQ(asText.find("~LongCustomNa"), std::string::npos);
}

TEST(Convert, From22To36ForcesTag0CAndNoFix) {
  ScratchDir dir;
  // The 22-byte record holds only "~LongCustomN"; that is what the 36-byte file gets.
  BlockKindOptions from = BlockKinds(22, 6, 3);
  BlockKindOptions to = BlockKinds(36, 12, 1);
  from.longCustomId = to.longCustomId = "~LongCustomN";
  const Bytes converted = Convert(dir, BuildMenuFile(EveryBlockKindMenu(from)), {"--layout", "36"});
  EXPECT_EQ(converted, BuildMenuFile(EveryBlockKindMenu(to)));
}

TEST(Convert, SetsFixAndIconTagIn22ByteLayout) {
  ScratchDir dir;
  const Bytes in = BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 12, 1)));
  EXPECT_EQ(Convert(dir, in, {"--c698p", "--icon-tag", "06"}),
            BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 6, 3))));
  const Bytes fixed = BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 6, 3)));
  EXPECT_EQ(Convert(dir, fixed, {"--no-c698p", "--icon-tag=0C"}), in);
}

TEST(Convert, KeepsUnsupportedDataUnlessAskedToDropIt) {
  ScratchDir dir;
  const Bytes in = BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12)));
  EXPECT_EQ(Convert(dir, in, {"--drop-unsupported"}),
            BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12, 1, false))));
}

TEST(Convert, ConvertsAFileInPlace) {
  ScratchDir dir;
  const std::string file = dir.write("menu", BuildMenuFile(EveryBlockKindMenu(BlockKinds(36, 12))));
  const auto run = RunTool({"convert", file, file, "--layout", "22"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(file), BuildMenuFile(EveryBlockKindMenu(BlockKinds(22, 12))));
}

TEST(Convert, RefusedFixWith36ByteLayoutWritesNothing) {
  ScratchDir dir;
  const std::string in = dir.write("in", BuildMenuFile(samples::SmallMenu(36, 1)));
  const std::string out = dir.path("out");
  for (const std::vector<std::string>& flags :
       {std::vector<std::string>{"--c698p"}, {"--icon-tag", "06"}, {"--layout", "36", "--c698p"}}) {
    std::vector<std::string> args{"convert", in, out};
    args.insert(args.end(), flags.begin(), flags.end());
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("needs the 22-byte layout"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST(Convert, AFailedWriteNamesTheTargetAndLeavesNoFile) {
  ScratchDir dir;
  const std::string in = dir.write("in", BuildMenuFile(samples::SmallMenu(36, 1)));
  const std::string out = dir.path("missing-dir") + "/out";
  const auto run = RunTool({"convert", in, out});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(out), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line expected: " << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.path("missing-dir")));
}

}  // namespace
}  // namespace quillet::testtools
