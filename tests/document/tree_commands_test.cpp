#include <gtest/gtest.h>

#include "catalogue.h"
#include "menu_writer.h"
#include "test_helpers.h"
#include "tree_commands.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::GiveData;
using testhelp::Item;
using testhelp::MainItem;
using testhelp::MustLoad;
using testhelp::NamedData;

int Row(const char* identifier) { return CatalogueIndex(identifier); }

class TreeCommands : public ::testing::Test {
 protected:
  void SetUp() override { doc.NewDocument(); }
  MenuNode* Add(MenuNode* selected, const char* identifier, ItemPlace place = ItemPlace::LastSubitem) {
    auto added = AddCatalogueItem(doc, *selected, Row(identifier), place);
    EXPECT_TRUE(added.ok()) << (added.ok() ? "" : added.error().message);
    return added.ok() ? added.value().node : nullptr;
  }
  MenuNode* Root() { return doc.menuRootNode(); }
  std::vector<std::string> ChildCaptions(const MenuNode* node) {
    std::vector<std::string> out;
    for (const auto& c : node->children()) out.push_back(c->caption());
    return out;
  }
  MenuDocument doc;
};

TEST_F(TreeCommands, FirstItemOfANewDocument) {
  MenuNode* item = Add(Root(), "PhoneBook");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->caption(), "PhoneBook");
  EXPECT_EQ(item->item().identifier, "PhoneBook");
  EXPECT_EQ(item->item().parent, 9);
  EXPECT_EQ(item->item().slot, 11);
  EXPECT_EQ(item->item().next, kNone);
  EXPECT_EQ(item->item().child, kNone);
  EXPECT_EQ(item->item().kind, 0);
  EXPECT_EQ(item->item().flags, 0);
  EXPECT_EQ(item->item().attributes, 0x41);
  EXPECT_EQ(item->item().area, kAreaMainMenu);
  EXPECT_EQ(item->item().hasData, 0);
  EXPECT_EQ(item->item().canHaveSubmenu, 0);
  EXPECT_EQ(Root()->item().kind, 1);
  EXPECT_EQ(Root()->item().child, 10);
}

TEST_F(TreeCommands, CustomItemsAreNumberedByTheRunsCounter) {
  for (const char* expected : {"~1", "~2", "~3"}) {
    MenuNode* custom = Add(Root(), "Custom item");
    EXPECT_EQ(custom->caption(), expected);
    EXPECT_EQ(custom->item().identifier, expected);
    EXPECT_EQ(custom->item().flags, 0x18);
    EXPECT_EQ(custom->item().canHaveSubmenu, 1);
  }
  doc.NewDocument();  // a new menu does not restart the numbers
  EXPECT_EQ(Add(Root(), "Custom item")->caption(), "~4");
}

TEST_F(TreeCommands, CustomNumbersContinueAfterALoadedFile) {
  mb::MenuPlan plan;
  plan.items = {Item("~1"), Item("~7")};
  MustLoad(mb::BuildMenuFile(plan), doc);
  EXPECT_EQ(Add(Root(), "Custom item")->item().identifier, "~3");
  EXPECT_EQ(Add(Root(), "Custom item")->item().identifier, "~4");
}

TEST_F(TreeCommands, MultimediaKeepsItsMisspeltIdentifier) {
  MenuNode* item = Add(Root(), "Mutilmedia");
  EXPECT_EQ(item->caption(), "Multimedia");
  EXPECT_EQ(item->item().identifier, "Mutilmedia");
  EXPECT_EQ(item->item().canHaveSubmenu, 1);
}

TEST_F(TreeCommands, ASubitemTurnsAPlainItemIntoASubmenu) {
  Add(Root(), "Games");
  MenuNode* settings = Add(Root(), "Settings");
  ASSERT_EQ(settings->item().kind, 0);
  MenuNode* sounds = Add(settings, "Sounds", ItemPlace::FirstSubitem);
  EXPECT_EQ(settings->item().kind, 1);
  EXPECT_EQ(settings->item().child, 12);
  EXPECT_EQ(sounds->item().slot, 13);
  EXPECT_EQ(sounds->item().parent, 11);
  Add(settings, "Theme", ItemPlace::FirstSubitem);
  EXPECT_EQ(ChildCaptions(settings), (std::vector<std::string>{"Theme", "Sounds"}));
}

