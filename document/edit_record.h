#pragma once
// What undoes a tree command: every command returns the record that takes the document
// back to the other side of it. Applying a record returns the record that takes it back
// again, so undo and redo are the same operation.
#include <cstdint>
#include <variant>

#include "branch_snapshot.h"
#include "menu_document.h"

namespace quillet {

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

// A branch to swap back (replace, modify, a paste over a softkey), an item to take out
// (add, paste), an item to put back (delete, cut), or a move to make (move up, move
// down, drop).
using EditRecord = std::variant<BranchSnapshot, PlacedItem, DetachedItem, ItemMove>;

EditRecord ApplyRecord(MenuDocument& doc, const EditRecord& record);
// The absolute index of the branch the record replaces or takes out, whose expansion a
// view keeps for the other side of the step; -1 for records that only add or move.
int BranchTop(const EditRecord& record);

}  // namespace quillet
