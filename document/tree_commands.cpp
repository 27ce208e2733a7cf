#include "tree_commands.h"

#include "catalogue.h"
#include "display_text.h"

namespace quillet {

namespace {

bool IsSubitemPlace(AddPlace place) {
  return place == AddPlace::FirstSubitem || place == AddPlace::LastSubitem;
}

Error Refusal(ErrorCode code, std::string message) { return Error{code, std::move(message), {}, {}, {}}; }

bool IsCustomRow(int row) { return CatalogueNames[static_cast<std::size_t>(row)] == "Custom item"; }

}  // namespace

Result<MenuNode*> AddCatalogueItem(MenuDocument& doc, MenuNode& selected, int row, AddPlace place) {
  if (row < 0 || row >= kCatalogueRows) {
    return Refusal(ErrorCode::InvalidValue, "No entry of the item list is chosen.");
  }
  if (IsSubitemPlace(place) && !CanAddSubitem(doc, selected)) {
    return Refusal(ErrorCode::InvalidValue, QuotedCaption(selected.caption()) + " cannot have subitems.");
  }
  if (!IsSubitemPlace(place) && !CanAddBeside(doc, selected)) {
    return Refusal(ErrorCode::InvalidValue, "Items can be added beside main-menu items only.");
  }
  if (doc.mainMenuItemCount() >= kMaxMainMenuItems) {
    return Refusal(ErrorCode::TooManyItems,
                   "The main menu already holds " + std::to_string(kMaxMainMenuItems) +
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

  MenuNode* added = nullptr;
  switch (place) {
    case AddPlace::FirstSubitem:
      added = doc.tree.addFirstChild(&selected, std::move(caption), std::move(item));
      break;
    case AddPlace::LastSubitem:
      added = doc.tree.addLastChild(&selected, std::move(caption), std::move(item));
      break;
    case AddPlace::FirstItem:
      added = doc.tree.insertBefore(selected.parent()->firstChild(), std::move(caption), std::move(item));
      break;
    case AddPlace::Before:
      added = doc.tree.insertBefore(&selected, std::move(caption), std::move(item));
      break;
  }
  InitAddedItem(doc, *added, custom, place);
  return added;
}

// The new node's parent is where the tree put it, whatever the place was, so `place`
// adds nothing beyond what the tree already knows.
void InitAddedItem(MenuDocument& doc, MenuNode& added, bool custom, AddPlace /*place*/) {
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

void ReplaceItem(MenuDocument& doc, MenuNode& node, int row) {
  if (row < 0 || row >= kCatalogueRows || !CanReplace(doc, node)) return;
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
  return ApplyMove(doc, ItemMove{doc.tree.absoluteIndex(&node), doc.tree.absoluteIndex(&parent), row, parentKind,
                                 node.parent()->item().kind});
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

}  // namespace quillet
