// The working copy: decoding an item, the dialog's changes, and encoding in role order.
#include <gtest/gtest.h>

#include "item_editor.h"
#include "item_fixtures.h"

namespace quillet {
namespace {

using namespace quillet::test;
using Tags = std::vector<std::uint8_t>;

TMMAItemData Stored(const ItemEditor& editor) {
  const EditedItem edited = editor.StoreItem();
  EXPECT_EQ(edited.data.has_value(), editor.HasBlocks());
  return edited.data.value_or(TMMAItemData{});
}

TEST(StoreItem, WritesBlocksInRoleOrderWhateverTheLoadedOrder) {
  const TMMAItemData item =
      ItemWith({DrmBlock(kTagIconDrmAnimated, 0x12, 5), NamesBlock(kTagMenuName, {{1, u"Go"}})});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, kFlagsNamed, 0x41);
  const TMMAItemData out = Stored(editor);
  ASSERT_EQ(out.blocks.size(), 2u);
  EXPECT_EQ(out.blocks[0], item.blocks[1]);
  EXPECT_EQ(out.blocks[1], item.blocks[0]);
}

TEST(StoreItem, FullRoleOrderFromAReversedItem) {
  const TMMAItemData item = ItemWith({
      RawBlock({{3, {1, 2}}}),
      DrmBlock(kTagIconDrmList, 0, 1),
      DrmBlock(kTagIconDrmStatic, 0, 2),
      TextBlock(kTagMidletVendor, "Vendor"),
      TextBlock(kTagMidletName, "Midlet"),
      TextBlock(kTagMidletApp, "App"),
      PathBlock(kIconKindList, u"/a/l.gif"),
      PathBlock(kIconKindStatic, u"/a/s.gif"),
      PathBlock(kIconKindAnimated, u"/a/a.gif"),
      NamesBlock(kTagSoftkeyName, {{2, u"Sk"}}),
      NamesBlock(kTagMenuName, {{1, u"Menu"}}),
  });
  ItemEditor editor;
  editor.LoadItem(&item, kKindMidlet, kFlagsNamed, kLinkedItemAttributes);
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(TagsOf(out), (Tags{0, 1, 12, 12, 12, 9, 10, 11, 16, 15, 254}));
  for (std::size_t i = 0; i < out.blocks.size(); ++i) {
    EXPECT_EQ(out.blocks[i], item.blocks[item.blocks.size() - 1 - i]) << "block " << i;
  }
}

TEST(StoreItem, RoundTripOfAnItemInRoleOrderIsUnchanged) {
  const TMMAItemData item = ItemWith({
      NamesBlock(kTagMenuName, {{1, u"Web"}, {25, u"\u30a6\u30a7\u30d6"}}),
      NamesBlock(kTagSoftkeyName, {{1, u"W"}}),
      PathBlock(kIconKindStatic, u"/a/mobile/picture/w.gif"),
      TextBlock(kTagUrl, "http://example.org/"),
      DrmBlock(kTagIconDrmList, 0x12, 300),
      RawBlock({{2, {0xAA}}, {200, {}}, {7, std::vector<std::uint8_t>(2048, 0x55)}}),
  });
  ItemEditor editor;
  editor.LoadItem(&item, kKindUrl, kFlagsNamed, kLinkedItemAttributes);
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(out.blocks, item.blocks);
  EXPECT_EQ(editor.StoreItem().kind, kKindUrl);
  EXPECT_EQ(editor.StoreItem().flags, kFlagsNamed);
  EXPECT_EQ(editor.StoreItem().attributes, kLinkedItemAttributes);
}

TEST(StoreItem, PayloadLengthsFollowTheFileRules) {
  // Lengths of the input are deliberately wrong: StoreItem computes them.
  TMMAItemData item = ItemWith({
      NamesBlock(kTagMenuName, {{1, u"abc"}, {2, u"abcde"}}),
      PathBlock(kIconKindAnimated, u"/a/b/c.gif"),
      TextBlock(kTagUrl, std::string(20, 'u')),
      DrmBlock(kTagIconDrmStatic, 0x12, 9),
      RawBlock({{2, {1, 2, 3, 4, 5}}, {3, std::vector<std::uint8_t>(10, 0)}}),
  });
  for (auto& block : item.blocks) block.length = 999;
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  const TMMAItemData out = Stored(editor);
  ASSERT_EQ(TagsOf(out), (Tags{0, 12, 5, 16, 254}));
  EXPECT_EQ(out.blocks[0].length, 29);  // 4 x 2 + 1 + 8 + 12
  EXPECT_EQ(out.blocks[1].length, 23);  // 10 units
  EXPECT_EQ(out.blocks[2].length, 21);  // 20 characters
  EXPECT_EQ(out.blocks[3].length, 4);
  EXPECT_EQ(out.blocks[4].length, 21);  // (3 + 5) + (3 + 10)
}

TEST(StoreItem, NameBlocksDecideTheFlags) {
  const TMMADataBlock menu = NamesBlock(kTagMenuName, {{1, u"M"}});
  const TMMADataBlock softkey = NamesBlock(kTagSoftkeyName, {{1, u"S"}});
  struct Case {
    std::vector<TMMADataBlock> blocks;
    std::uint8_t flags;
    std::uint8_t expected;
  };
  const std::vector<Case> cases = {
      {{softkey}, kFlagsCustom, kFlagsCustom},  // a custom item keeps 0x18
      {{menu}, kFlagsCustom, kFlagsNamed},
      {{softkey, menu}, kFlagsCustom, kFlagsNamed},
      {{softkey}, 0x00, kFlagsNamed},
      {{PathBlock(kIconKindList, u"/a/x")}, kFlagsCustom, kFlagsCustom},
      {{PathBlock(kIconKindList, u"/a/x")}, 0x00, 0x00},
  };
  for (const Case& c : cases) {
    const TMMAItemData item = ItemWith(c.blocks);
    ItemEditor editor;
    editor.LoadItem(&item, kKindPlain, c.flags, 0x41);
    Stored(editor);
    EXPECT_EQ(editor.StoreItem().flags, c.expected) << "flags " << int(c.flags);
  }
}

TEST(StoreItem, LinkBlocksSetKindAndAttributesButASubmenuKeepsItsKind) {
  const TMMAItemData url = ItemWith({TextBlock(kTagUrl, "http://a")});
  const TMMAItemData app = ItemWith({TextBlock(kTagMidletApp, "App")});
  ItemEditor editor;
  editor.LoadItem(&url, kKindPlain, 0, 0x41);
  Stored(editor);
  EXPECT_EQ(editor.StoreItem().kind, kKindUrl);
  EXPECT_EQ(editor.StoreItem().attributes, kLinkedItemAttributes);

  editor.LoadItem(&app, kKindPlain, 0, 0x45);
  Stored(editor);
  EXPECT_EQ(editor.StoreItem().kind, kKindMidlet);
  EXPECT_EQ(editor.StoreItem().attributes, kLinkedItemAttributes);

  editor.LoadItem(&url, kKindSubmenu, 0, 0x41);
  Stored(editor);
  EXPECT_EQ(editor.StoreItem().kind, kKindSubmenu);
}

TEST(LoadItem, LaterBlockOfTheSameRoleWinsAndNothingOfAPreviousItemSurvives) {
  const TMMAItemData twice =
      ItemWith({NamesBlock(kTagMenuName, {{1, u"Old"}}), NamesBlock(kTagMenuName, {{1, u"New"}})});
  ItemEditor editor;
  editor.LoadItem(&twice, kKindPlain, kFlagsNamed, 0);
  const TMMAItemData out = Stored(editor);
  ASSERT_EQ(out.blocks.size(), 1u);
  EXPECT_EQ(out.blocks[0].names[0].text, u"New");
  EXPECT_EQ(editor.EditBlockCount(), 2);
  EXPECT_EQ(editor.RoleBlock(BlockRole::MenuName), 1);

  editor.LoadItem(nullptr, kKindSubmenu, 0, 0x41);
  EXPECT_FALSE(editor.HasBlocks());
  EXPECT_EQ(editor.EditBlockCount(), 0);
  EXPECT_TRUE(editor.NameRows(NameBlock::MenuName).empty());
  EXPECT_EQ(editor.StoreItem().kind, kKindSubmenu);
  EXPECT_FALSE(editor.CustomTypeAllowed());
}

TEST(LoadItem, TagSixIconPathAndUnknownTagsFindTheirRoles) {
  TMMADataBlock tag6 = PathBlock(kIconKindStatic, u"/a/b");
  tag6.tag = kTagIconPath06;
  TMMADataBlock stray = RawBlock({{3, {9}}});
  stray.tag = 3;
  const TMMAItemData item = ItemWith({tag6, stray});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  EXPECT_EQ(editor.RoleBlock(BlockRole::StaticIconPath), 0);
  EXPECT_EQ(editor.RoleBlock(BlockRole::Unsupported), 1);
  EXPECT_EQ(TagsOf(Stored(editor)), (Tags{12, 254}));
}

TEST(Icons, PathAndIndexOfOneIconAreBothKeptPathFirst) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0x41);
  ASSERT_EQ(editor.ApplyIconText(IconRow::Static, u"17").value(), IconOutcome::Index);
  ASSERT_EQ(editor.ApplyIconText(IconRow::Static, u"/a/s.gif").value(), IconOutcome::Path);
  const TMMAItemData out = Stored(editor);
  ASSERT_EQ(out.blocks.size(), 2u);
  EXPECT_EQ(out.blocks[0], PathBlock(kIconKindStatic, u"/a/s.gif"));
  EXPECT_EQ(out.blocks[1], DrmBlock(kTagIconDrmStatic, 0x12, 17));
}

