// Every tree command returns the record that undoes it: applied, it gives back the saved
// bytes (and the item kinds) of before the command, and the record it returns in turn
// gives back those of after it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "edit_record.h"
#include "menu_writer.h"
#include "test_helpers.h"
#include "tree_commands.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MainItem;
using testhelp::MustLoad;

int Row(const char* identifier) { return CatalogueIndex(identifier); }

class EditRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    // Main menu: Settings (Camera with a URL, Games), Radio with a URL, Tools; a softkey
    // with a URL too.
    mb::MenuPlan plan;
    plan.items = {Item("Settings", {Item("Camera", {}, mb::UrlBlock("cam")), Item("Games")}),
                  Item("Radio", {}, mb::UrlBlock("fm")), Item("Tools")};
    MustLoad(mb::BuildMenuFile(plan), doc);
  }
  // Every node's kind, then the saved bytes: saving turns a submenu left without
  // subitems into a plain item, so the bytes alone would not show a kind that undo
  // failed to give back.
  std::vector<std::uint8_t> Bytes() {
    std::vector<std::uint8_t> state;
    std::as_const(doc.tree).forEach([&](const MenuNode& node) { state.push_back(node.item().kind); });
    SaveOptions options;
    options.saveAllData = true;
    const std::vector<std::uint8_t> saved = SerializeMenu(doc, options).value();
    state.insert(state.end(), saved.begin(), saved.end());
    return state;
  }
  // Runs the command, then its record (undo) and the record's record (redo).
  void ExpectUndoAndRedo(const char* what, const std::function<EditRecord()>& command) {
    SCOPED_TRACE(what);
    const std::vector<std::uint8_t> before = Bytes();
    const EditRecord undo = command();
    const std::vector<std::uint8_t> after = Bytes();
    ASSERT_NE(after, before) << "the command changed nothing";
    const EditRecord redo = ApplyRecord(doc, undo);
    EXPECT_EQ(Bytes(), before);
    const EditRecord undoAgain = ApplyRecord(doc, redo);
    EXPECT_EQ(Bytes(), after);
    ApplyRecord(doc, undoAgain);  // the next command starts from `before`
    EXPECT_EQ(Bytes(), before);
  }
  MenuNode* Root() { return doc.menuRootNode(); }
  // What copying `node` carries: its item, data and subtree.
  ItemTree Copy(const MenuNode& node) {
    const TMMAItemData* data = doc.ItemData(node);
    ItemTree tree{node.item(), data != nullptr ? std::optional<TMMAItemData>(*data) : std::nullopt, {}};
    for (const MenuNode* child : node.children()) tree.children.push_back(Copy(*child));
    return tree;
  }

  MenuDocument doc;
};

TEST_F(EditRecords, AddInEveryPlaceAndACustomItem) {
  for (ItemPlace place :
       {ItemPlace::FirstSubitem, ItemPlace::LastSubitem, ItemPlace::FirstItem, ItemPlace::Before}) {
    ExpectUndoAndRedo("add", [&] {
      MenuNode& at = place == ItemPlace::FirstSubitem || place == ItemPlace::LastSubitem ? *MainItem(doc, 4)
                                                                                         : *MainItem(doc, 3);
      return AddCatalogueItem(doc, at, Row("Camera"), place).value().undo;
    });
  }
  // A custom item with the settings the dialog gives it is undone by the add's record.
  ExpectUndoAndRedo("custom", [&] {
    PlacedEdit added = AddCatalogueItem(doc, *Root(), Row("Custom item"), ItemPlace::LastSubitem).value();
    ModifyItem(doc, *added.node, EditedItem{*doc.ItemData(*MainItem(doc, 3)), false, 0, kFlagsCustom, 0x43});
    return added.undo;
  });
}

TEST_F(EditRecords, ReplaceModifyAndDelete) {
  ExpectUndoAndRedo("replace dropping the submenu",
                    [&] { return EditRecord(*ReplaceItem(doc, *MainItem(doc, 0), Row("Camera"))); });
  ExpectUndoAndRedo("replace a softkey",
                    [&] { return EditRecord(*ReplaceItem(doc, *doc.tree.nodeAt(1), Row("WebAccess"))); });
  ExpectUndoAndRedo("modify", [&] {
    MenuNode& radio = *MainItem(doc, 3);
    return EditRecord(ModifyItem(doc, radio, EditedItem{std::nullopt, true, 0, 0, 0x45}));
  });
  ExpectUndoAndRedo("delete a submenu", [&] { return EditRecord(*DeleteItem(doc, *MainItem(doc, 0))); });
  EXPECT_FALSE(ReplaceItem(doc, *Root(), Row("Camera")));
}

TEST_F(EditRecords, MovesAmongSiblingsAndAcrossLists) {
  ExpectUndoAndRedo("move up", [&] { return EditRecord(*MoveUp(doc, *MainItem(doc, 3))); });
  ExpectUndoAndRedo("move down", [&] { return EditRecord(*MoveDown(doc, *MainItem(doc, 1))); });
  ExpectUndoAndRedo("drop into a plain item",
                    [&] { return EditRecord(*MoveItem(doc, *MainItem(doc, 0), *MainItem(doc, 4), 0)); });
  ExpectUndoAndRedo("drop up a level",
                    [&] { return EditRecord(*MoveItem(doc, *MainItem(doc, 2), *Root(), 0)); });
}

TEST_F(EditRecords, PasteAtEveryPlaceAndOverASoftkey) {
  const ItemTree settings = Copy(*MainItem(doc, 0));  // with its submenu and Camera's URL
  const ItemTree radio = Copy(*MainItem(doc, 3));
  SaveOptions options;
  for (ItemPlace place : {ItemPlace::FirstSubitem, ItemPlace::LastSubitem, ItemPlace::FirstItem,
                          ItemPlace::Before, ItemPlace::After}) {
    ExpectUndoAndRedo("paste", [&] {
      return PlaceFragment(doc, *MainItem(doc, 4), place, settings, options, false).value().undo;
    });
  }
  ExpectUndoAndRedo("paste over a softkey", [&] {
    return PlaceFragment(doc, *doc.tree.nodeAt(2), ItemPlace::Replace, radio, options, false).value().undo;
  });
}

}  // namespace
}  // namespace quillet
