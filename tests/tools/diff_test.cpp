// diff: the same menu, items replaced, removed, added and moved, and trouble.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "json_form.h"
#include "json_value.h"
#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using menubytes::ItemPlan;

ItemPlan Named(const std::string& identifier) {
  ItemPlan item;
  item.identifier = identifier;
  return item;
}

TEST(Diff, SameMenuInAnotherFileIsExitZeroAndSilent) {
  ScratchDir dir;
  const std::string a = dir.write("a", BuildMenuFile(samples::EveryBlockKindMenu({})));
  ASSERT_EQ(RunTool({"convert", a, dir.path("b")}).status, 0);
  const auto run = RunTool({"diff", a, dir.path("b")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(menujson::Json::parse(RunTool({"diff", "--json", a, dir.path("b")}).out),
            menujson::Json::parse(R"({"same": true, "changes": []})"));
}

TEST(Diff, NamesReplacedRemovedAddedAndMovedItemsAndOptions) {
  ScratchDir dir;
  // A: PhoneBook, Tools {Calculator, Notes}, Games
  const std::string a = dir.write("a", BuildMenuFile(samples::SmallMenu(36, 1)));
  menubytes::MenuPlan plan = samples::SmallMenu(22, 1);
  plan.softkeys[1].identifier = "Camera";
  plan.items[0].identifier = "Video";
  plan.items[1].children = {Named("Notes")};
  plan.items.push_back(Named("Camera"));
  std::swap(plan.items[1], plan.items[2]);
  // B: Video, Games, Tools {Notes}, Camera
  const std::string b = dir.write("b", BuildMenuFile(plan));
  const auto run = RunTool({"diff", a, b});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "option layout: 36 -> 22\n"
            "replaced softkeys[1]: \"Message\" -> \"Camera\"\n"
            "removed menu[1].children[0] \"Calculator\"\n"
            "replaced menu[0]: \"PhoneBook\" -> \"Video\"\n"
            "moved \"Tools\": menu[1] -> menu[2]\n"
            "added menu[3] \"Camera\"\n");
}

TEST(Diff, AFileThatCannotBeLoadedIsTroubleWithStatusTwo) {
  ScratchDir dir;
  const std::string a = dir.write("a", BuildMenuFile(samples::SmallMenu(36, 1)));
  for (const auto& args : {std::vector<std::string>{"diff", a, dir.path("absent")},
                           std::vector<std::string>{"diff", dir.write("short", {0, 1}), a}}) {
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("mmatool: ", 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace quillet::testtools