TEST_F(TreeCommands, AddingBesideAnItemLeavesItsKind) {
  MenuNode* games = Add(Root(), "Games");
  MenuNode* radio = Add(Root(), "Radio");
  doc.tree.editRecord(*radio).kind = 3;
  Add(radio, "Camera", ItemPlace::Before);
  Add(radio, "Video", ItemPlace::FirstItem);
  Add(games, "Notes", ItemPlace::After);
  EXPECT_EQ(radio->item().kind, 3);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Video", "Games", "Notes", "Camera", "Radio"}));
  EXPECT_EQ(games->item().slot, 12);
  EXPECT_EQ(radio->item().slot, 15);
}

TEST_F(TreeCommands, PlacesTheMenusWouldNotOfferAreRefused) {
  MenuNode* softkey = doc.tree.nodeAt(2);
  MenuNode* games = Add(Root(), "Games");
  EXPECT_EQ(AddCatalogueItem(doc, *softkey, Row("Camera"), ItemPlace::LastSubitem).error().code,
            ErrorCode::InvalidValue);
  EXPECT_EQ(AddCatalogueItem(doc, *Root(), Row("Camera"), ItemPlace::Before).error().code,
            ErrorCode::InvalidValue);
  EXPECT_EQ(AddCatalogueItem(doc, *games, Row("Camera"), ItemPlace::LastSubitem).error().code,
            ErrorCode::InvalidValue);
  EXPECT_EQ(AddCatalogueItem(doc, *Root(), 121, ItemPlace::LastSubitem).error().code,
            ErrorCode::InvalidValue);
  EXPECT_EQ(AddCatalogueItem(doc, *Root(), -1, ItemPlace::LastSubitem).error().code, ErrorCode::InvalidValue);
  // An entry of the list replaces an item through ReplaceItem, never as an added item.
  EXPECT_EQ(AddCatalogueItem(doc, *softkey, Row("Camera"), ItemPlace::Replace).error().code,
            ErrorCode::InvalidValue);
  EXPECT_EQ(doc.mainMenuItemCount(), 1);
}

TEST_F(TreeCommands, The246thMainMenuItemIsRefused) {
  MenuNode* tools = Add(Root(), "Tools");
  for (int i = 1; i < kMaxMainMenuItems; ++i) Add(tools, "Calculator");
  ASSERT_EQ(doc.mainMenuItemCount(), 245);
  EXPECT_EQ(tools->childCount(), 244u);
  const std::uint8_t counter = doc.CustomItemCount;
  auto refused = AddCatalogueItem(doc, *tools, Row("Custom item"), ItemPlace::Before);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::TooManyItems);
  EXPECT_NE(refused.error().message.find("245"), std::string::npos);
  EXPECT_EQ(doc.mainMenuItemCount(), 245);
  EXPECT_EQ(doc.CustomItemCount, counter);  // no number was used up
  EXPECT_EQ(tools->firstChild()->item().slot, 12);
  EXPECT_EQ(doc.tree.nodeAt(doc.tree.nodeCount() - 1)->item().slot, 255);
}

TEST_F(TreeCommands, ReplacingAnItemWithASubmenu) {
  MenuNode* settings = Add(Root(), "Settings");
  MenuNode* sounds = Add(settings, "Sounds");
  MenuNode* theme = Add(settings, "Theme");
  GiveData(doc, *settings, NamedData(u"S"));
  GiveData(doc, *sounds, NamedData(u"s"));
  GiveData(doc, *theme, NamedData(u"t"));
  ASSERT_EQ(doc.DataItemCount(), 3);

  EXPECT_FALSE(ReplaceDropsSubmenu(*settings, Row("Tools")));
  EXPECT_FALSE(ReplaceDropsSubmenu(*settings, Row("Custom item")));
  EXPECT_FALSE(ReplaceDropsSubmenu(*sounds, Row("PhoneBook")));  // nothing to drop
  EXPECT_TRUE(ReplaceDropsSubmenu(*settings, Row("PhoneBook")));

  ReplaceItem(doc, *settings, Row("PhoneBook"));
  EXPECT_FALSE(settings->hasChildren());
  EXPECT_EQ(settings->caption(), "PhoneBook");
  EXPECT_EQ(settings->item().identifier, "PhoneBook");
  EXPECT_EQ(settings->item().kind, 0);
  EXPECT_EQ(settings->item().child, kNone);
  EXPECT_EQ(settings->item().hasData, 0);
  EXPECT_EQ(settings->item().canHaveSubmenu, 0);
  EXPECT_EQ(doc.DataItemCount(), 0);
  EXPECT_EQ(doc.StoreEntry(11), nullptr);
}

