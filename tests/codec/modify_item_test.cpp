// The store step of "Modify item": what reaches the document after OK.
#include <gtest/gtest.h>

#include <memory>

#include "item_editor.h"
#include "item_fixtures.h"

namespace quillet {
namespace {

using namespace quillet::test;

// Keeps the item as the view would read it at the last change notice.
class ChangeCounter : public TreeObserver {
 public:
  int changed = 0;
  TMMAItem seen;
  void nodesAboutToBeInserted(MenuNode*, int) override {}
  void nodesInserted(MenuNode*, int) override {}
  void nodeAboutToBeRemoved(MenuNode*, int) override {}
  void nodeRemoved(MenuNode*, int) override {}
  void nodeAboutToBeMoved(MenuNode*, int, MenuNode*, int) override {}
  void nodeMoved(MenuNode*, int, MenuNode*, int) override {}
  void nodeChanged(MenuNode* node) override {
    ++changed;
    seen = node->item();
  }
  void aboutToClear() override {}
  void cleared() override {}
};

class StoreEditedItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.NewDocument();
    doc.tree.setObserver(&observer);
    node = doc.tree.nodeAt(1);  // the left softkey, slot 3
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->item().slot, 3);
  }
  void Give(TMMAItemData data) {
    doc.SetItemData(*node, std::move(data));
    doc.tree.editRecord(*node).dataLength = 99;
    observer.changed = 0;  // giving the data is the set-up; the count is of the edit
  }
  void Load() {
    editor.LoadItem(doc.ItemData(*node), node->item().kind, node->item().flags, node->item().attributes);
  }
  const TMMAItemData* Entry() { return doc.ItemData(*node); }

  MenuDocument doc;
  ChangeCounter observer;
  MenuNode* node = nullptr;
  ItemEditor editor;
};

TEST_F(StoreEditedItemTest, FirstDataOfAnItemGetsANewEntry) {
  doc.tree.editRecord(*node).flags = kFlagsCustom;
  Load();
  ASSERT_TRUE(editor.StoreNameRows(NameBlock::MenuName, {{"#1", "01", u"abc", 0}}).ok());
  editor.ChangeHomeKeys(true);
  doc.StoreEditedItem(*node, editor.StoreItem());

  ASSERT_NE(Entry(), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 1);
  EXPECT_EQ(Entry()->slot, 3);
  EXPECT_EQ(Entry()->blocks, (std::vector<TMMADataBlock>{NamesBlock(kTagMenuName, {{1, u"abc"}})}));
  EXPECT_EQ(node->item().hasData, 1);
  EXPECT_EQ(node->item().dataLength, 3 + 13);
  EXPECT_EQ(node->item().flags, kFlagsNamed);
  EXPECT_EQ(node->item().attributes, kNewItemAttributes | 0x04);
  EXPECT_EQ(observer.seen, node->item()) << "the view hears of the final fields";
}

TEST_F(StoreEditedItemTest, AnExistingEntryIsRewrittenInPlace) {
  Give(ItemWith({DrmBlock(kTagIconDrmList, 0, 1), TextBlock(kTagUrl, "http://a")}));
  const TMMAItemData* before = Entry();
  Load();
  ASSERT_TRUE(editor.ApplyIconText(IconRow::List, u"/a/l").ok());
  doc.StoreEditedItem(*node, editor.StoreItem());

  EXPECT_EQ(Entry(), before);
  EXPECT_EQ(doc.DataItemCount(), 1);
  EXPECT_EQ(TagsOf(*Entry()), (std::vector<std::uint8_t>{12, 5, 15}));
  EXPECT_EQ(node->item().dataLength, (3 + 11) + (3 + 9) + (3 + 4));
  EXPECT_EQ(node->item().kind, kKindUrl);
  EXPECT_EQ(node->item().attributes, kLinkedItemAttributes);
}

TEST_F(StoreEditedItemTest, NoBlocksBeforeOrAfterStoresOnlyTheRecordFields) {
  Load();
  editor.ChangeLockAppList(false);
  doc.StoreEditedItem(*node, editor.StoreItem());
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 0);
  EXPECT_EQ(node->item().hasData, 0);
  EXPECT_EQ(node->item().attributes, 0x40);
}

TEST_F(StoreEditedItemTest, AnEntryWithoutBlocksIsKeptWhenNoneWereAdded) {
  Give(TMMAItemData{});
  Load();
  doc.StoreEditedItem(*node, editor.StoreItem());
  EXPECT_NE(Entry(), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 1);
}

TEST_F(StoreEditedItemTest, RemovingEveryBlockReleasesTheEntry) {
  Give(ItemWith({PathBlock(kIconKindStatic, u"/a/s"), TextBlock(kTagUrl, "http://a")}));
  doc.tree.editRecord(*node).kind = kKindUrl;
  Load();
  ASSERT_EQ(editor.ApplyIconText(IconRow::Static, u"").value(), IconOutcome::NoIcon);
  ASSERT_TRUE(editor.ApplyCustomItemType(-1, {}).ok());
  doc.StoreEditedItem(*node, editor.StoreItem());

  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 0);
  EXPECT_EQ(node->item().hasData, 0);
  EXPECT_EQ(node->item().dataLength, 0);
  EXPECT_EQ(node->item().kind, kKindPlain);
  EXPECT_EQ(observer.changed, 1);
  EXPECT_EQ(observer.seen, node->item());
}

TEST_F(StoreEditedItemTest, UntouchedItemKeepsItsDataInRoleOrder) {
  const TMMADataBlock drm = DrmBlock(kTagIconDrmAnimated, 0x12, 5);
  const TMMADataBlock names = NamesBlock(kTagMenuName, {{1, u"Go"}, {2, u"Geh"}});
  Give(ItemWith({drm, names}));
  doc.tree.editRecord(*node).flags = kFlagsNamed;
  Load();
  doc.StoreEditedItem(*node, editor.StoreItem());
  EXPECT_EQ(Entry()->blocks, (std::vector<TMMADataBlock>{names, drm}));
  EXPECT_EQ(node->item().dataLength, (3 + 4) + (3 + names.length));
  EXPECT_EQ(node->item().flags, kFlagsNamed);
  EXPECT_EQ(node->item().attributes, kNewItemAttributes);
}

}  // namespace
}  // namespace quillet
