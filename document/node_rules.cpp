#include "node_rules.h"

namespace quillet {

namespace {

int IndexOf(const MenuDocument& doc, const MenuNode& node) { return doc.tree.absoluteIndex(&node); }

bool IsMainMenuItem(const MenuDocument& doc, const MenuNode& node) {
  return IndexOf(doc, node) >= kFirstMenuNodeIndex;
}

}  // namespace

bool CanModify(const MenuDocument& doc, const MenuNode& node) {
  const int i = IndexOf(doc, node);
  return i > kSoftkeysNodeIndex && i != kMenuRootNodeIndex;
}

bool CanReplace(const MenuDocument& doc, const MenuNode& node) { return CanModify(doc, node); }

bool IsSoftkey(const MenuDocument& doc, const MenuNode& node) {
  const int i = IndexOf(doc, node);
  return i > kSoftkeysNodeIndex && i < kMenuRootNodeIndex;
}

bool CanDelete(const MenuDocument& doc, const MenuNode& node) { return IsMainMenuItem(doc, node); }

bool CanMoveUp(const MenuDocument& doc, const MenuNode& node) {
  return IsMainMenuItem(doc, node) && doc.tree.previousSibling(&node) != nullptr;
}

bool CanMoveDown(const MenuDocument& doc, const MenuNode& node) {
  return IsMainMenuItem(doc, node) && doc.tree.nextSibling(&node) != nullptr;
}

bool CanAddSubitem(const MenuDocument& doc, const MenuNode& node) {
  return node.item.canHaveSubmenu == 1 && IndexOf(doc, node) >= kMenuRootNodeIndex;
}

bool CanAddBeside(const MenuDocument& doc, const MenuNode& node) { return IsMainMenuItem(doc, node); }

bool CanAddAt(const MenuDocument& doc, const MenuNode& node, AddPlace place) {
  const bool subitem = place == AddPlace::FirstSubitem || place == AddPlace::LastSubitem;
  return subitem ? CanAddSubitem(doc, node) : CanAddBeside(doc, node);
}

}  // namespace quillet
