#include <gtest/gtest.h>

#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using samples::BlockKindOptions;
using samples::EveryBlockKindMenu;

TEST(Info, Summarises36ByteFile) {
  ScratchDir dir;
  const std::string file = dir.write("menu36", BuildMenuFile(EveryBlockKindMenu({})));
  const auto run = RunTool({"info", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "File: " + file +
                         "\n"
                         "Record layout: 36-byte\n"
                         "Variant: 1\n"
                         "Records: 16\n"
                         "Main menu entries: 6\n"
                         "Custom icon attribute: 0C\n"
                         "Items with data: 6\n");
}

TEST(Info, Shows22ByteFixAndTag06) {
  ScratchDir dir;
  BlockKindOptions options;
  options.recordSize = 22;
  options.iconTag = 6;
  options.variant = 3;
  const std::string file = dir.write("menu22", BuildMenuFile(EveryBlockKindMenu(options)));
  const auto run = RunTool({"info", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Record layout: 22-byte\nVariant: 3 (c698p mma_ucp fix)\n"), std::string::npos);
  EXPECT_NE(run.out.find("Custom icon attribute: 06\n"), std::string::npos);
}

TEST(Info, CountsEmptyAndFullMainMenus) {
  ScratchDir dir;
  menubytes::MenuPlan empty;
  const auto none = RunTool({"info", dir.write("empty", BuildMenuFile(empty))});
  EXPECT_NE(none.out.find("Records: 10\nMain menu entries: 0\n"), std::string::npos) << none.out;
  EXPECT_NE(none.out.find("Items with data: 0\n"), std::string::npos);

  const auto full = RunTool({"info", dir.write("full", BuildMenuFile(samples::FullMenu(22)))});
  EXPECT_NE(full.out.find("Records: 255\nMain menu entries: 245\n"), std::string::npos) << full.out;
  EXPECT_NE(full.out.find("Items with data: 49\n"), std::string::npos);
}

}  // namespace
}  // namespace quillet::testtools