TEST_F(TreeCommands, ReplacingKeepsFieldsAndSubmenuWhenAllowed) {
  MenuNode* settings = Add(Root(), "Settings");
  Add(settings, "Sounds");
  doc.tree.editRecord(*settings).attributes = 0x25;
  ReplaceItem(doc, *settings, Row("Tools"));
  EXPECT_EQ(settings->childCount(), 1u);
  EXPECT_EQ(settings->item().kind, 1);
  EXPECT_EQ(settings->item().attributes, 0x25);
  EXPECT_EQ(settings->caption(), "Tools");
}

TEST_F(TreeCommands, ReplacingASoftkey) {
  MenuNode* up = doc.tree.nodeAt(3);
  ASSERT_EQ(up->caption(), "Up: RecentCall");
  GiveData(doc, *up, NamedData(u"old title"));
  ReplaceItem(doc, *up, Row("Camera"));
  EXPECT_EQ(up->caption(), "Up: Camera");
  EXPECT_EQ(up->item().identifier, "Camera");
  EXPECT_EQ(up->item().slot, 5);
  EXPECT_EQ(up->item().area, kAreaSoftkeys);
  // The replaced item's data goes with it, also for softkeys whose slots a rebuild keeps.
  EXPECT_EQ(doc.StoreEntry(5), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 0);

  ReplaceItem(doc, *up, Row("Settings"));
  EXPECT_EQ(up->item().canHaveSubmenu, 0);

  doc.CustomItemCount = 8;
  ReplaceItem(doc, *up, Row("Custom item"));
  EXPECT_EQ(up->caption(), "~9");
  EXPECT_EQ(up->item().identifier, "~9");
  EXPECT_EQ(up->item().flags, 0x18);
}

TEST_F(TreeCommands, FixedNodesAreNotReplacedMovedOrDeleted) {
  ReplaceItem(doc, *Root(), Row("Camera"));
  ReplaceItem(doc, *doc.softkeysNode(), Row("Camera"));
  DeleteItem(doc, *doc.tree.nodeAt(2));
  MoveUp(doc, *doc.tree.nodeAt(2));
  MenuDocument fresh;
  fresh.NewDocument();
  EXPECT_EQ(testhelp::Captions(doc), testhelp::Captions(fresh));
  EXPECT_EQ(doc.tree.nodeAt(3)->item(), fresh.tree.nodeAt(3)->item());
}

TEST_F(TreeCommands, MovingDownTheSecondToLastMakesItLast) {
  Add(Root(), "Games");
  MenuNode* radio = Add(Root(), "Radio");
  Add(Root(), "Camera");
  MoveDown(doc, *radio);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Games", "Camera", "Radio"}));
  MoveDown(doc, *radio);  // already last: nothing happens
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Games", "Camera", "Radio"}));
  MoveDown(doc, *Root()->firstChild());
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Camera", "Games", "Radio"}));
  MoveUp(doc, *Root()->firstChild());  // already first
  MoveUp(doc, *radio);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Camera", "Radio", "Games"}));
}

TEST_F(TreeCommands, ItemDataFollowsItsItemThroughMoves) {
  MenuNode* games = Add(Root(), "Games");
  MenuNode* tools = Add(Root(), "Tools");
  MenuNode* notes = Add(tools, "Notes");
  GiveData(doc, *games, NamedData(u"games"));
  GiveData(doc, *notes, NamedData(u"notes"));
  MoveUp(doc, *tools);
  EXPECT_EQ(games->item().slot, 12);
  EXPECT_EQ(notes->item().slot, 13);
  EXPECT_EQ(doc.StoreEntry(12)->blocks[0].names[0].text, u"games");
  EXPECT_EQ(doc.StoreEntry(12)->slot, 12);
  EXPECT_EQ(doc.StoreEntry(13)->blocks[0].names[0].text, u"notes");
  EXPECT_EQ(doc.StoreEntry(11), nullptr);
  EXPECT_EQ(doc.DataItemCount(), 2);
}

