#include <gtest/gtest.h>

#include "catalogue.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MainItem;
using testhelp::MustLoad;

TEST(LoadOptions, ThirtySixByteFileForcesZeroCAndNoFix) {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  plan.variant = 3;  // ignored: the fix exists only for 22-byte files
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(outcome.options.layout, RecordLayout::Bytes36);
  EXPECT_FALSE(outcome.options.c698pEnabled);
  EXPECT_FALSE(outcome.options.c698p);
  EXPECT_FALSE(outcome.options.iconTagEnabled);
  EXPECT_EQ(outcome.options.iconTag, IconTag::Tag0C);
  EXPECT_EQ(doc.RecordSize, 36);
}

TEST(LoadOptions, TagSixIconsSelectZeroSixEvenInTheDisabledGroup) {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  plan.softkeys[0].data = mb::IconPathBlock(6, 3, u"/a/x.gif");
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_FALSE(outcome.options.iconTagEnabled);
  EXPECT_EQ(outcome.options.iconTag, IconTag::Tag06);
  EXPECT_EQ(doc.StoreEntry(3)->blocks[0].tag, kTagIconPath);  // held as 12 whatever the file says
}

TEST(LoadOptions, TwentyTwoByteFileFollowsVariantAndTheLastIconBlock) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  plan.variant = 3;
  plan.softkeys[6].data = mb::IconPathBlock(6, 2, u"s");
  plan.items = {Item("Settings", {}, mb::IconPathBlock(12, 2, u"t"))};
  MenuDocument doc;
  LoadOutcome outcome = MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(outcome.options.layout, RecordLayout::Bytes22);
  EXPECT_TRUE(outcome.options.c698pEnabled);
  EXPECT_TRUE(outcome.options.c698p);
  EXPECT_TRUE(outcome.options.iconTagEnabled);
  EXPECT_EQ(outcome.options.iconTag, IconTag::Tag0C);  // the main-menu block is read last

  plan.variant = 1;
  plan.items[0].data = mb::IconPathBlock(6, 2, u"t");
  outcome = MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_FALSE(outcome.options.c698p);
  EXPECT_EQ(outcome.options.iconTag, IconTag::Tag06);
  EXPECT_TRUE(outcome.options.iconTagDecided);

  // Without icon paths a 22-byte file leaves the choice to the user; a 36-byte file never.
  plan.softkeys[6].data.clear();
  plan.items[0].data.clear();
  EXPECT_FALSE(MustLoad(mb::BuildMenuFile(plan), doc).options.iconTagDecided);
  plan.recordSize = 36;
  EXPECT_TRUE(MustLoad(mb::BuildMenuFile(plan), doc).options.iconTagDecided);
}

TEST(LoadOptions, ByteFortyOneAloneDecidesTheLayout) {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  mb::Bytes wide = mb::BuildMenuFile(plan);
  wide[6] = wide[7] = 0xFF;  // header bytes of a 22-byte file
  MenuDocument doc;
  EXPECT_EQ(MustLoad(wide, doc).options.layout, RecordLayout::Bytes36);

  plan.recordSize = 22;
  mb::Bytes narrow = mb::BuildMenuFile(plan);
  narrow[6] = 0x15;
  narrow[7] = 0x02;
  EXPECT_EQ(MustLoad(narrow, doc).options.layout, RecordLayout::Bytes22);
  EXPECT_EQ(doc.tree.nodeAt(1)->caption(), "LSK: PhoneBook");
}

TEST(LoadSummary, NamesLayoutAndMainMenuCount) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  for (int i = 0; i < 57; ++i) plan.items.push_back(Item("Games"));
  MenuDocument doc;
  const mb::Bytes bytes = mb::BuildMenuFile(plan);
  ASSERT_EQ(bytes[2], 67);
  EXPECT_EQ(MustLoad(bytes, doc).summary, "Format: 22-byte   Main menu entries: 57");
}

