#pragma once
// A menu fragment: one item with its whole subtree and all their data, carried from one
// menu to another (the clipboard, `mmatool extract` and `insert`). Its text is the JSON
// form's own item, wrapped as {"format": 1, "item": {...}}, so there is one format only.
#include <string>
#include <string_view>

#include "json_form.h"
#include "menu_document.h"
#include "result.h"
#include "save_options.h"

namespace quillet::menujson {

// Where a fragment goes relative to the target node.
enum class FragmentPlace {
  After,      // the next sibling of a main-menu item
  LastChild,  // the last subitem of "Menu Root" or of an item that may own a submenu
  Replace,    // in place of a softkey's item (the softkey stays; children never come along)
};

// Softkeys and main-menu items can be copied; the two fixed containers cannot.
bool CanCopy(const MenuDocument& doc, const MenuNode& node);
// The fragment of `node` as JSON text, derived values left out.
std::string FragmentText(const MenuDocument& doc, const MenuNode& node);
// Reads a fragment's JSON text, every value checked against the file's limits; the
// refusal names the JSON path at fault.
Result<ItemTree> ReadFragment(std::string_view text);

// Whether `place` relative to `target` can take a fragment at all.
bool CanPlaceFragment(const MenuDocument& doc, const MenuNode& target, FragmentPlace place);
// Whether placing `fragment` would leave subitems behind: a softkey never owns any,
// and an identifier that may not own a submenu arrives without its children.
bool FragmentDropsSubmenu(const ItemTree& fragment, FragmentPlace place);

// Places `fragment` at `place` relative to `target` and rebuilds the links. Custom items
// get fresh "~N" names. Nothing changes on a refusal: a place that takes no fragment,
// dropped subitems without `dropSubmenus` (the caller's answer to the question), an
// identifier wider than the layout's field, more main-menu items than a file holds (the
// message says how many would not fit), or a menu that `options` could no longer save
// (its data area full). Returns the placed top node.
Result<MenuNode*> PlaceFragment(MenuDocument& doc, MenuNode& target, FragmentPlace place,
                                const ItemTree& fragment, const SaveOptions& options, bool dropSubmenus);

}  // namespace quillet::menujson