TEST_F(TreeCommands, DeletingFreesTheDataOfTheWholeSubtree) {
  Add(Root(), "Games");
  MenuNode* tools = Add(Root(), "Tools");
  MenuNode* calc = Add(tools, "Calculator");
  MenuNode* web = Add(tools, "WebAccess");
  MenuNode* bookmarks = Add(web, "Bookmarks");
  MenuNode* after = Add(Root(), "Radio");
  GiveData(doc, *calc, NamedData(u"c"));
  GiveData(doc, *bookmarks, NamedData(u"b"));
  GiveData(doc, *after, NamedData(u"r"));
  GiveData(doc, *doc.tree.nodeAt(1), NamedData(u"lsk"));
  ASSERT_EQ(doc.DataItemCount(), 4);
  DeleteItem(doc, *tools);
  EXPECT_EQ(doc.DataItemCount(), 2);
  EXPECT_EQ(doc.mainMenuItemCount(), 2);
  EXPECT_EQ(after->item().slot, 12);
  EXPECT_EQ(doc.StoreEntry(12)->blocks[0].names[0].text, u"r");
  EXPECT_EQ(doc.StoreEntry(3)->blocks[0].names[0].text, u"lsk");
}

TEST_F(TreeCommands, DeletingTheOnlyChildClearsTheChildLink) {
  MenuNode* tools = Add(Root(), "Tools");
  DeleteItem(doc, *Add(tools, "Notes"));
  EXPECT_EQ(tools->item().child, kNone);
  EXPECT_EQ(tools->item().kind, 1);  // the writer turns it into a plain item
  DeleteItem(doc, *tools);
  EXPECT_EQ(Root()->item().child, kNone);
}

// A drop: an item with its subtree and data into another list, and the move it returns
// taking the document back to the same bytes; refused drops change nothing.
TEST_F(TreeCommands, ItemsMoveAcrossListsWithTheirDataAndMoveBackExactly) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings", {Item("Camera", {}, mb::UrlBlock("cam")), Item("Games")}),
                Item("Radio", {}, mb::UrlBlock("fm")), Item("Tools")};
  MustLoad(mb::BuildMenuFile(plan), doc);
  const auto bytes = [&] { return SerializeMenu(doc, SaveOptions{}).value(); };
  const auto before = bytes();
  MenuNode* settings = MainItem(doc, 0);
  MenuNode* camera = MainItem(doc, 1);
  MenuNode* radio = MainItem(doc, 3);
  MenuNode* tools = MainItem(doc, 4);

  // Refused: a softkey, the fixed nodes, into its own subtree, into a list whose owner
  // may not own a submenu or into the softkeys, to where it already is.
  EXPECT_FALSE(MoveItem(doc, *doc.tree.nodeAt(1), *Root(), 0));
  EXPECT_FALSE(MoveItem(doc, *Root(), *tools, 0));
  EXPECT_FALSE(MoveItem(doc, *settings, *settings, 0));
  EXPECT_FALSE(MoveItem(doc, *settings, *camera, 0));
  EXPECT_FALSE(MoveItem(doc, *camera, *radio, 0));
  EXPECT_FALSE(MoveItem(doc, *camera, *doc.softkeysNode(), 0));
  EXPECT_FALSE(MoveItem(doc, *camera, *settings, 1));
  EXPECT_FALSE(MoveItem(doc, *camera, *Root(), 4));
  EXPECT_EQ(bytes(), before);

  // Settings with its subtree goes last below Tools, a plain item that becomes a submenu.
  std::optional<ItemMove> back = MoveItem(doc, *settings, *tools, 0);
  ASSERT_TRUE(back);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Radio", "Tools"}));
  EXPECT_EQ(settings->parent(), tools);
  EXPECT_EQ(tools->item().kind, kKindSubmenu);
  EXPECT_EQ(tools->item().child, settings->item().slot - 1);
  EXPECT_EQ(doc.ItemData(*camera)->blocks[0].text, "cam");
  EXPECT_EQ(doc.ItemData(*radio)->blocks[0].text, "fm");
  const auto moved = bytes();
  // Camera before Radio: a deeper item comes up to the top list.
  std::optional<ItemMove> back2 = MoveItem(doc, *camera, *Root(), 0);
  ASSERT_TRUE(back2);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Camera", "Radio", "Tools"}));

  const ItemMove again2 = ApplyMove(doc, *back2);
  EXPECT_EQ(bytes(), moved);
  const ItemMove again = ApplyMove(doc, *back);
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(tools->item().kind, kKindPlain);
  ApplyMove(doc, again);
  ApplyMove(doc, again2);
  EXPECT_EQ(ChildCaptions(Root()), (std::vector<std::string>{"Camera", "Radio", "Tools"}));
  EXPECT_EQ(ChildCaptions(tools), (std::vector<std::string>{"Settings"}));
  EXPECT_EQ(ChildCaptions(settings), (std::vector<std::string>{"Games"}));
  EXPECT_EQ(doc.DataItemCount(), 2);
}

