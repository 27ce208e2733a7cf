#include <gtest/gtest.h>

#include <random>

#include "test_helpers.h"

namespace quillet {
namespace {

using testhelp::GiveData;
using testhelp::MainItem;
using testhelp::NamedData;

TMMAItem Plain(const char* id) {
  TMMAItem item;
  item.identifier = id;
  return item;
}

// Menu of the record order example: A (A1 (A1x), A2), B, C (C1).
class ExampleMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.NewDocument();
    MenuNode* root = doc.menuRootNode();
    A = doc.tree.addLastChild(root, "A", Plain("A"));
    B = doc.tree.addLastChild(root, "B", Plain("B"));
    C = doc.tree.addLastChild(root, "C", Plain("C"));
    A1 = doc.tree.addLastChild(A, "A1", Plain("A1"));
    A2 = doc.tree.addLastChild(A, "A2", Plain("A2"));
    A1x = doc.tree.addLastChild(A1, "A1x", Plain("A1x"));
    C1 = doc.tree.addLastChild(C, "C1", Plain("C1"));
    doc.RebuildLinks();
  }
  MenuDocument doc;
  MenuNode *A, *B, *C, *A1, *A2, *A1x, *C1;
};

TEST(NewDocument, HasTheNineFixedNodes) {
  MenuDocument doc;
  doc.NewDocument();
  ASSERT_EQ(doc.tree.nodeCount(), 9);
  const MenuNode* softkeys = doc.softkeysNode();
  EXPECT_EQ(softkeys->caption(), "Softkeys");
  EXPECT_EQ(softkeys->item().identifier, "Container");
  EXPECT_EQ(softkeys->item().slot, 2);
  EXPECT_EQ(softkeys->item().parent, 1);
  EXPECT_EQ(softkeys->item().next, 2);
  EXPECT_EQ(softkeys->item().area, kAreaSoftkeys);
  EXPECT_EQ(doc.tree.nodeAt(4)->caption(), "Down: Multimedia");
  EXPECT_EQ(doc.tree.nodeAt(4)->item().identifier, "Mutilmedia");
  const TMMAItem& smart = doc.tree.nodeAt(7)->item();
  EXPECT_EQ(smart.slot, 9);
  EXPECT_EQ(smart.attributes, 0x41);
  EXPECT_EQ(smart.area, kAreaSoftkeys);
  EXPECT_EQ(smart.parent, kNone);
  EXPECT_EQ(smart.canHaveSubmenu, 0);
  const MenuNode* root = doc.menuRootNode();
  EXPECT_EQ(root->caption(), "Menu Root");
  EXPECT_EQ(root->item().identifier, "MenuRoot");
  EXPECT_EQ(root->item().area, kAreaMainMenu);
  EXPECT_EQ(root->item().canHaveSubmenu, 1);
}

TEST(NewDocument, SummaryCountsMainMenuNodesAndKeepsTheRecordSize) {
  MenuDocument doc;
  EXPECT_EQ(doc.DocumentSummary(), "Format: 0-byte   Main menu entries: -9");
  doc.NewDocument();
  EXPECT_EQ(doc.DocumentSummary(), "Format: 0-byte   Main menu entries: 0");
  doc.RecordSize = 36;
  doc.tree.addLastChild(doc.tree.addLastChild(doc.menuRootNode(), "X", {}), "Y", {});
  EXPECT_EQ(doc.DocumentSummary(), "Format: 36-byte   Main menu entries: 2");
}

TEST(ClearDocument, EmptiesTreeAndStoreButKeepsTheCounters) {
  MenuDocument doc;
  doc.NewDocument();
  doc.CustomItemCount = 4;
  doc.RecordSize = 22;
  GiveData(doc, *doc.tree.nodeAt(1), NamedData(u"x"));
  doc.ClearDocument();
  EXPECT_TRUE(doc.tree.empty());
  EXPECT_EQ(doc.DataItemCount(), 0);
  for (int slot = 0; slot < 256; ++slot) EXPECT_EQ(doc.StoreEntry(static_cast<std::uint8_t>(slot)), nullptr);
  EXPECT_EQ(doc.CustomItemCount, 4);
  EXPECT_EQ(doc.RecordSize, 22);
}

TEST_F(ExampleMenu, RecordSlotFollowsTheRecordOrder) {
  EXPECT_EQ(doc.RecordSlot(*A), 11);
  EXPECT_EQ(doc.RecordSlot(*B), 12);
  EXPECT_EQ(doc.RecordSlot(*C), 13);
  EXPECT_EQ(doc.RecordSlot(*A1), 14);
  EXPECT_EQ(doc.RecordSlot(*A2), 15);
  EXPECT_EQ(doc.RecordSlot(*A1x), 16);
  EXPECT_EQ(doc.RecordSlot(*C1), 17);
  EXPECT_EQ(doc.RecordSlot(*doc.menuRootNode()), 10);
  EXPECT_EQ(MenuDocument::CountDescendants(*A), 3);
  EXPECT_EQ(MenuDocument::CountDescendants(*doc.softkeysNode()), 7);
  EXPECT_EQ(MenuDocument::CountDescendants(*B), 0);
}

