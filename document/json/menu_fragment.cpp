#include "menu_fragment.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "branch_snapshot.h"
#include "catalogue.h"
#include "display_text.h"
#include "format.h"
#include "json_form_reader.h"
#include "json_form_writer.h"
#include "json_text.h"
#include "menu_writer.h"
#include "node_rules.h"

namespace quillet::menujson {
namespace {

constexpr char kItemKey[] = "item";

Error Refusal(ErrorCode code, std::string message) { return Error{code, std::move(message), {}, {}, {}}; }

// Whether `tree` keeps its children where it lands: a softkey never does, and below it
// only identifiers that may own a submenu.
bool KeepsChildren(const ItemTree& tree, bool top, FragmentPlace place) {
  if (top && place == FragmentPlace::Replace) return false;
  return SubmenuFlagForIdentifier(tree.item.identifier) == 1;
}

// The fragment as it will land: children that may not come along are left out, and an
// item that loses them becomes a plain item, as Replace leaves one.
ItemTree Landing(const ItemTree& tree, bool top, FragmentPlace place) {
  ItemTree out{tree.item, tree.data, {}};
  if (!KeepsChildren(tree, top, place)) {
    if (!tree.children.empty()) out.item.kind = kKindPlain;
    return out;
  }
  out.children.reserve(tree.children.size());
  for (const ItemTree& child : tree.children) out.children.push_back(Landing(child, false, place));
  return out;
}

bool DropsChildren(const ItemTree& tree, bool top, FragmentPlace place) {
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
MenuNode* AddBranch(MenuDocument& doc, MenuNode& parent, MenuNode* before, const ItemTree& tree, Placed& placed) {
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

// Adds the checked landing at `place` and rebuilds the links; returns its top node.
MenuNode* AddLanding(MenuDocument& doc, MenuNode& target, FragmentPlace place, const ItemTree& landing) {
  if (place == FragmentPlace::Replace) return ReplaceSoftkey(doc, target, landing);
  MenuNode* parent = place == FragmentPlace::After ? target.parent() : &target;
  MenuNode* before = place == FragmentPlace::After ? doc.tree.nextSibling(&target) : nullptr;
  if (place == FragmentPlace::LastChild && parent->item().kind == kKindPlain) {
    // As adding a subitem does: the item now owns a submenu.
    doc.tree.editRecord(*parent).kind = kKindSubmenu;
    doc.tree.notifyChanged(parent);
  }
  Placed placed;
  MenuNode* top = AddBranch(doc, *parent, before, landing, placed);
  doc.RebuildLinks();
  // Data goes in once every slot is final.
  for (const auto& [node, tree] : placed) {
    if (tree->data) doc.SetItemData(*node, *tree->data);
  }
  return top;
}

}  // namespace

bool CanCopy(const MenuDocument& doc, const MenuNode& node) { return CanModify(doc, node); }

std::string FragmentText(const MenuDocument& doc, const MenuNode& node) {
  Json j;
  j["format"] = kFormat;
  j[kItemKey] = ItemToJson(doc, node, Derived::Omit);
  return JsonText(j);
}

Result<ItemTree> ReadFragment(std::string_view text) {
  if (text.size() > kMaxJsonTextBytes) {
    return Refusal(ErrorCode::LimitExceeded, "The text holds more than 16 MiB, more than any menu item takes.");
  }
  Result<Json> json = ParseJsonText(text);
  if (!json) return json.error();
  const Json& top = json.value();
  if (!top.is_object() || !top.contains(kItemKey)) {
    return Refusal(ErrorCode::InvalidValue, "top level: a menu item must be an object with the member \"item\"");
  }
  for (const auto& [key, value] : top.items()) {
    if (key != "format" && key != kItemKey) {
      return Refusal(ErrorCode::InvalidValue,
                     "top level: unknown member " + Json(key).dump(-1, ' ', false, Json::error_handler_t::replace));
    }
  }
  if (!top.contains("format") || top["format"] != kFormat) {
    return Refusal(ErrorCode::InvalidValue, "format: must be 1 (the only format this version reads)");
  }
  // Read as widely as any file allows: the target's own layout is checked when placing.
  const ItemRules rules{RecordLayout::Bytes36, true, false};
  int itemCount = 0;
  return ReadItem(top[kItemKey], kItemKey, rules, itemCount);
}

bool CanPlaceFragment(const MenuDocument& doc, const MenuNode& target, FragmentPlace place) {
  switch (place) {
    case FragmentPlace::After: return CanAddBeside(doc, target);
    case FragmentPlace::LastChild: return CanAddSubitem(doc, target);
    case FragmentPlace::Replace: return IsSoftkey(doc, target);
  }
  return false;
}

bool FragmentDropsSubmenu(const ItemTree& fragment, FragmentPlace place) {
  return DropsChildren(fragment, true, place);
}

Result<MenuNode*> PlaceFragment(MenuDocument& doc, MenuNode& target, FragmentPlace place,
                                const ItemTree& fragment, const SaveOptions& options, bool dropSubmenus) {
  if (!CanPlaceFragment(doc, target, place)) {
    switch (place) {
      case FragmentPlace::After:
        return Refusal(ErrorCode::InvalidValue, "Items can be pasted beside main-menu items only.");
      case FragmentPlace::LastChild:
        return Refusal(ErrorCode::InvalidValue, QuotedCaption(target.caption()) + " cannot have subitems.");
      case FragmentPlace::Replace:
        return Refusal(ErrorCode::InvalidValue, "Only a softkey's item can be replaced by a pasted item.");
    }
  }
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
  if (place != FragmentPlace::Replace) {
    const int count = CountItems(landing);
    const int room = kMaxMainMenuItems - doc.mainMenuItemCount();
    if (count > room) {
      return Refusal(ErrorCode::TooManyItems,
                     std::to_string(count - std::max(room, 0)) + " of the " + std::to_string(count) +
                         " items would not fit: the main menu holds " + std::to_string(doc.mainMenuItemCount()) +
                         " of at most " + std::to_string(kMaxMainMenuItems) + " items.");
    }
  }

  RenameCustomItems(doc, landing);
  // The whole file must still fit its data area; a paste that overflows it is taken
  // back at once rather than found out at the next save. A menu that could not be saved
  // before the paste is not the paste's fault, so it is not checked.
  const bool savable = !CheckSavable(doc, options);
  const BranchSnapshot before = TakeBranch(doc, place == FragmentPlace::After ? *target.parent() : target);
  MenuNode* top = AddLanding(doc, target, place, landing);
  if (savable) {
    if (std::optional<Error> refused = CheckSavable(doc, options)) {
      SwapBranch(doc, before);
      refused->message = "The pasted item does not fit. " + refused->message;
      return *refused;
    }
  }
  return top;
}

}  // namespace quillet::menujson