// Undo of a delete puts the item back with its subtree and data; undo of an add takes
// the item out and gives its list's owner back its kind.
TEST_F(TreeCommands, DeletedItemsGoBackAndAddedItemsComeOutToTheSameBytes) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings", {Item("Tools", {Item("Notes", {}, mb::UrlBlock("n"))}, mb::UrlBlock("t"))}),
                Item("Radio", {}, mb::UrlBlock("fm")), Item("Mutilmedia")};
  MustLoad(mb::BuildMenuFile(plan), doc);
  const auto bytes = [&] { return SerializeMenu(doc, SaveOptions{}).value(); };
  const auto before = bytes();
  std::optional<DetachedItem> deleted = DeleteItem(doc, *MainItem(doc, 1));
  ASSERT_TRUE(deleted);
  EXPECT_EQ(doc.DataItemCount(), 1);
  EXPECT_FALSE(DeleteItem(doc, *doc.tree.nodeAt(2)));  // a softkey
  const PlacedItem back = InsertItem(doc, *deleted);
  EXPECT_EQ(back.index, kFirstMenuNodeIndex + 1);
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(doc.ItemData(*MainItem(doc, 2))->blocks[0].text, "n");

  MenuNode* multimedia = MainItem(doc, 4);
  ASSERT_EQ(multimedia->item().kind, kKindPlain);
  const MenuNode* added = Add(multimedia, "Games");
  EXPECT_EQ(multimedia->item().kind, kKindSubmenu);
  const DetachedItem out = RemoveItem(doc, PlacedItem{doc.tree.absoluteIndex(added), kKindPlain});
  EXPECT_EQ(out.parentKind, kKindSubmenu);
  EXPECT_EQ(bytes(), before);
}

// The window's model follows these notices; a command must never fall back to a reset.
class NoticeCounter : public TreeObserver {
 public:
  std::string log;
  void nodesAboutToBeInserted(MenuNode*, int) override { log += "i"; }
  void nodesInserted(MenuNode*, int) override { log += "I"; }
  void nodeAboutToBeRemoved(MenuNode*, int) override { log += "r"; }
  void nodeRemoved(MenuNode*, int) override { log += "R"; }
  void nodeAboutToBeMoved(MenuNode*, int, MenuNode*, int) override { log += "m"; }
  void nodeMoved(MenuNode*, int, MenuNode*, int) override { log += "M"; }
  void nodeChanged(MenuNode*) override { log += "c"; }
  void aboutToClear() override { log += "x"; }
  void cleared() override { log += "X"; }
};

TEST_F(TreeCommands, CommandsReportTypedChanges) {
  MenuNode* games = Add(Root(), "Games");
  MenuNode* tools = Add(Root(), "Tools");
  NoticeCounter notices;
  doc.tree.setObserver(&notices);
  Add(tools, "Notes");
  EXPECT_EQ(notices.log, "iIc");  // the parent became a submenu
  notices.log.clear();
  MoveUp(doc, *tools);
  EXPECT_EQ(notices.log, "mM");
  notices.log.clear();
  ReplaceItem(doc, *tools, Row("PhoneBook"));
  EXPECT_EQ(notices.log, "rRc");
  notices.log.clear();
  DeleteItem(doc, *games);
  EXPECT_EQ(notices.log, "rR");
  doc.tree.setObserver(nullptr);
}

}  // namespace
}  // namespace quillet
