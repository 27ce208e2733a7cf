#include "menu_document.h"

#include <algorithm>

#include "catalogue.h"

namespace quillet {

namespace {

TMMAItem FixedItem(const char* identifier, std::uint8_t parent, std::uint8_t next, std::uint8_t child,
                   std::uint8_t slot, std::uint8_t area) {
  TMMAItem item;
  item.identifier = identifier;
  item.kind = kKindSubmenu;
  item.parent = parent;
  item.next = next;
  item.child = child;
  item.slot = slot;
  item.area = area;
  item.canHaveSubmenu = 1;
  return item;
}

// Gives every node of the sibling list `list` and of the lists below it its record index,
// in the order records are written: the list itself, then each member's child list
// followed by the lists below that, member by member.
void NumberRecords(MenuTree& tree, NodeList<MenuNode> list, std::uint8_t& record) {
  for (MenuNode* node : list) tree.editRecord(*node).slot = static_cast<std::uint8_t>(++record + 1);
  for (MenuNode* node : list) NumberRecords(tree, node->children(), record);
}

// Every node below `node`, depth-first, with its current slot.
void CollectSubtree(MenuNode& node, std::vector<std::pair<MenuNode*, std::uint8_t>>& out) {
  for (MenuNode* child : node.children()) {
    out.emplace_back(child, child->item().slot);
    CollectSubtree(*child, out);
  }
}

}  // namespace

TMMAItem SoftkeysContainerItem() {
  return FixedItem("Container", kContainerRecord, kFirstSoftkeyRecord, kNone, kContainerRecord + 1,
                   kAreaSoftkeys);
}

TMMAItem MenuRootItem(std::uint8_t child) {
  return FixedItem("MenuRoot", kNone, kNone, child, kMenuRootRecord + 1, kAreaMainMenu);
}

void MenuDocument::ClearDocument() {
  tree.clear();
  ClearStore(ItemStore);
}

void MenuDocument::InheritRunValues(const MenuDocument& open) {
  RecordSize = open.RecordSize;
  DataAreaStart = open.DataAreaStart;
  CustomItemCount = open.CustomItemCount;
}

void MenuDocument::Adopt(MenuDocument&& loaded) {
  // The store first: views that read item data when the tree's reset ends then find
  // the new nodes' data.
  ItemStore = std::move(loaded.ItemStore);
  tree.adopt(std::move(loaded.tree));
  RecordSize = loaded.RecordSize;
  DataAreaStart = loaded.DataAreaStart;
  CustomItemCount = loaded.CustomItemCount;
}

void MenuDocument::NewDocument() {
  ClearDocument();
  NewKeys();
  tree.addTopLevel("Menu Root", MenuRootItem(kNone));
}

void MenuDocument::NewKeys() {
  MenuNode* softkeys = tree.addTopLevel("Softkeys", SoftkeysContainerItem());
  for (std::size_t k = 0; k < DefaultSoftkeyIds.size(); ++k) {
    TMMAItem item;
    item.identifier = DefaultSoftkeyIds[k];
    item.slot = static_cast<std::uint8_t>(kFirstSoftkeyRecord + 1 + static_cast<int>(k));
    item.attributes = kNewItemAttributes;
    item.area = kAreaSoftkeys;
    tree.addLastChild(softkeys, std::string(SoftkeyPrefixes[k]) + DefaultSoftkeyNames[k], item);
  }
}

std::string MenuDocument::DocumentSummary() const {
  return "Format: " + std::to_string(RecordSize) +
         "-byte   Main menu entries: " + std::to_string(tree.nodeCount() - kFixedNodeCount);
}

std::uint8_t MenuDocument::CountDescendants(const MenuNode& node) {
  std::uint8_t count = 0;
  for (const auto& child : node.children()) {
    count = static_cast<std::uint8_t>(count + 1 + CountDescendants(*child));
  }
  return count;
}

std::uint8_t MenuDocument::RecordSlot(const MenuNode& node) const {
  if (tree.absoluteIndex(&node) == kMenuRootNodeIndex) return kMenuRootRecord + 1;
  std::uint8_t n = static_cast<std::uint8_t>(node.row());
  for (const MenuNode* a = node.parent(); a != nullptr; a = a->parent()) {
    n = static_cast<std::uint8_t>(n + 1);
    for (const MenuNode* p = tree.previousSibling(a); p != nullptr; p = tree.previousSibling(p)) {
      n = static_cast<std::uint8_t>(n + 1 + CountDescendants(*p));
    }
    const std::size_t siblings = a->parent() != nullptr ? a->parent()->childCount() : tree.topLevel().size();
    n = static_cast<std::uint8_t>(n + siblings - 1 - static_cast<std::size_t>(a->row()));
  }
  return static_cast<std::uint8_t>(n + 2);
}

void MenuDocument::RebuildLinks() {
  MenuNode* root = menuRootNode();
  if (root == nullptr) return;

  // Remember where each main-menu item's data sits before the slots change.
  std::vector<std::pair<MenuNode*, std::uint8_t>> oldSlots;
  CollectSubtree(*root, oldSlots);

  std::uint8_t record = kMenuRootRecord;
  NumberRecords(tree, root->children(), record);

  TItemStore scratch;
  for (int slot = kFirstSoftkeyRecord + 1; slot <= kFirstSoftkeyRecord + kSoftkeyCount; ++slot) {
    scratch[static_cast<std::size_t>(slot)] = std::move(ItemStore[static_cast<std::size_t>(slot)]);
  }
  for (auto& [node, oldSlot] : oldSlots) {
    TMMAItem& item = tree.editRecord(*node);
    MenuNode* parent = node->parent();
    item.parent = static_cast<std::uint8_t>(parent == root ? kMenuRootRecord : parent->item().slot - 1);
    item.next = tree.nextSibling(node) != nullptr ? item.slot : kNone;
    item.child = node->hasChildren() ? static_cast<std::uint8_t>(node->firstChild()->item().slot - 1) : kNone;
    auto& entry = ItemStore[oldSlot];
    if (item.hasData != 0 && entry) {
      entry->slot = item.slot;
      scratch[item.slot] = std::move(entry);
    }
  }
  // An empty main menu has no first record to point at.
  tree.editRecord(*root).child = root->hasChildren() ? static_cast<std::uint8_t>(kFirstMenuRecord) : kNone;

  ClearStore(ItemStore);
  std::swap(ItemStore, scratch);
}

const TMMAItemData* MenuDocument::ItemData(const MenuNode& node) const {
  return ItemStore[node.item().slot].get();
}

const TMMAItemData* MenuDocument::StoreEntry(std::uint8_t slot) const { return ItemStore[slot].get(); }

int MenuDocument::DataItemCount() const {
  return static_cast<int>(
      std::count_if(ItemStore.begin(), ItemStore.end(), [](const auto& e) { return e != nullptr; }));
}

void MenuDocument::SetItemData(MenuNode& node, TMMAItemData data) {
  auto& entry = ItemStore[node.item().slot];
  if (entry) {
    *entry = std::move(data);  // rewritten in place: the entry stays the same object
  } else {
    entry = std::make_unique<TMMAItemData>(std::move(data));
  }
  AttachItemData(node, *entry);
}

void MenuDocument::LoadItemData(const MenuNode& node, std::unique_ptr<TMMAItemData> data) {
  if (data) data->slot = node.item().slot;
  ItemStore[node.item().slot] = std::move(data);
}

std::unique_ptr<TMMAItemData> MenuDocument::TakeItemData(const MenuNode& node) {
  return std::move(ItemStore[node.item().slot]);
}

void MenuDocument::ReleaseItemData(MenuNode& node) {
  auto& entry = ItemStore[node.item().slot];
  if (!entry) return;
  entry.reset();
  TMMAItem& record = tree.editRecord(node);
  record.hasData = 0;
  record.dataLength = 0;
}

void MenuDocument::ReleaseSubtreeData(MenuNode& node) {
  for (const auto& child : node.children()) ReleaseSubtreeData(*child);
  ReleaseItemData(node);
}

void MenuDocument::StoreEditedItem(MenuNode& node, const EditedItem& edit) {
  if (edit.data) {
    SetItemData(node, *edit.data);
  } else if (edit.removeData) {
    // The user took away everything the item had; keeping the old entry would bring
    // the removed icons, URL or application back at the next save.
    ReleaseItemData(node);
    TMMAItem& record = tree.editRecord(node);
    record.hasData = 0;
    record.dataLength = 0;
  }
  TMMAItem& record = tree.editRecord(node);
  record.flags = edit.flags;
  record.attributes = edit.attributes;
  record.kind = edit.kind;
  tree.notifyChanged(&node);
}

void MenuDocument::AttachItemData(MenuNode& node, TMMAItemData& entry) {
  TMMAItem& record = tree.editRecord(node);
  record.hasData = 1;
  entry.slot = record.slot;
  record.dataLength = ItemDataLength(&entry, true);
  tree.notifyChanged(&node);
}

std::string MenuDocument::NextCustomName() {
  CustomItemCount = static_cast<std::uint8_t>(CustomItemCount + 1);
  std::string name(1, '~');
  name += std::to_string(CustomItemCount);
  return name;
}

}  // namespace quillet
