#pragma once
// Copies of one branch of the document (a node, its subtree and their item data) that
// can be put back later. Every tree command touches one branch only: the item it adds
// or deletes, or the item it replaces or modifies. Undo of a replace or modify keeps the
// branch as it was and swaps it with the branch as it is; undo of an add takes the item
// out again, and undo of a delete puts the item back where it was. Each step costs one
// copy of what it touched, and the tree tells its observer about every node it changes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu_document.h"

namespace quillet {

struct NodeSnapshot {
  std::string caption;
  TMMAItem item;
  std::optional<TMMAItemData> data;
  std::vector<NodeSnapshot> children;
};

struct BranchSnapshot {
  int ownerIndex = -1;  // absolute index of the branch's top node; no command moves it
  NodeSnapshot owner;
};

// The branch under `owner` as it is now.
BranchSnapshot TakeBranch(const MenuDocument& doc, const MenuNode& owner);
// Puts the branch back in place of the one at its index and rebuilds links and slots;
// returns the branch that was replaced, so that calling it again swaps back.
BranchSnapshot SwapBranch(MenuDocument& doc, const BranchSnapshot& branch);

// Sets a node's kind and tells the tree when it changes.
void SetKind(MenuDocument& doc, MenuNode& node, std::uint8_t kind);

// An item that is in the tree, and the kind the owner of its list has once the item is
// taken out.
struct PlacedItem {
  int index = -1;  // absolute index of the item
  std::uint8_t parentKind = 0;
};
// An item out of the tree with its subtree and data, where it goes back (the absolute
// index of its list's owner and its row there, the list's size: last), and the kind that
// owner has once the item is back.
struct DetachedItem {
  int parentIndex = -1;
  int row = 0;
  std::uint8_t parentKind = 0;
  NodeSnapshot item;
};

// Takes the item with its subtree and data out of the tree and rebuilds links and
// slots; returns what puts it back.
DetachedItem RemoveItem(MenuDocument& doc, const PlacedItem& placed);
// Puts the item with its subtree and data into the tree and rebuilds links and slots;
// returns what takes it out again.
PlacedItem InsertItem(MenuDocument& doc, const DetachedItem& detached);

}  // namespace quillet
