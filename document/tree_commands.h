#pragma once
// The toolkit-free halves of the tree editing commands: add, replace, delete and move.
// The window asks the questions and opens the dialogs; these change tree and store.
#include <cstdint>
#include <optional>
#include <string>

#include "branch_snapshot.h"
#include "menu_document.h"
#include "node_rules.h"
#include "result.h"

namespace quillet {

// Adds the catalogue row `row` at `place` relative to `selected`, completes the new
// item (InitAddedItem) and rebuilds the links. Refuses a 246th main-menu item.
// Returns the new node; the caller opens "Modify item" on it for a custom item.
Result<MenuNode*> AddCatalogueItem(MenuDocument& doc, MenuNode& selected, int row, AddPlace place);

// Completes a freshly added node's TMMAItem and rebuilds the links.
void InitAddedItem(MenuDocument& doc, MenuNode& added, bool custom, AddPlace place);

// Whether replacing `node` by catalogue row `row` would delete its submenu (the window
// asks first when this is true).
bool ReplaceDropsSubmenu(const MenuNode& node, int row);
// Replaces `node` by catalogue row `row` (custom for the "Custom item" row).
void ReplaceItem(MenuDocument& doc, MenuNode& node, int row);

// Deletes the node with its subtree and its data, then rebuilds the links. Returns what
// puts it back, or nothing when CanDelete refuses.
std::optional<DetachedItem> DeleteItem(MenuDocument& doc, MenuNode& node);

// A move of one item with its subtree, named by absolute indexes so that it stays valid
// while undo puts other branches back: the item, the owner of the list it goes into, the
// row it goes before there (the list's size: last), and the kinds the owners of the two
// lists have afterwards (an item that gains its first subitem becomes a submenu).
struct ItemMove {
  int node = -1;
  int parent = -1;
  int row = 0;
  std::uint8_t parentKind = 0;      // the owner of the list it goes into
  std::uint8_t leftParentKind = 0;  // the owner of the list it leaves
};

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

}  // namespace quillet
