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

bool CanCopy(const MenuDocument& doc, const MenuNode& node) { return CanModify(doc, node); }

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
  return node.item().canHaveSubmenu == 1 && IndexOf(doc, node) >= kMenuRootNodeIndex;
}

bool CanAddBeside(const MenuDocument& doc, const MenuNode& node) { return IsMainMenuItem(doc, node); }

bool CanAddAt(const MenuDocument& doc, const MenuNode& node, ItemPlace place) {
  if (place == ItemPlace::Replace) return IsSoftkey(doc, node);
  return IsSubitemPlace(place) ? CanAddSubitem(doc, node) : CanAddBeside(doc, node);
}

bool CanMoveTo(const MenuDocument& doc, const MenuNode& node, const MenuNode& parent, int row) {
  if (!CanDelete(doc, node) || row < 0 || row > static_cast<int>(parent.childCount())) return false;
  // Reordering a list is what "Move up" and "Move down" do, whoever owns it.
  if (node.parent() == &parent) return row != node.row() && row != node.row() + 1;
  return CanAddSubitem(doc, parent) && !MenuTree::isWithin(&parent, &node);
}

}  // namespace quillet
