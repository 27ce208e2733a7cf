// What a save without "Save all data" would leave out: named per item, and empty exactly
// when the save writes the same bytes as one that keeps all data.
#include <gtest/gtest.h>

#include "menu_writer.h"
#include "save_losses.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MustLoad;

SaveOptions Options(bool saveAll, RecordLayout layout = RecordLayout::Bytes36) {
  SaveOptions options;
  options.layout = layout;
  options.saveAllData = saveAll;
  return options;
}

mb::Bytes Serialized(const mb::Bytes& file, const SaveOptions& options) {
  MenuDocument doc;
  MustLoad(file, doc);
  auto bytes = SerializeMenu(doc, options);
  EXPECT_TRUE(bytes.ok());
  return bytes.ok() ? bytes.value() : mb::Bytes{};
}

TEST(SaveLosses, NamesEachItemWithItsUninterpretedTagsAndUnusualKind) {
  mb::MenuPlan plan;
  plan.softkeys[1].data = mb::Block(13, {4});
  const mb::Bytes names = mb::MenuNameBlock({{1, u"Setup"}}, 0xCD);
  plan.items = {Item("Settings", {Item("Sounds", {}, mb::Concat({mb::Block(2, {}), mb::UrlBlock("u")}))},
                     mb::Concat({names, mb::Block(7, {1, 2, 3}), mb::Block(20, {0xCA, 0xFE})})),
                Item("Games"), Item("Radio", {}, names)};
  plan.items[1].kind = 5;
  plan.items[2].kind = 3;  // a URL item's kind is kept anyway
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);

  const std::vector<DataLeftOut> lost = DataLeftOutBySave(doc, Options(false));
  ASSERT_EQ(lost.size(), 4u);
  EXPECT_EQ(lost[0].node->caption(), "RSK: Message");
  EXPECT_EQ(lost[0].blockTags, (std::vector<std::uint8_t>{13}));
  EXPECT_FALSE(lost[0].kind);
  EXPECT_EQ(lost[1].node->caption(), "Settings");
  EXPECT_EQ(lost[1].blockTags, (std::vector<std::uint8_t>{7, 20}));
  EXPECT_EQ(lost[2].node->caption(), "Sounds");
  EXPECT_EQ(lost[2].blockTags, (std::vector<std::uint8_t>{2}));
  EXPECT_EQ(lost[3].node->caption(), "Games");
  EXPECT_TRUE(lost[3].blockTags.empty());
  EXPECT_EQ(lost[3].kind, std::optional<std::uint8_t>(5));

  EXPECT_TRUE(DataLeftOutBySave(doc, Options(true)).empty());
  EXPECT_TRUE(DataLeftOutBySave(doc, Options(true, RecordLayout::Bytes22)).empty());
}

// The rule and the writer agree: nothing is named exactly when dropping changes no byte.
TEST(SaveLosses, NothingNamedExactlyWhenTheSaveKeepsEveryByte) {
  struct Case {
    const char* name;
    mb::ItemPlan item;
  };
  mb::ItemPlan kind5 = Item("Games");
  kind5.kind = 5;
  mb::ItemPlan midlet = Item("Games", {}, mb::MidletBlock(9, "App"));
  midlet.kind = 6;
  const std::vector<Case> cases = {
      {"plain with names", Item("Games", {}, mb::MenuNameBlock({{7, u"Spiele"}}, 0xCD))},
      {"uninterpreted block", Item("Games", {}, mb::Block(8, {0}))},
      {"kind 5", kind5},
      {"MIDlet kind 6", midlet},
      {"subitem with a block", Item("Tools", {Item("Games", {}, mb::Block(4, {}))})},
      {"empty submenu of kind 1", Item("Tools", {Item("Games")})}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mb::MenuPlan plan;
    plan.items = {c.item, Item("Radio")};
    const mb::Bytes file = mb::BuildMenuFile(plan);
    MenuDocument doc;
    MustLoad(file, doc);
    const bool named = !DataLeftOutBySave(doc, Options(false)).empty();
    EXPECT_EQ(named, Serialized(file, Options(false)) != Serialized(file, Options(true)));
  }
}

}  // namespace
}  // namespace quillet
