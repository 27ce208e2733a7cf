#pragma once
// The toolkit-free halves of the tree editing commands: add, replace, delete and move.
// The window asks the questions and opens the dialogs; these change tree and store.
#include <cstdint>
#include <string>

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

// Deletes the node with its subtree and its data, then rebuilds the links.
void DeleteItem(MenuDocument& doc, MenuNode& node);

void MoveUp(MenuDocument& doc, MenuNode& node);
void MoveDown(MenuDocument& doc, MenuNode& node);

}  // namespace quillet