TEST_F(ExampleMenu, RebuildLinksSetsSlotsAndLinks) {
  auto fields = [](const MenuNode* n) {
    return std::vector<int>{n->item().slot, n->item().parent, n->item().next, n->item().child};
  };
  EXPECT_EQ(fields(A), (std::vector<int>{11, 9, 11, 13}));
  EXPECT_EQ(fields(B), (std::vector<int>{12, 9, 12, 255}));
  EXPECT_EQ(fields(C), (std::vector<int>{13, 9, 255, 16}));
  EXPECT_EQ(fields(A1), (std::vector<int>{14, 10, 14, 15}));
  EXPECT_EQ(fields(A2), (std::vector<int>{15, 10, 255, 255}));
  EXPECT_EQ(fields(A1x), (std::vector<int>{16, 13, 255, 255}));
  EXPECT_EQ(fields(C1), (std::vector<int>{17, 12, 255, 255}));
  EXPECT_EQ(doc.menuRootNode()->item().child, 10);
}

TEST_F(ExampleMenu, DataFollowsItsItemAndSoftkeyEntriesStay) {
  GiveData(doc, *A1x, NamedData(u"deep"));
  GiveData(doc, *B, NamedData(u"bee"));
  GiveData(doc, *doc.tree.nodeAt(3), NamedData(u"up"));
  const TMMAItemData* deep = doc.StoreEntry(16);
  const TMMAItemData* up = doc.StoreEntry(5);
  doc.tree.move(C, C->parent(), A->row());  // C, A, B: C1 now comes right after the top list
  doc.RebuildLinks();
  EXPECT_EQ(A1x->item().slot, 17);
  EXPECT_EQ(doc.StoreEntry(17), deep);  // moved, not copied
  EXPECT_EQ(deep->slot, 17);
  EXPECT_EQ(doc.StoreEntry(13)->blocks[0].names[0].text, u"bee");
  EXPECT_EQ(doc.StoreEntry(5), up);
  EXPECT_EQ(doc.StoreEntry(16), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 3);
}

TEST_F(ExampleMenu, RebuildDropsDataWithoutHasDataAndUnclaimedEntries) {
  GiveData(doc, *B, NamedData(u"bee"));
  doc.tree.editRecord(*B).hasData = 0;
  // An entry no node claims any more: its item left the tree without releasing it.
  GiveData(doc, *A2, NamedData(u"stray"));
  doc.tree.remove(A2);
  doc.LoadItemData(*doc.menuRootNode(), NamedData(u"menu root has none"));
  doc.RebuildLinks();
  EXPECT_EQ(doc.StoreEntry(12), nullptr);
  EXPECT_EQ(doc.StoreEntry(15), nullptr);
  EXPECT_EQ(doc.StoreEntry(10), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 0);
}

TEST_F(ExampleMenu, RemovingTheOnlyChildClearsTheChildLink) {
  doc.tree.remove(C1);
  doc.RebuildLinks();
  EXPECT_EQ(C->item().child, kNone);
  while (doc.menuRootNode()->hasChildren()) doc.tree.remove(doc.menuRootNode()->firstChild());
  doc.RebuildLinks();
  EXPECT_EQ(doc.menuRootNode()->item().child, kNone);
}

TEST(RebuildLinks, SingleItemUnderMenuRoot) {
  MenuDocument doc;
  doc.NewDocument();
  MenuNode* only = doc.tree.addLastChild(doc.menuRootNode(), "PhoneBook", Plain("PhoneBook"));
  doc.tree.editRecord(*only).hasData = 1;
  doc.LoadItemData(*only, NamedData(u"p"));  // a new node's slot is 0 until the rebuild
  doc.RebuildLinks();
  EXPECT_EQ(only->item().slot, 11);
  EXPECT_EQ(only->item().parent, 9);
  EXPECT_EQ(only->item().next, kNone);
  EXPECT_EQ(only->item().child, kNone);
  ASSERT_NE(doc.StoreEntry(11), nullptr);
  EXPECT_EQ(doc.StoreEntry(11)->slot, 11);
  EXPECT_EQ(doc.menuRootNode()->item().child, 10);
  EXPECT_EQ(doc.DataItemCount(), 1);
}