TEST(Icons, EachRowUsesItsOwnKindAndTag) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  editor.ApplyIconText(IconRow::List, u"/l/x");
  editor.ApplyIconText(IconRow::Animated, u"/a/x");
  editor.ApplyIconText(IconRow::List, u"1");
  editor.ApplyIconText(IconRow::Animated, u"70000");
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(out.blocks, (std::vector<TMMADataBlock>{
                            PathBlock(kIconKindAnimated, u"/a/x"), PathBlock(kIconKindList, u"/l/x"),
                            DrmBlock(kTagIconDrmAnimated, 0x12, 4464), DrmBlock(kTagIconDrmList, 0x12, 1)}));
}

TEST(Icons, ReplacingAPathRewritesItsBlockAndFixesTheKind) {
  TMMADataBlock oddKind = PathBlock(7, u"/old/path/long");  // any other kind is a list icon
  const TMMAItemData item = ItemWith({oddKind});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  EXPECT_EQ(editor.Icon(IconRow::List).text, u"/old/path/long");
  // Untouched, it is still written with the kind its role fixes.
  EXPECT_EQ(Stored(editor).blocks, (std::vector<TMMADataBlock>{PathBlock(kIconKindList, u"/old/path/long")}));
  editor.ApplyIconText(IconRow::List, u"/n/");
  EXPECT_EQ(editor.EditBlockCount(), 1);
  EXPECT_EQ(Stored(editor).blocks, (std::vector<TMMADataBlock>{PathBlock(kIconKindList, u"/n/")}));
}