TEST(LoadTree, FixedNodesCaptionsAndSubmenus) {
  mb::MenuPlan plan;
  plan.softkeys[2].identifier = "Settings";
  plan.items = {Item("Mutilmedia", {Item("Camera"), Item("Video", {Item("Pictures")})}), Item("PhoneBook")};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(testhelp::Captions(doc),
            (std::vector<std::string>{"Softkeys", "LSK: PhoneBook", "RSK: Message", "Up: Settings",
                                      "Down: Multimedia", "Left: AlarmClock", "Right: MMRingStyle",
                                      "Smart: VoiceRecord", "Menu Root", "Multimedia", "Camera", "Video",
                                      "Pictures", "PhoneBook"}));
  EXPECT_EQ(doc.tree.nodeAt(3)->item().canHaveSubmenu, 0);  // softkeys never own a submenu
  EXPECT_EQ(doc.tree.nodeAt(3)->item().slot, 5);
  EXPECT_EQ(MainItem(doc, 0)->item().canHaveSubmenu, 1);
  EXPECT_EQ(MainItem(doc, 4)->item().canHaveSubmenu, 0);
  const TMMAItem& root = doc.menuRootNode()->item();
  EXPECT_EQ(root.identifier, "MenuRoot");
  EXPECT_EQ(root.child, 10);
  EXPECT_EQ(root.kind, 1);
  const TMMAItem& container = doc.softkeysNode()->item();
  EXPECT_EQ(container.identifier, "Container");
  EXPECT_EQ(container.slot, 2);
  // Record order is A list, then child lists: Mutilmedia 10, PhoneBook 11, Camera 12, Video 13, Pictures 14.
  EXPECT_EQ(MainItem(doc, 3)->item().slot, 15);
  EXPECT_EQ(MainItem(doc, 3)->item().parent, 13);
}

TEST(LoadTree, CustomAndUnknownIdentifiers) {
  mb::MenuPlan plan;
  plan.softkeys[0].identifier = "~9";
  plan.softkeys[0].flags = 0x18;
  plan.items = {Item("~3"), Item("FutureThing"), Item("Games")};
  plan.items[0].flags = 0x18;
  plan.items[2].flags = 0x18;
  MenuDocument doc;
  doc.CustomItemCount = 5;
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(doc.CustomItemCount, 7);  // counts what it met, whatever the numbers
  EXPECT_EQ(doc.tree.nodeAt(1)->caption(), "LSK: ~9");
  EXPECT_EQ(doc.tree.nodeAt(1)->item().flags, 0x18);
  EXPECT_EQ(doc.tree.nodeAt(1)->item().canHaveSubmenu, 0);
  EXPECT_EQ(MainItem(doc, 0)->caption(), "~3");
  EXPECT_EQ(MainItem(doc, 0)->item().flags, 0x18);
  EXPECT_EQ(MainItem(doc, 0)->item().canHaveSubmenu, 1);
  EXPECT_EQ(MainItem(doc, 1)->caption(), "FutureThing");
  EXPECT_EQ(MainItem(doc, 1)->item().canHaveSubmenu, 0);
  EXPECT_EQ(MainItem(doc, 2)->item().flags, 0x08);  // a catalogue item does not keep the custom flags
}

TEST(LoadTree, IdentifierFillingTheWholeFieldHasNoTerminator) {
  for (int size : {22, 36}) {
    const std::string full = size == 22 ? "ABCDEFGHIJKL" : "ABCDEFGHIJKLMNOPQRSTUVWXY";
    mb::MenuPlan plan;
    plan.recordSize = size;
    plan.items = {Item(full), Item("Games")};
    MenuDocument doc;
    MustLoad(mb::BuildMenuFile(plan), doc);
    EXPECT_EQ(MainItem(doc, 0)->item().identifier, full);
    EXPECT_EQ(MainItem(doc, 1)->item().identifier, "Games");
  }
}

TEST(LoadTree, ChildLinksNotKindsGiveTheStructure) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings", {Item("Sounds")})};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[10].kind = 0;
  MenuDocument doc;
  MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(MainItem(doc, 0)->childCount(), 1u);
  EXPECT_EQ(MainItem(doc, 0)->item().kind, 0);
}

TEST(LoadTree, AListStopsAtTheDataArea) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  plan.items = {Item("Games")};
  mb::RawMenu raw = mb::LayOut(plan);
  // Unreferenced data-area bytes that would pass for one more record of the same list.
  mb::RawMenu lookalike;
  lookalike.recordSize = 22;
  mb::Record fake;
  fake.parent = 9;
  fake.identifier = "Radio";
  lookalike.records = {fake};
  const mb::Bytes fakeBytes = mb::ToBytes(lookalike);
  raw.dataArea.assign(fakeBytes.begin() + 10, fakeBytes.end());
  MenuDocument doc;
  MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 1);
}

TEST(LoadTree, AListEndsAtTheFirstRecordOfAnotherParent) {
  mb::MenuPlan plan;
  plan.items = {Item("Games"), Item("Radio")};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[11].parent = 42;
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 1);
  ASSERT_EQ(outcome.warnings.size(), 1u);  // the left-over record is reported, not dropped silently
  EXPECT_NE(outcome.warnings[0].message.find("1 record(s)"), std::string::npos);
}

