#pragma once
// The toolkit-free halves of the tree editing commands: add, replace, modify, delete,
// move and paste. The window asks the questions and opens the dialogs; these change tree and store
// and return the record that undoes them (edit_record.h).
#include <cstdint>
#include <optional>
#include <string>

#include "branch_snapshot.h"
#include "edit_record.h"
#include "item_tree.h"
#include "menu_document.h"
#include "node_rules.h"
#include "result.h"
#include "save_options.h"

namespace quillet {

// What a command that puts an item into the tree returns: the item's top node, and the
// record that undoes the command.
struct PlacedEdit {
  MenuNode* node = nullptr;
  EditRecord undo;
};

// Adds the catalogue row `row` at `place` relative to `selected` (any place but
// Replace, which is ReplaceItem's), completes the new
// item (InitAddedItem) and rebuilds the links. Refuses a 246th main-menu item.
// Returns the new node, which the caller opens "Modify item" on for a custom item
// (taking the item out again undoes that too).
Result<PlacedEdit> AddCatalogueItem(MenuDocument& doc, MenuNode& selected, int row, ItemPlace place);

// Completes a freshly added node's TMMAItem (its parent is where the tree put it) and
// rebuilds the links.
void InitAddedItem(MenuDocument& doc, MenuNode& added, bool custom);

// Whether replacing `node` by catalogue row `row` would delete its submenu (the window
// asks first when this is true).
bool ReplaceDropsSubmenu(const MenuNode& node, int row);
// Replaces `node` by catalogue row `row` (custom for the "Custom item" row). Returns the
// branch as it was, or nothing when the replace is refused; putting it back also undoes
// any later change below `node` (the new custom item's settings).
std::optional<BranchSnapshot> ReplaceItem(MenuDocument& doc, MenuNode& node, int row);

// "Modify item" after OK (MenuDocument::StoreEditedItem); returns the branch as it was.
BranchSnapshot ModifyItem(MenuDocument& doc, MenuNode& node, const EditedItem& edit);

// Deletes the node with its subtree and its data, then rebuilds the links. Returns what
// puts it back, or nothing when CanDelete refuses.
std::optional<DetachedItem> DeleteItem(MenuDocument& doc, MenuNode& node);

// Moves `node` into `parent`'s list before the node now at `row` and rebuilds the links;
// the item data travels with each item. Refused (nullopt) where CanMoveTo says no.
// Returns the move that puts everything back as it was.
std::optional<ItemMove> MoveItem(MenuDocument& doc, MenuNode& node, MenuNode& parent, int row);
// Carries out a move that MoveItem (or an earlier ApplyMove) returned; returns the move
// that reverses it.
ItemMove ApplyMove(MenuDocument& doc, const ItemMove& move);

// Moves among the siblings; refused (nullopt) where CanMoveUp/CanMoveDown say no.
std::optional<ItemMove> MoveUp(MenuDocument& doc, MenuNode& node);
std::optional<ItemMove> MoveDown(MenuDocument& doc, MenuNode& node);

// Whether placing `fragment` would leave subitems behind: a softkey never owns any,
// and an identifier that may not own a submenu arrives without its children.
bool FragmentDropsSubmenu(const ItemTree& fragment, ItemPlace place);

// Places `fragment` (a copied item with its subtree) at `place` relative to `target` and
// rebuilds the links. Custom items get fresh "~N" names. Nothing changes on a refusal: a
// place that takes no item (CanAddAt), dropped subitems without `dropSubmenus` (the caller's answer
// to the question), an identifier wider than the layout's field, more main-menu items
// than a file holds (the message says how many would not fit), or a menu that `options`
// could no longer save (its data area full). Returns the placed top node and what undoes
// the paste: taking the item out again, or for a softkey the branch as it was.
Result<PlacedEdit> PlaceFragment(MenuDocument& doc, MenuNode& target, ItemPlace place,
                                 const ItemTree& fragment, const SaveOptions& options, bool dropSubmenus);

}  // namespace quillet
