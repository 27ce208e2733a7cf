// Capacity limits of the working copy: block positions, text lengths, data length.
// Every refused change must leave the working copy exactly as it was.
#include <gtest/gtest.h>

#include "item_editor.h"
#include "item_fixtures.h"

namespace quillet {
namespace {

using namespace quillet::test;
using Tags = std::vector<std::uint8_t>;

TMMAItemData Stored(const ItemEditor& editor) { return editor.StoreItem().data.value_or(TMMAItemData{}); }

// Eleven blocks with eleven different roles, the MIDlet among them.
TMMAItemData FullMidletItem() {
  return ItemWith({
      NamesBlock(kTagMenuName, {{1, u"m"}}),
      NamesBlock(kTagSoftkeyName, {{1, u"s"}}),
      PathBlock(kIconKindAnimated, u"/a/a"),
      PathBlock(kIconKindStatic, u"/a/s"),
      PathBlock(kIconKindList, u"/a/l"),
      TextBlock(kTagMidletApp, "app"),
      TextBlock(kTagMidletName, "name"),
      TextBlock(kTagMidletVendor, "vendor"),
      DrmBlock(kTagIconDrmStatic, 0, 2),
      DrmBlock(kTagIconDrmList, 0, 3),
      RawBlock({{2, {1}}}),
  });
}

// Eleven blocks of which two lost their role at loading (positions 5 and 9).
TMMAItemData ItemWithShadowedBlocks() {
  return ItemWith({
      NamesBlock(kTagMenuName, {{1, u"m"}}),
      NamesBlock(kTagSoftkeyName, {{1, u"s"}}),
      PathBlock(kIconKindAnimated, u"/a/a"),
      PathBlock(kIconKindStatic, u"/a/s"),
      PathBlock(kIconKindList, u"/a/l"),
      TextBlock(kTagUrl, "http://first"),
      DrmBlock(kTagIconDrmStatic, 0, 2),
      DrmBlock(kTagIconDrmList, 0, 3),
      RawBlock({{2, {1}}}),
      TextBlock(kTagUrl, "http://second"),
      TextBlock(kTagUrl, "http://last"),
  });
}

TEST(BlockPositions, ATwelfthRoleIsRefusedAndNothingChanges) {
  const TMMAItemData item = FullMidletItem();
  ItemEditor editor;
  editor.LoadItem(&item, kKindMidlet, 0, 0x60);
  const TMMAItemData before = Stored(editor);
  ASSERT_EQ(before.blocks.size(), 11u);

  const auto icon = editor.ApplyIconText(IconRow::Animated, u"12");
  ASSERT_FALSE(icon.ok());
  EXPECT_EQ(icon.error().code, ErrorCode::LimitExceeded);
  EXPECT_NE(icon.error().message.find("11 data blocks"), std::string::npos);
  EXPECT_EQ(editor.Icon(IconRow::Animated).text, u"/a/a");
  EXPECT_EQ(editor.EditBlockCount(), 11);
  EXPECT_EQ(Stored(editor).blocks, before.blocks);

  EXPECT_TRUE(editor.RoomForNames(NameBlock::MenuName).ok()) << "the block exists";
  EXPECT_TRUE(editor.StoreNameRows(NameBlock::MenuName, {{"#1", "02", u"m2", 0}}).ok());
  EXPECT_EQ(Stored(editor).blocks[0].names[0].language, 2);
}

TEST(BlockPositions, NoRoomForANewNameBlockIsToldBeforeTheEditorOpens) {
  TMMAItemData item = FullMidletItem();
  item.blocks[0] = DrmBlock(kTagIconDrmAnimated, 0, 1);  // eleven roles, no menu name
  ItemEditor editor;
  editor.LoadItem(&item, kKindMidlet, 0, 0x60);
  const Status room = editor.RoomForNames(NameBlock::MenuName);
  ASSERT_FALSE(room.ok());
  EXPECT_EQ(room.error().code, ErrorCode::LimitExceeded);
  EXPECT_FALSE(editor.StoreNameRows(NameBlock::MenuName, {{"#1", "01", u"m", 0}}).ok());
  EXPECT_EQ(editor.RoleBlock(BlockRole::MenuName), ItemEditor::kNoBlock);
}

TEST(BlockPositions, PositionsThatLostTheirRoleAreReused) {
  const TMMAItemData item = ItemWithShadowedBlocks();
  ItemEditor editor;
  editor.LoadItem(&item, kKindUrl, 0, 0x60);
  ASSERT_EQ(editor.EditBlockCount(), 11);
  ASSERT_EQ(editor.ApplyIconText(IconRow::Animated, u"12").value(), IconOutcome::Index);
  EXPECT_EQ(editor.RoleBlock(BlockRole::AnimatedIconDrm), 5);
  EXPECT_EQ(editor.EditBlockCount(), 11);

  // The MIDlet needs three positions: position 9 and the URL's are only two, so the
  // change is refused whole and the URL survives it.
  const TMMAItemData before = Stored(editor);
  const Status refused = editor.ApplyCustomItemType(kCustomTypeApplication, {"", "a", "n", "v"});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::LimitExceeded);
  EXPECT_EQ(Stored(editor).blocks, before.blocks);
  EXPECT_EQ(editor.CustomType().texts.url, "http://last");