// RebuildLinks numbers records by walking the lists; RecordSlot computes each slot from
// the node's position. Both must agree on any shape.
TEST(RebuildLinks, AgreesWithRecordSlotOnRandomTrees) {
  std::mt19937 random(7);
  for (int round = 0; round < 30; ++round) {
    MenuDocument doc;
    doc.NewDocument();
    std::vector<MenuNode*> nodes{doc.menuRootNode()};
    const int count = 1 + static_cast<int>(random() % 120);
    for (int i = 0; i < count; ++i) {
      MenuNode* parent = nodes[random() % nodes.size()];
      nodes.push_back(doc.tree.addLastChild(parent, "n", Plain("n")));
    }
    doc.RebuildLinks();
    std::vector<int> seen(256, 0);
    for (std::size_t i = 1; i < nodes.size(); ++i) {
      EXPECT_EQ(nodes[i]->item().slot, doc.RecordSlot(*nodes[i]));
      ++seen[nodes[i]->item().slot];
    }
    for (int slot = 11; slot < 11 + count; ++slot) EXPECT_EQ(seen[static_cast<std::size_t>(slot)], 1);
  }
}

TEST(ItemData, PayloadLengthsFollowTheContent) {
  TMMADataBlock name;
  name.tag = kTagMenuName;
  name.names.push_back({1, u"A"});
  EXPECT_EQ(PayloadLength(name), 9);
  name.names.push_back({2, std::u16string(u"B\0ignored", 9)});  // only units before a zero unit count
  EXPECT_EQ(PayloadLength(name), 9 + 4 + 4);
  name.names.clear();
  EXPECT_EQ(PayloadLength(name), 1);

  TMMADataBlock url;
  url.tag = kTagUrl;
  url.text = "abc";
  EXPECT_EQ(PayloadLength(url), 4);

  TMMADataBlock icon;
  icon.tag = kTagIconPath;
  icon.path = u"/a/b";
  EXPECT_EQ(PayloadLength(icon), 1 + 8 + 2);

  TMMADataBlock drm;
  drm.tag = kTagIconDrmAnimated;
  EXPECT_EQ(PayloadLength(drm), 4);

  TMMADataBlock raw;
  raw.tag = kTagUnsupported;
  EXPECT_EQ(PayloadLength(raw), 0);
  raw.raw.push_back({7, std::vector<std::uint8_t>(10)});
  raw.raw.push_back({8, {}});
  EXPECT_EQ(PayloadLength(raw), 13 + 3);
}

TEST(ItemData, DataLengthCountsUnsupportedDataOnlyWhenAllIsSaved) {
  MenuDocument doc;
  auto entry = NamedData(u"A");
  TMMADataBlock raw;
  raw.tag = kTagUnsupported;
  raw.raw.push_back({7, {1, 2}});
  RefreshLength(raw);
  entry->blocks.push_back(raw);
  EXPECT_EQ(ItemDataLength(nullptr, false), 0);
  EXPECT_EQ(ItemDataLength(entry.get(), false), 12);
  EXPECT_EQ(ItemDataLength(entry.get(), true), 12 + 5);
  // A stale length field does not matter: lengths come from the content.
  entry->blocks[0].length = 999;
  EXPECT_EQ(ItemDataLength(entry.get(), true), 12 + 5);
}

TEST(ItemData, LimitViolationNamesTheBrokenLimit) {
  auto entry = NamedData(u"ok");
  EXPECT_EQ(LimitViolation(*entry), "");
  entry->blocks[0].names[0].text = std::u16string(100, u'x');
  EXPECT_EQ(LimitViolation(*entry), "a name has 100 characters (at most 99)");
  entry->blocks[0].names.assign(113, {1, u"n"});
  EXPECT_EQ(LimitViolation(*entry), "a name list has 113 names (at most 112)");
  entry->blocks.assign(12, TMMADataBlock{});
  EXPECT_EQ(LimitViolation(*entry), "it has 12 data blocks (at most 11)");
  TMMADataBlock raw;
  raw.tag = kTagUnsupported;
  raw.raw.push_back({7, std::vector<std::uint8_t>(2049)});
  entry->blocks.assign(1, raw);
  EXPECT_EQ(LimitViolation(*entry), "an unsupported block has 2049 bytes (at most 2048)");
}

TEST(ItemData, AttachSetsHasDataSlotAndLength) {
  MenuDocument doc;
  doc.NewDocument();
  MenuNode& up = *doc.tree.nodeAt(3);
  TMMAItemData entry = *NamedData(u"Up!");
  entry.slot = 99;
  doc.AttachItemData(up, entry);
  EXPECT_EQ(up.item().hasData, 1);
  EXPECT_EQ(entry.slot, 5);
  EXPECT_EQ(up.item().dataLength, 3 + 1 + 4 + 8);
}

TEST(CustomNames, CountOnAndWrapAtEightBits) {
  MenuDocument doc;
  EXPECT_EQ(doc.NextCustomName(), "~1");
  EXPECT_EQ(doc.NextCustomName(), "~2");
  doc.CustomItemCount = 255;
  EXPECT_EQ(doc.NextCustomName(), "~0");
}

}  // namespace
}  // namespace quillet