TEST(Icons, EmptyTextRemovesPathAndIndexInvalidTextChangesNothing) {
  const TMMAItemData item =
      ItemWith({PathBlock(kIconKindAnimated, u"/a/x"), DrmBlock(kTagIconDrmAnimated, 0, 3)});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  EXPECT_EQ(editor.ApplyIconText(IconRow::Animated, u"+5").value(), IconOutcome::Invalid);
  EXPECT_EQ(Stored(editor).blocks, item.blocks);
  EXPECT_EQ(editor.ApplyIconText(IconRow::Animated, u"").value(), IconOutcome::NoIcon);
  EXPECT_FALSE(editor.HasBlocks());
  EXPECT_EQ(editor.Icon(IconRow::Animated).source, IconSource::None);
}

TEST(Icons, ConversionErrorLeavesTheWorkingCopyUnchanged) {
  const TMMAItemData item = ItemWith({DrmBlock(kTagIconDrmList, 0, 3)});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  const auto result = editor.ApplyIconText(IconRow::List, u"2147483648");
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().message, "'2147483648' is not a valid integer value");
  EXPECT_EQ(Stored(editor).blocks, item.blocks);
  EXPECT_TRUE(editor.ApplyIconText(IconRow::List, u"2147483647").ok());
  EXPECT_EQ(editor.Icon(IconRow::List).text, u"65535");
}

TEST(Icons, TheLaterLoadedBlockDecidesWhatTheRowShows) {
  const TMMAItemData pathLast =
      ItemWith({DrmBlock(kTagIconDrmStatic, 0, 42), PathBlock(kIconKindStatic, u"/p/q")});
  const TMMAItemData indexLast =
      ItemWith({PathBlock(kIconKindStatic, u"/p/q"), DrmBlock(kTagIconDrmStatic, 0, 42)});
  ItemEditor editor;
  editor.LoadItem(&pathLast, kKindPlain, 0, 0);
  EXPECT_EQ(editor.Icon(IconRow::Static).source, IconSource::Path);
  EXPECT_EQ(editor.Icon(IconRow::Static).text, u"/p/q");
  EXPECT_EQ(editor.Icon(IconRow::Animated).source, IconSource::None);
  editor.LoadItem(&indexLast, kKindPlain, 0, 0);
  EXPECT_EQ(editor.Icon(IconRow::Static).source, IconSource::Index);
  EXPECT_EQ(editor.Icon(IconRow::Static).text, u"42");
}

