#pragma once
// A menu fragment's text: one item with its whole subtree and all their data, carried
// from one menu to another (the clipboard, `mmatool extract` and `insert`; placing it is
// the tree command PlaceFragment). Its text is the JSON form's own item, wrapped as
// {"format": 1, "item": {...}}, so there is one format only.
#include <string>
#include <string_view>

#include "json_form.h"
#include "menu_document.h"
#include "result.h"

namespace quillet::menujson {

// The fragment of `node` as JSON text, derived values left out.
std::string FragmentText(const MenuDocument& doc, const MenuNode& node);
// Reads a fragment's JSON text, every value checked against the file's limits; the
// refusal names the JSON path at fault.
Result<ItemTree> ReadFragment(std::string_view text);

}  // namespace quillet::menujson
