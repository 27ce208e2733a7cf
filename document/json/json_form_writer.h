#pragma once
// A document, or one item with its subtree, in the JSON form.
#include "json_form.h"
#include "json_value.h"
#include "menu_document.h"

namespace quillet::menujson {

// With Include, the values derived from the tree's shape are added for people and
// scripts that read them: each item's caption, record links, slot, area, data offset and
// length, and each block's tag and length. Reading ignores them.
enum class Derived { Omit, Include };

Json BlockToJson(const TMMADataBlock& block, Derived derived);
// `node` is a softkey or a main-menu item of `doc`; its data comes from doc's store.
Json ItemToJson(const MenuDocument& doc, const MenuNode& node, Derived derived);
Json OptionsToJson(const SaveOptions& options);
// The whole menu: "format", "options", "softkeys", "menu".
Json MenuToJson(const MenuDocument& doc, const SaveOptions& options, Derived derived);

}  // namespace quillet::menujson
