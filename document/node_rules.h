#pragma once
// Which commands a node's position allows. The pop-up menus enable their entries by
// these rules and the tree commands refuse by the same ones, so the two cannot drift.
#include "menu_document.h"

namespace quillet {

// Where an item goes relative to a node: added from the item list, pasted, or
// inserted by mmatool. Each command takes the places that make sense for it.
enum class ItemPlace {
  FirstSubitem,  // its first subitem: "Add subitem" > "Add First"   (mode 1)
  LastSubitem,   // its last subitem: "Add subitem" > "Add Last" (mode 1), a paste as subitem
  FirstItem,     // first in its list: "Add item" > "Add First"     (mode 0)
  Before,        // just before it: "Add item" > "Add Before"       (mode 0)
  After,         // just after it: a paste beside a main-menu item
  Replace,       // in its place, for a softkey's item (the softkey stays)
};

// Whether `place` puts the item below the node rather than beside it or in its place.
constexpr bool IsSubitemPlace(ItemPlace place) {
  return place == ItemPlace::FirstSubitem || place == ItemPlace::LastSubitem;
}

// Every node but the two fixed containers ("Softkeys", "Menu Root") holds an item that
// can be modified and replaced.
bool CanModify(const MenuDocument& doc, const MenuNode& node);
bool CanReplace(const MenuDocument& doc, const MenuNode& node);
// Softkeys and main-menu items can be copied (cut, extracted); the two fixed containers
// cannot.
bool CanCopy(const MenuDocument& doc, const MenuNode& node);
// One of the seven softkeys (below "Softkeys").
bool IsSoftkey(const MenuDocument& doc, const MenuNode& node);
// Main-menu items only: the fixed nodes and the softkeys always stay.
bool CanDelete(const MenuDocument& doc, const MenuNode& node);
bool CanMoveUp(const MenuDocument& doc, const MenuNode& node);
bool CanMoveDown(const MenuDocument& doc, const MenuNode& node);
// Subitems go below "Menu Root" or a main-menu item that may own a submenu.
bool CanAddSubitem(const MenuDocument& doc, const MenuNode& node);
// Items go beside main-menu items.
bool CanAddBeside(const MenuDocument& doc, const MenuNode& node);
// Whether an item can go at `place` relative to `node`: below it where it may own
// subitems, beside it where it is a main-menu item, in its place where it is a softkey.
bool CanAddAt(const MenuDocument& doc, const MenuNode& node, ItemPlace place);
// Whether `node` can move, with its subtree, into `parent`'s list just before the node
// now at `row` (the list's size: last). Only main-menu items move, within their own list
// or into one whose owner may take subitems, never into their own subtree, and never to
// where they already are.
bool CanMoveTo(const MenuDocument& doc, const MenuNode& node, const MenuNode& parent, int row);

}  // namespace quillet