TEST(Attributes, CheckBoxStatesAndChanges) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0x65);
  EXPECT_TRUE(editor.LockAppListTicked());
  EXPECT_FALSE(editor.UnlockProtectionTicked()) << "high nibble 6 is not protection";
  EXPECT_TRUE(editor.HomeKeysTicked());

  editor.ChangeUnlockProtection(false);  // clears bit 5 only: nibble 6 becomes 4
  EXPECT_EQ(editor.StoreItem().attributes, 0x45);
  editor.ChangeUnlockProtection(true);
  EXPECT_EQ(editor.StoreItem().attributes, 0x25);
  EXPECT_TRUE(editor.UnlockProtectionTicked());
  editor.ChangeUnlockProtection(false);
  EXPECT_EQ(editor.StoreItem().attributes, 0x05);

  editor.ChangeLockAppList(false);
  EXPECT_EQ(editor.StoreItem().attributes, 0x04);
  editor.ChangeLockAppList(true);
  EXPECT_EQ(editor.StoreItem().attributes, 0x05);
  editor.ChangeHomeKeys(false);
  EXPECT_EQ(editor.StoreItem().attributes, 0x01);
  editor.ChangeHomeKeys(true);
  EXPECT_EQ(editor.StoreItem().attributes, 0x05);
}

TEST(NameRows, RowsShowCaptionIdTextAndName) {
  const TMMAItemData item =
      ItemWith({NamesBlock(kTagSoftkeyName, {{10, u"Men\u00fa"}, {25, u"\u30e1"}, {0, u"x"}, {48, u"y"}})});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, 0, 0);
  EXPECT_TRUE(editor.NameRows(NameBlock::MenuName).empty());
  EXPECT_EQ(editor.NameRows(NameBlock::SoftkeyName), (std::vector<NameRow>{{"#1", "0A", u"Men\u00fa", 10},
                                                                           {"#2", "19", u"\u30e1", 25},
                                                                           {"#3", "", u"x", 0},
                                                                           {"#4", "", u"y", 48}}));
}

TEST(NameRows, WriteBackTakesLanguagesFromTheIdTexts) {
  const TMMAItemData item = ItemWith({NamesBlock(kTagMenuName, {{1, u"a"}, {48, u"b"}})});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, kFlagsCustom, 0);
  auto rows = editor.NameRows(NameBlock::MenuName);
  rows[0].languageIdText = "19";
  rows[0].name = u"Japanese";
  rows.push_back({"#3", "2F", u"Malay", 0});
  rows.push_back({"#4", "2F", u"Malay again", 0});  // two rows may share a language
  ASSERT_TRUE(editor.StoreNameRows(NameBlock::MenuName, rows).ok());
  const TMMAItemData out = Stored(editor);
  ASSERT_EQ(out.blocks.size(), 1u);
  EXPECT_EQ(out.blocks[0].names,
            (std::vector<TMMANameEntry>{{25, u"Japanese"}, {48, u"b"}, {47, u"Malay"}, {47, u"Malay again"}}))
      << "a row of an unknown language keeps its byte";
}

TEST(NameRows, AnEmptyListChangesNothingAndANewListBuildsItsBlock) {
  const TMMAItemData item = ItemWith({NamesBlock(kTagMenuName, {{1, u"Keep"}})});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, kFlagsCustom, 0);
  ASSERT_TRUE(editor.StoreNameRows(NameBlock::MenuName, {}).ok());
  ASSERT_TRUE(editor.StoreNameRows(NameBlock::SoftkeyName, {}).ok());
  EXPECT_EQ(editor.RoleBlock(BlockRole::SoftkeyName), ItemEditor::kNoBlock)
      << "no empty name block is left behind";
  EXPECT_EQ(Stored(editor).blocks, item.blocks);

  ASSERT_TRUE(editor.StoreNameRows(NameBlock::SoftkeyName, {{"#1", "01", u"Soft", 0}}).ok());
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(TagsOf(out), (Tags{0, 1}));
  EXPECT_EQ(out.blocks[1], NamesBlock(kTagSoftkeyName, {{1, u"Soft"}}));
}