TEST(LoadData, EveryBlockKindIsDecoded) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  plan.items = {
      Item("~1", {},
           mb::Concat({mb::MenuNameBlock({{1, u"Hallo"}, {0x2F, u"\u041c\u0435\u043d\u044e"}}, 0),
                       mb::SoftkeyNameBlock({}, 0), mb::UrlBlock("http://x"), mb::MidletBlock(9, "App"),
                       mb::MidletBlock(10, "Mid"), mb::MidletBlock(11, "Vendor"),
                       mb::IconPathBlock(12, 4, u"/c/anim.gif"), mb::DrmBlock(15, 7, 0x1234)}))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(doc.DataItemCount(), 1);
  const TMMAItemData* entry = doc.StoreEntry(11);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->slot, 11);
  ASSERT_EQ(entry->blocks.size(), 8u);
  EXPECT_EQ(entry->blocks[0].names[1].language, 0x2F);
  EXPECT_EQ(entry->blocks[0].names[1].text, u"\u041c\u0435\u043d\u044e");
  EXPECT_EQ(entry->blocks[0].length, 1 + 8 + 12 + 10);
  EXPECT_EQ(entry->blocks[1].tag, kTagSoftkeyName);
  EXPECT_TRUE(entry->blocks[1].names.empty());
  EXPECT_EQ(entry->blocks[2].text, "http://x");
  EXPECT_EQ(entry->blocks[5].text, "Vendor");
  EXPECT_EQ(entry->blocks[6].iconKind, 4);
  EXPECT_EQ(entry->blocks[6].path, u"/c/anim.gif");
  EXPECT_EQ(entry->blocks[7].iconKind, 7);
  EXPECT_EQ(entry->blocks[7].drmIndex, 0x1234);
  for (const TMMADataBlock& block : entry->blocks) EXPECT_EQ(block.length, PayloadLength(block));
}

TEST(LoadData, UnsupportedBlocksShareTheBlockOfTheFirst) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {},
                     mb::Concat({mb::MenuNameBlock({{1, u"A"}}, 0xCD), mb::Block(7, {1, 2, 3}),
                                 mb::UrlBlock("u"), mb::Block(8, {})}))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  const TMMAItemData& entry = *doc.StoreEntry(11);
  ASSERT_EQ(entry.blocks.size(), 3u);
  EXPECT_EQ(entry.blocks[0].tag, kTagMenuName);
  EXPECT_EQ(entry.blocks[1].tag, kTagUnsupported);
  EXPECT_EQ(entry.blocks[1].raw, (std::vector<TMMARawEntry>{{7, {1, 2, 3}}, {8, {}}}));
  EXPECT_EQ(entry.blocks[1].length, 6 + 3);
  EXPECT_EQ(entry.blocks[2].tag, kTagUrl);
}

TEST(LoadData, SoftkeyDataLandsAtTheSoftkeySlots) {
  mb::MenuPlan plan;
  plan.softkeys[6].data = mb::SoftkeyNameBlock({{1, u"Go"}}, 0xCD);
  plan.items = {Item("Games", {Item("Radio", {}, mb::UrlBlock("r"))})};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(doc.DataItemCount(), 2);
  EXPECT_EQ(doc.StoreEntry(9)->blocks[0].names[0].text, u"Go");
  EXPECT_EQ(doc.StoreEntry(12)->blocks[0].text, "r");
  EXPECT_EQ(doc.tree.nodeAt(7)->item().hasData, 1);
}

TEST(LoadData, AFileWithoutDataAreaLoadsTheTreeWithoutData) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {}, mb::UrlBlock("gone"))};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.dataArea.clear();
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 1);
  EXPECT_EQ(doc.DataItemCount(), 0);
  for (int slot = 0; slot < 256; ++slot) EXPECT_EQ(doc.StoreEntry(static_cast<std::uint8_t>(slot)), nullptr);
  EXPECT_EQ(MainItem(doc, 0)->item().hasData, 0);
  ASSERT_EQ(outcome.warnings.size(), 1u);
  EXPECT_NE(outcome.warnings[0].message.find("no data area"), std::string::npos);
}

TEST(LoadData, LoadingReplacesThePreviousDocument) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {}, mb::UrlBlock("a"))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  plan.items = {Item("Radio")};
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(doc.tree.nodeCount(), 10);
  EXPECT_EQ(doc.DataItemCount(), 0);
  EXPECT_EQ(doc.StoreEntry(11), nullptr);
}

}  // namespace
}  // namespace quillet
