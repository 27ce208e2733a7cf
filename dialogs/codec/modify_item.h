#pragma once
// The store step of "Modify item": what the main window does with the item settings
// dialog's working copy after OK.
#include "item_editor.h"
#include "menu_document.h"

namespace quillet {

// When the working copy has blocks: gives the node's slot a store entry if it has none
// (DataItemCount + 1), stores the copy into it and attaches it (hasData, slot,
// dataLength). When the edit removed every block the item had, the item's entry is
// released (DataItemCount - 1, hasData and dataLength 0) so the removed data does not
// come back at the next save; an item that had no blocks and got none keeps whatever
// store entry it has. In every case the node takes the copy's flags, attributes and
// kind, and the tree is told that the node changed.
void StoreEditedItem(MenuDocument& doc, MenuNode& node, ItemEditor& editor);

}  // namespace quillet