TEST(CustomType, ViewOfTheLoadedItem) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  EXPECT_EQ(editor.CustomType().selection, -1);
  EXPECT_FALSE(editor.CustomType().hasUrl || editor.CustomType().hasMidlet);

  const TMMAItemData app = ItemWith({TextBlock(kTagMidletApp, "A"), TextBlock(kTagMidletVendor, "V")});
  editor.LoadItem(&app, kKindMidlet, 0, 0x60);
  CustomTypeView view = editor.CustomType();
  EXPECT_TRUE(view.hasMidlet);
  EXPECT_FALSE(view.hasUrl);
  EXPECT_EQ(view.selection, kCustomTypeApplication);
  EXPECT_EQ(view.texts, (CustomTypeTexts{"", "A", "", "V"}));

  const TMMAItemData both = ItemWith({TextBlock(kTagMidletApp, "A"), TextBlock(kTagUrl, "u")});
  editor.LoadItem(&both, kKindUrl, 0, 0x60);
  view = editor.CustomType();
  EXPECT_TRUE(view.hasUrl && view.hasMidlet);
  EXPECT_EQ(view.selection, kCustomTypeUrl) << "the later block selects";
}

TEST(CustomType, UrlReplacesMidletAndMidletReplacesUrl) {
  const TMMAItemData app = ItemWith(
      {TextBlock(kTagMidletApp, "A"), TextBlock(kTagMidletName, "N"), TextBlock(kTagMidletVendor, "V")});
  ItemEditor editor;
  editor.LoadItem(&app, kKindMidlet, 0, 0x41);
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeUrl, {"http://x", "ignored", "", ""}).ok());
  TMMAItemData out = Stored(editor);
  EXPECT_EQ(out.blocks, (std::vector<TMMADataBlock>{TextBlock(kTagUrl, "http://x")}));
  EXPECT_EQ(editor.StoreItem().kind, kKindUrl);

  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeApplication, {"dropped", "App", "", "Vend"}).ok());
  out = Stored(editor);
  EXPECT_EQ(out.blocks,
            (std::vector<TMMADataBlock>{TextBlock(kTagMidletApp, "App"), TextBlock(kTagMidletName, ""),
                                        TextBlock(kTagMidletVendor, "Vend")}));
  EXPECT_EQ(editor.StoreItem().kind, kKindMidlet);
}

TEST(CustomType, MissingMidletBlocksAreBuilt) {
  const TMMAItemData lone =
      ItemWith({NamesBlock(kTagMenuName, {{1, u"n"}}), TextBlock(kTagMidletApp, "Old")});
  ItemEditor editor;
  editor.LoadItem(&lone, kKindMidlet, kFlagsNamed, 0x60);
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeApplication, {"", "New", "Name", "Vendor"}).ok());
  EXPECT_EQ(editor.RoleBlock(BlockRole::ApplicationName), 1) << "the existing block is reused";
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(TagsOf(out), (Tags{0, 9, 10, 11}));
  EXPECT_EQ(out.blocks[1].text, "New");
  EXPECT_EQ(out.blocks[2].text, "Name");
  EXPECT_EQ(out.blocks[3].text, "Vendor");
}

TEST(CustomType, AnythingElseRemovesTheTypeAndMakesKindZero) {
  const TMMAItemData url = ItemWith({TextBlock(kTagUrl, "u"), PathBlock(kIconKindList, u"/a/b")});
  const std::vector<std::pair<int, CustomTypeTexts>> removers = {
      {kCustomTypeUrl, {"", "App", "N", "V"}},
      {kCustomTypeApplication, {"u", "", "N", "V"}},
      {-1, {"u", "App", "N", "V"}},
  };
  for (const auto& [selection, texts] : removers) {
    ItemEditor editor;
    editor.LoadItem(&url, kKindUrl, 0, 0x60);
    ASSERT_TRUE(editor.ApplyCustomItemType(selection, texts).ok());
    EXPECT_EQ(editor.StoreItem().kind, kKindPlain);
    EXPECT_EQ(TagsOf(Stored(editor)), (Tags{12})) << "selection " << selection;
    EXPECT_EQ(editor.StoreItem().kind, kKindPlain);
  }
}

TEST(CustomType, RefusedForAnItemThatOwnsASubmenu) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindSubmenu, 0, 0);
  const Status status = editor.ApplyCustomItemType(kCustomTypeUrl, {"http://x", "", "", ""});
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(editor.HasBlocks());
  EXPECT_EQ(editor.StoreItem().kind, kKindSubmenu);
}

TEST(UnsupportedData, OnlyItemsWithSuchDataOfferTheViewer) {
  const TMMAItemData item = ItemWith({RawBlock({{2, {1, 2, 3}}, {200, {}}})});
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  EXPECT_EQ(editor.UnsupportedBlock(), nullptr);
  editor.LoadItem(&item, kKindPlain, 0, 0);
  ASSERT_NE(editor.UnsupportedBlock(), nullptr);
  EXPECT_EQ(editor.UnsupportedBlock()->raw, item.blocks[0].raw);
  EXPECT_EQ(editor.UnsupportedBlock()->length, 9);
}

}  // namespace
}  // namespace quillet
