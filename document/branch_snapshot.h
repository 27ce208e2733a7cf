#pragma once
// A copy of one branch of the document (a node, its subtree and their item data) that
// can be put back later. Every tree command touches one branch only: the list it adds
// to, deletes from or reorders, or the item it replaces or modifies. Undo keeps the
// branch as it was and swaps it with the branch as it is, so each step costs one copy
// of what it touched, and the tree tells its observer about every node it swaps.
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

}  // namespace quillet
