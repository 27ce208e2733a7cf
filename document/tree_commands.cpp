#include "tree_commands.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "display_text.h"
#include "format.h"
#include "menu_writer.h"

namespace quillet {

namespace {

Error Refusal(ErrorCode code, std::string message) { return Error{code, std::move(message), {}, {}, {}}; }

bool IsCustomRow(int row) { return CatalogueNames[static_cast<std::size_t>(row)] == "Custom item"; }

// Whether `tree` keeps its children where it lands: a softkey never does, and below it
// only identifiers that may own a submenu.
bool KeepsChildren(const ItemTree& tree, bool top, ItemPlace place) {
  if (top && place == ItemPlace::Replace) return false;
  return SubmenuFlagForIdentifier(tree.item.identifier) == 1;
}

// The fragment as it will land: children that may not come along are left out, and an
// item that loses them becomes a plain item, as Replace leaves one.
ItemTree Landing(const ItemTree& tree, bool top, ItemPlace place) {
  ItemTree out{tree.item, tree.data, {}};
  if (!KeepsChildren(tree, top, place)) {
    if (!tree.children.empty()) out.item.kind = kKindPlain;
    return out;
  }
  out.children.reserve(tree.children.size());
  for (const ItemTree& child : tree.children) out.children.push_back(Landing(child, false, place));
  return out;
}

bool DropsChildren(const ItemTree& tree, bool top, ItemPlace place) {
  if (tree.children.empty()) return false;
  if (!KeepsChildren(tree, top, place)) return true;
  for (const ItemTree& child : tree.children) {
    if (DropsChildren(child, false, place)) return true;
  }
  return false;
}

int CountItems(const ItemTree& tree) {
  int count = 1;
  for (const ItemTree& child : tree.children) count += CountItems(child);
  return count;
}

// The first identifier wider than the layout's field, or null. Custom identifiers are
// renamed to short "~N" names, so they always fit.
const std::string* TooWide(const ItemTree& tree, std::size_t width) {
  const std::string& id = tree.item.identifier;
  if (!IsCustomIdentifier(id) && id.size() > width) return &id;
  for (const ItemTree& child : tree.children) {
    if (const std::string* wide = TooWide(child, width)) return wide;
  }
  return nullptr;
}

// Custom items are the user's own: a copy gets a name of its own, as a new one would.
void RenameCustomItems(MenuDocument& doc, ItemTree& tree) {
  if (IsCustomIdentifier(tree.item.identifier)) tree.item.identifier = doc.NextCustomName();
  for (ItemTree& child : tree.children) RenameCustomItems(doc, child);
}

using Placed = std::vector<std::pair<MenuNode*, const ItemTree*>>;

// Adds `tree` under `parent`, before `before` (a child of parent) or last when null.
MenuNode* AddBranch(MenuDocument& doc, MenuNode& parent, MenuNode* before, const ItemTree& tree,
                    Placed& placed) {
  TMMAItem item;
  item.identifier = tree.item.identifier;
  item.kind = tree.item.kind;
  item.flags = tree.item.flags;
  item.attributes = tree.item.attributes;
  item.area = kAreaMainMenu;
  item.canHaveSubmenu = SubmenuFlagForIdentifier(item.identifier);
  std::string caption = CaptionForIdentifier(item.identifier);
  MenuNode* node = before != nullptr ? doc.tree.insertBefore(before, std::move(caption), std::move(item))
                                     : doc.tree.addLastChild(&parent, std::move(caption), std::move(item));
  placed.emplace_back(node, &tree);
  for (const ItemTree& child : tree.children) AddBranch(doc, *node, nullptr, child, placed);
  return node;
}

MenuNode* ReplaceSoftkey(MenuDocument& doc, MenuNode& key, const ItemTree& tree) {
  const int index = doc.tree.absoluteIndex(&key);
  doc.ReleaseItemData(key);
  TMMAItem& item = doc.tree.editRecord(key);
  // The softkey keeps its place and links; the item bound to it is the fragment's.
  item.identifier = tree.item.identifier;
  item.kind = tree.item.kind;
  item.flags = tree.item.flags;
  item.attributes = tree.item.attributes;
  item.canHaveSubmenu = 0;
  doc.tree.editCaption(key) = std::string(SoftkeyPrefixes[static_cast<std::size_t>(index - 1)]) +
                              CaptionForIdentifier(item.identifier);
  if (tree.data) doc.SetItemData(key, *tree.data);
  doc.RebuildLinks();
  doc.tree.notifyChanged(&key);
  return &key;
}

// Where an item at `place` relative to `node` goes: the list it joins and the node it
// goes before (null: last). Replace puts the softkey's item in its own place.
struct Slot {
  MenuNode* parent;
  MenuNode* before;
};
Slot SlotAt(MenuDocument& doc, MenuNode& node, ItemPlace place) {
  switch (place) {
    case ItemPlace::FirstSubitem: return {&node, node.firstChild()};
    case ItemPlace::LastSubitem: return {&node, nullptr};
    case ItemPlace::FirstItem: return {node.parent(), node.parent()->firstChild()};
    case ItemPlace::Before: return {node.parent(), &node};
    case ItemPlace::After:
    case ItemPlace::Replace: break;
  }
  return {node.parent(), doc.tree.nextSibling(&node)};
}

// The node whose list an item at `place` joins, and whose kind taking it out restores.
const MenuNode& OwnerAt(const MenuNode& node, ItemPlace place) {
  return IsSubitemPlace(place) || place == ItemPlace::Replace ? node : *node.parent();
}

// The refusal of a place CanAddAt says no to; `verb` is what the command does.
Error PlaceRefusal(const MenuNode& node, ItemPlace place, const std::string& verb) {
  if (IsSubitemPlace(place)) {
    return Refusal(ErrorCode::InvalidValue, QuotedCaption(node.caption()) + " cannot have subitems.");
  }
  if (place == ItemPlace::Replace) {
    return Refusal(ErrorCode::InvalidValue, "Only a softkey's item can be replaced by a pasted item.");
  }
  return Refusal(ErrorCode::InvalidValue, "Items can be " + verb + " beside main-menu items only.");
}

// Adds the checked landing at `place` and rebuilds the links; returns its top node.
MenuNode* AddLanding(MenuDocument& doc, MenuNode& target, ItemPlace place, const ItemTree& landing) {
  if (place == ItemPlace::Replace) return ReplaceSoftkey(doc, target, landing);
  const Slot slot = SlotAt(doc, target, place);
  if (slot.parent->item().kind == kKindPlain) {
    // As adding a subitem does: the item now owns a submenu.
    doc.tree.editRecord(*slot.parent).kind = kKindSubmenu;
    doc.tree.notifyChanged(slot.parent);
  }
  Placed placed;
  MenuNode* top = AddBranch(doc, *slot.parent, slot.before, landing, placed);
  doc.RebuildLinks();
  // Data goes in once every slot is final.
  for (const auto& [node, tree] : placed) {
    if (tree->data) doc.SetItemData(*node, *tree->data);
  }
  return top;
}

}  // namespace

Result<PlacedEdit> AddCatalogueItem(MenuDocument& doc, MenuNode& selected, int row, ItemPlace place) {
  if (row < 0 || row >= kCatalogueRows) {
    return Refusal(ErrorCode::InvalidValue, "No entry of the item list is chosen.");
  }
  if (place == ItemPlace::Replace) {
    return Refusal(ErrorCode::InvalidValue, "An entry of the item list replaces an item through Replace.");
  }
  if (!CanAddAt(doc, selected, place)) return PlaceRefusal(selected, place, "added");
  if (doc.mainMenuItemCount() >= kMaxMainMenuItems) {
    return Refusal(ErrorCode::TooManyItems, "The main menu already holds " +
                                                std::to_string(kMaxMainMenuItems) +
                                                " items, the most a menu file can hold.");
  }

  const bool custom = IsCustomRow(row);
  TMMAItem item;
  std::string caption(CatalogueNames[static_cast<std::size_t>(row)]);
  if (custom) {
    caption = doc.NextCustomName();
    item.identifier = caption;
  } else {
    item.identifier = std::string(CatalogueIds[static_cast<std::size_t>(row)]);
  }
  item.canHaveSubmenu = CatalogueCanHaveSubmenu[static_cast<std::size_t>(row)];

  // Taking the item out gives its list's owner back the kind it has now.
  const std::uint8_t ownerKind = OwnerAt(selected, place).item().kind;
  const Slot slot = SlotAt(doc, selected, place);
  MenuNode* added = slot.before != nullptr
                        ? doc.tree.insertBefore(slot.before, std::move(caption), std::move(item))
                        : doc.tree.addLastChild(slot.parent, std::move(caption), std::move(item));
  InitAddedItem(doc, *added, custom);
  return PlacedEdit{added, PlacedItem{doc.tree.absoluteIndex(added), ownerKind}};
}

void InitAddedItem(MenuDocument& doc, MenuNode& added, bool custom) {
  MenuNode* parent = added.parent();
  TMMAItem& item = doc.tree.editRecord(added);
  item.next = kNone;
  item.parent = static_cast<std::uint8_t>(doc.RecordSlot(*parent) - 1);
  item.child = kNone;
  item.kind = kKindPlain;
  item.flags = custom ? kFlagsCustom : 0;
  item.hasData = 0;
  item.dataOffset = 0;
  item.dataLength = 0;
  item.area = kAreaMainMenu;
  item.attributes = kNewItemAttributes;
  if (parent->item().kind == kKindPlain) {
    TMMAItem& record = doc.tree.editRecord(*parent);
    record.kind = kKindSubmenu;
    record.child = kNone;
    doc.tree.notifyChanged(parent);
  }
  doc.RebuildLinks();
}

bool ReplaceDropsSubmenu(const MenuNode& node, int row) {
  if (row < 0 || row >= kCatalogueRows || !node.hasChildren()) return false;
  const std::uint8_t c = CatalogueIndex(CatalogueIds[static_cast<std::size_t>(row)]);
  return CatalogueCanHaveSubmenu[c] == 0;
}

std::optional<BranchSnapshot> ReplaceItem(MenuDocument& doc, MenuNode& node, int row) {
  if (row < 0 || row >= kCatalogueRows || !CanReplace(doc, node)) return std::nullopt;
  BranchSnapshot before = TakeBranch(doc, node);
  const int index = doc.tree.absoluteIndex(&node);
  const bool custom = IsCustomRow(row);
  const std::uint8_t c = CatalogueIndex(CatalogueIds[static_cast<std::size_t>(row)]);
  TMMAItem& item = doc.tree.editRecord(node);
  if (ReplaceDropsSubmenu(node, row)) {
    doc.ReleaseSubtreeData(node);
    while (node.hasChildren()) doc.tree.remove(node.firstChild());
    item.kind = kKindPlain;
    item.child = kNone;
  }
  // The old item's data belongs to what is replaced. Softkey entries survive a rebuild
  // whatever hasData says, so the entry is freed here rather than left to the rebuild.
  doc.ReleaseItemData(node);
  item.hasData = 0;
  item.dataLength = 0;

  const bool softkey = index < kMenuRootNodeIndex;
  if (custom) {
    doc.tree.editCaption(node) = doc.NextCustomName();
    item.identifier = node.caption();
    item.flags = kFlagsCustom;
  } else {
    const std::string name(CatalogueNames[c]);
    doc.tree.editCaption(node) = softkey ? SoftkeyPrefixes[static_cast<std::size_t>(index - 1)] + name : name;
    item.identifier = std::string(CatalogueIds[c]);
  }
  // Softkeys never own a submenu, whatever they are replaced by.
  item.canHaveSubmenu = softkey ? 0 : CatalogueCanHaveSubmenu[c];
  doc.RebuildLinks();
  doc.tree.notifyChanged(&node);
  return before;
}

BranchSnapshot ModifyItem(MenuDocument& doc, MenuNode& node, const EditedItem& edit) {
  BranchSnapshot before = TakeBranch(doc, node);
  doc.StoreEditedItem(node, edit);
  return before;
}

std::optional<DetachedItem> DeleteItem(MenuDocument& doc, MenuNode& node) {
  if (!CanDelete(doc, node)) return std::nullopt;
  // The list's owner keeps its kind; the writer turns an empty submenu into a plain item.
  return RemoveItem(doc, PlacedItem{doc.tree.absoluteIndex(&node), node.parent()->item().kind});
}

std::optional<ItemMove> MoveItem(MenuDocument& doc, MenuNode& node, MenuNode& parent, int row) {
  if (!CanMoveTo(doc, node, parent, row)) return std::nullopt;
  // As "Add subitem" does, an item that gains its first subitem becomes a submenu; the
  // list the item leaves keeps its kind, as after "Delete item".
  const std::uint8_t parentKind = parent.item().kind == kKindPlain ? kKindSubmenu : parent.item().kind;
  return ApplyMove(doc, ItemMove{doc.tree.absoluteIndex(&node), doc.tree.absoluteIndex(&parent), row,
                                 parentKind, node.parent()->item().kind});
}

ItemMove ApplyMove(MenuDocument& doc, const ItemMove& move) {
  MenuNode* node = doc.tree.nodeAt(move.node);
  MenuNode* parent = doc.tree.nodeAt(move.parent);
  MenuNode* left = node->parent();
  const int fromRow = node->row();
  ItemMove back;
  back.parentKind = left->item().kind;
  back.leftParentKind = parent->item().kind;
  doc.tree.move(node, parent, move.row);
  SetKind(doc, *left, move.leftParentKind);
  SetKind(doc, *parent, move.parentKind);
  doc.RebuildLinks();
  back.node = doc.tree.absoluteIndex(node);
  back.parent = doc.tree.absoluteIndex(left);
  // Counted as the list is now: in the same list, a node that came from below its new
  // place goes back before the node after its old place.
  back.row = left == parent && fromRow > node->row() ? fromRow + 1 : fromRow;
  return back;
}

namespace {

// Moves within one list never change a kind.
ItemMove AmongSiblings(const MenuDocument& doc, const MenuNode& node, int row) {
  const MenuNode& parent = *node.parent();
  return ItemMove{doc.tree.absoluteIndex(&node), doc.tree.absoluteIndex(&parent), row, parent.item().kind,
                  parent.item().kind};
}

}  // namespace

std::optional<ItemMove> MoveUp(MenuDocument& doc, MenuNode& node) {
  if (!CanMoveUp(doc, node)) return std::nullopt;
  return ApplyMove(doc, AmongSiblings(doc, node, node.row() - 1));
}

std::optional<ItemMove> MoveDown(MenuDocument& doc, MenuNode& node) {
  if (!CanMoveDown(doc, node)) return std::nullopt;
  return ApplyMove(doc, AmongSiblings(doc, node, node.row() + 2));
}

bool FragmentDropsSubmenu(const ItemTree& fragment, ItemPlace place) {
  return DropsChildren(fragment, true, place);
}

Result<PlacedEdit> PlaceFragment(MenuDocument& doc, MenuNode& target, ItemPlace place,
                                 const ItemTree& fragment, const SaveOptions& options, bool dropSubmenus) {
  if (!CanAddAt(doc, target, place)) return PlaceRefusal(target, place, "pasted");
  if (FragmentDropsSubmenu(fragment, place) && !dropSubmenus) {
    return Refusal(ErrorCode::InvalidValue,
                   "The item " + QuotedCaption(CaptionForIdentifier(fragment.item.identifier)) +
                       " would lose subitems that cannot stay below it; nothing was changed.");
  }
  ItemTree landing = Landing(fragment, true, place);

  const RecordLayout layout = options.layout;
  const std::size_t width = layout == RecordLayout::Bytes22 ? kIdentifierWidth22 : kIdentifierWidth36;
  if (const std::string* wide = TooWide(landing, width)) {
    return Refusal(ErrorCode::LimitExceeded,
                   "The identifier " + QuotedCaption(*wide) + " has " + std::to_string(wide->size()) +
                       " characters; a " + std::to_string(layout == RecordLayout::Bytes22 ? 22 : 36) +
                       "-byte menu holds identifiers of at most " + std::to_string(width) + ".");
  }
  if (place != ItemPlace::Replace) {
    const int count = CountItems(landing);
    const int room = kMaxMainMenuItems - doc.mainMenuItemCount();
    if (count > room) {
      return Refusal(ErrorCode::TooManyItems, std::to_string(count - std::max(room, 0)) + " of the " +
                                                  std::to_string(count) +
                                                  " items would not fit: the main menu holds " +
                                                  std::to_string(doc.mainMenuItemCount()) + " of at most " +
                                                  std::to_string(kMaxMainMenuItems) + " items.");
    }
  }

  RenameCustomItems(doc, landing);
  // The whole file must still fit its data area; a paste that overflows it is taken
  // back at once rather than found out at the next save. A menu that could not be saved
  // before the paste is not the paste's fault, so it is not checked.
  const bool savable = !CheckSavable(doc, options);
  const MenuNode& owner = OwnerAt(target, place);
  const std::uint8_t ownerKind = owner.item().kind;
  BranchSnapshot before = TakeBranch(doc, owner);
  MenuNode* top = AddLanding(doc, target, place, landing);
  if (savable) {
    if (std::optional<Error> refused = CheckSavable(doc, options)) {
      SwapBranch(doc, before);
      refused->message = "The pasted item does not fit. " + refused->message;
      return *refused;
    }
  }
  // A softkey's item was replaced in place; anywhere else the paste added an item.
  if (place == ItemPlace::Replace) return PlacedEdit{top, std::move(before)};
  return PlacedEdit{top, PlacedItem{doc.tree.absoluteIndex(top), ownerKind}};
}

}  // namespace quillet