  // Removing an icon (its path and its DRM index) during the edit frees its positions.
  ASSERT_EQ(editor.ApplyIconText(IconRow::Static, u"").value(), IconOutcome::NoIcon);
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeApplication, {"", "a", "n", "v"}).ok());
  const TMMAItemData out = Stored(editor);
  EXPECT_EQ(TagsOf(out), (Tags{0, 1, 12, 12, 9, 10, 11, 17, 15, 254}));
  EXPECT_EQ(out.blocks[4].text, "a");
  EXPECT_EQ(out.blocks[7].drmIndex, 12);
}

TEST(BlockPositions, SwitchingTypeAtFullCapacityUsesThePositionsItFrees) {
  const TMMAItemData item = FullMidletItem();
  ItemEditor editor;
  editor.LoadItem(&item, kKindMidlet, 0, 0x60);
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeUrl, {"http://new", "", "", ""}).ok());
  EXPECT_EQ(TagsOf(Stored(editor)), (Tags{0, 1, 12, 12, 12, 5, 16, 15, 254}));
  EXPECT_EQ(editor.StoreItem().kind, kKindUrl);

  // And back: the URL frees one position and two are still free.
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeApplication, {"", "a", "n", "v"}).ok());
  EXPECT_EQ(TagsOf(Stored(editor)), (Tags{0, 1, 12, 12, 12, 9, 10, 11, 16, 15, 254}));
  EXPECT_EQ(editor.StoreItem().kind, kKindMidlet);
}

TEST(TextLimits, NamesOfUpTo99UnitsAndUpTo112Rows) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  const Status tooLong = editor.StoreNameRows(
      NameBlock::MenuName, {{"#1", "01", u"ok", 0}, {"#2", "01", std::u16string(100, u'x'), 0}});
  ASSERT_FALSE(tooLong.ok());
  EXPECT_EQ(tooLong.error().code, ErrorCode::LimitExceeded);
  EXPECT_NE(tooLong.error().message.find("row #2"), std::string::npos);
  EXPECT_NE(tooLong.error().message.find("99"), std::string::npos);
  EXPECT_FALSE(editor.HasBlocks()) << "nothing is cut, nothing stored";

  std::vector<NameRow> rows(113, NameRow{"#", "01", u"n", 0});
  const Status tooMany = editor.StoreNameRows(NameBlock::MenuName, rows);
  ASSERT_FALSE(tooMany.ok());
  EXPECT_NE(tooMany.error().message.find("112"), std::string::npos);

  rows.resize(112);
  rows[0].name = std::u16string(99, u'y');
  ASSERT_TRUE(editor.StoreNameRows(NameBlock::MenuName, rows).ok());
  EXPECT_EQ(Stored(editor).blocks[0].names.size(), 112u);
}

