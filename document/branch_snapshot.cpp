#include "branch_snapshot.h"

#include <memory>
#include <utility>

#include "node_rules.h"

namespace quillet {

namespace {

using DataByNode = std::vector<std::pair<MenuNode*, std::unique_ptr<TMMAItemData>>>;

// The two fixed containers hold no item data, and their slots are not theirs to claim.
bool OwnsData(const MenuDocument& doc, const MenuNode& node) { return CanModify(doc, node); }

NodeSnapshot Copy(const MenuDocument& doc, const MenuNode& node) {
  NodeSnapshot copy{node.caption(), node.item(), std::nullopt, {}};
  if (OwnsData(doc, node)) {
    if (const TMMAItemData* entry = doc.ItemData(node)) copy.data = *entry;
  }
  copy.children.reserve(node.childCount());
  for (const auto& child : node.children()) copy.children.push_back(Copy(doc, *child));
  return copy;
}

std::unique_ptr<TMMAItemData> DataOf(const NodeSnapshot& snapshot) {
  return snapshot.data ? std::make_unique<TMMAItemData>(*snapshot.data) : nullptr;
}

void AddChildren(MenuDocument& doc, MenuNode& parent, const NodeSnapshot& snapshot, DataByNode& data) {
  for (const NodeSnapshot& child : snapshot.children) {
    MenuNode* added = doc.tree.addLastChild(&parent, child.caption, child.item);
    data.emplace_back(added, DataOf(child));
    AddChildren(doc, *added, child, data);
  }
}

}  // namespace

void SetKind(MenuDocument& doc, MenuNode& node, std::uint8_t kind) {
  if (node.item().kind == kind) return;
  doc.tree.editRecord(node).kind = kind;
  doc.tree.notifyChanged(&node);
}

BranchSnapshot TakeBranch(const MenuDocument& doc, const MenuNode& owner) {
  return BranchSnapshot{doc.tree.absoluteIndex(&owner), Copy(doc, owner)};
}

BranchSnapshot SwapBranch(MenuDocument& doc, const BranchSnapshot& branch) {
  MenuNode* owner = doc.tree.nodeAt(branch.ownerIndex);
  BranchSnapshot replaced = TakeBranch(doc, *owner);

  // Item data is held by node while the slots are renumbered, then laid out again.
  DataByNode data;
  doc.tree.forEach([&](MenuNode& node) {
    if (OwnsData(doc, node) && !MenuTree::isWithin(&node, owner)) {
      data.emplace_back(&node, doc.TakeItemData(node));
    }
  });
  // What the branch holds now is replaced wholesale by the snapshot's data.
  for (const auto& child : owner->children()) doc.ReleaseSubtreeData(*child);
  if (OwnsData(doc, *owner)) doc.ReleaseItemData(*owner);

  while (owner->hasChildren()) doc.tree.remove(owner->child(owner->childCount() - 1));
  doc.tree.editCaption(*owner) = branch.owner.caption;
  doc.tree.editRecord(*owner) = branch.owner.item;
  doc.tree.notifyChanged(owner);
  if (OwnsData(doc, *owner)) data.emplace_back(owner, DataOf(branch.owner));
  AddChildren(doc, *owner, branch.owner, data);

  doc.RebuildLinks();
  for (auto& [node, entry] : data) {
    if (entry) doc.LoadItemData(*node, std::move(entry));
  }
  return replaced;
}

DetachedItem RemoveItem(MenuDocument& doc, const PlacedItem& placed) {
  MenuNode* node = doc.tree.nodeAt(placed.index);
  MenuNode* parent = node->parent();
  DetachedItem back{doc.tree.absoluteIndex(parent), node->row(), parent->item().kind, Copy(doc, *node)};
  doc.ReleaseSubtreeData(*node);
  doc.tree.remove(node);
  SetKind(doc, *parent, placed.parentKind);
  doc.RebuildLinks();
  return back;
}

PlacedItem InsertItem(MenuDocument& doc, const DetachedItem& detached) {
  MenuNode* parent = doc.tree.nodeAt(detached.parentIndex);
  // The inserted records carry the slots they had; every item's data is held by node
  // while the slots are renumbered, so that no stale slot claims another item's entry.
  DataByNode data;
  doc.tree.forEach([&](MenuNode& node) {
    if (OwnsData(doc, node)) data.emplace_back(&node, doc.TakeItemData(node));
  });
  const NodeSnapshot& item = detached.item;
  MenuNode* added = detached.row < static_cast<int>(parent->childCount())
                        ? doc.tree.insertBefore(parent->child(static_cast<std::size_t>(detached.row)),
                                                item.caption, item.item)
                        : doc.tree.addLastChild(parent, item.caption, item.item);
  data.emplace_back(added, DataOf(item));
  AddChildren(doc, *added, item, data);
  const PlacedItem back{doc.tree.absoluteIndex(added), parent->item().kind};
  SetKind(doc, *parent, detached.parentKind);

  doc.RebuildLinks();
  for (auto& [node, entry] : data) {
    if (entry) doc.LoadItemData(*node, std::move(entry));
  }
  return back;
}

}  // namespace quillet