TEST(TextLimits, IconPathsOfUpTo126Units) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  const std::u16string longest = u"/a/" + std::u16string(123, u'p');
  const auto refused = editor.ApplyIconText(IconRow::List, longest + u"q");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::LimitExceeded);
  EXPECT_NE(refused.error().message.find("126"), std::string::npos);
  EXPECT_FALSE(editor.HasBlocks());
  ASSERT_EQ(editor.ApplyIconText(IconRow::List, longest).value(), IconOutcome::Path);
  EXPECT_EQ(Stored(editor).blocks[0].length, 2 * 126 + 3);
}

TEST(TextLimits, ByteTextsOfUpTo255Characters) {
  ItemEditor editor;
  editor.LoadItem(nullptr, kKindPlain, 0, 0);
  const Status url = editor.ApplyCustomItemType(kCustomTypeUrl, {std::string(256, 'u'), "", "", ""});
  ASSERT_FALSE(url.ok());
  EXPECT_NE(url.error().message.find("URL"), std::string::npos);
  EXPECT_NE(url.error().message.find("255"), std::string::npos);
  const Status vendor =
      editor.ApplyCustomItemType(kCustomTypeApplication, {"", "a", "n", std::string(300, 'v')});
  ASSERT_FALSE(vendor.ok());
  EXPECT_NE(vendor.error().message.find("MIDlet vendor"), std::string::npos);
  EXPECT_FALSE(editor.HasBlocks());
  // Texts of the type not chosen are dropped, so their length does not matter.
  ASSERT_TRUE(
      editor.ApplyCustomItemType(kCustomTypeUrl, {std::string(255, 'u'), std::string(300, 'a'), "", ""})
          .ok());
  EXPECT_EQ(Stored(editor).blocks[0].length, 256);
}

// A longer text can only come from a file; left as it was, it is kept verbatim.
TEST(TextLimits, AnOverLongLoadedTextIsKeptOnlyWhileUnchanged) {
  const std::string url(301, 'u');
  const std::string app(256, 'a');
  const TMMAItemData item = ItemWith({TextBlock(kTagUrl, url), TextBlock(kTagMidletApp, app)});
  ItemEditor editor;
  editor.LoadItem(&item, kKindUrl, 0, kLinkedItemAttributes);
  EXPECT_FALSE(editor.ApplyCustomItemType(kCustomTypeUrl, {url + "x", "", "", ""}).ok());
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeUrl, {url, "", "", ""}).ok());
  EXPECT_EQ(Stored(editor).blocks[0].text, url);
  editor.LoadItem(&item, kKindUrl, 0, kLinkedItemAttributes);
  ASSERT_TRUE(editor.ApplyCustomItemType(kCustomTypeApplication, {"", app, "", ""}).ok());
  EXPECT_EQ(Stored(editor).blocks[0].text, app);
}

TEST(DataLength, AChangeThatWouldPassTheRecordLimitIsRefused) {
  std::vector<TMMANameEntry> names(112, TMMANameEntry{1, std::u16string(99, u'n')});
  std::vector<TMMARawEntry> raw(11, TMMARawEntry{2, std::vector<std::uint8_t>(2048, 0)});
  const TMMAItemData item = ItemWith({NamesBlock(kTagMenuName, names), RawBlock(raw)});
  ItemEditor editor;
  editor.LoadItem(&item, kKindPlain, kFlagsNamed, 0);  // 22852 + 22561 bytes

  std::vector<NameRow> rows(112, NameRow{"#", "01", std::u16string(99, u's'), 0});
  const Status status = editor.StoreNameRows(NameBlock::SoftkeyName, rows);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::DataTooLong);
  EXPECT_EQ(editor.RoleBlock(BlockRole::SoftkeyName), ItemEditor::kNoBlock);

  rows.resize(50);  // 22852 + 22561 + 10204 bytes fit
  EXPECT_TRUE(editor.StoreNameRows(NameBlock::SoftkeyName, rows).ok());
}

}  // namespace
}  // namespace quillet
