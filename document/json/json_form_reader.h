#pragma once
// Reading the JSON form back: every value is checked against the file's limits, and a
// refusal names the JSON path of the value at fault ("menu[3].children[0].data[0].names[2].text").
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json_form.h"
#include "json_value.h"
#include "menu_document.h"
#include "result.h"

namespace quillet::menujson {

// What an item is read for: the identifier field's width, whether it is a softkey (no
// children, links kept) and whether unsupported data counts towards its size.
struct ItemRules {
  RecordLayout layout = RecordLayout::Bytes36;
  bool saveAllData = true;
  bool softkey = false;
};

// One item with its subtree at `path`. `itemCount` counts main-menu items read so far;
// the 246th is refused.
Result<ItemTree> ReadItem(const Json& j, const std::string& path, const ItemRules& rules, int& itemCount);

Result<MenuForm> ReadMenuForm(const Json& j);

// Builds a new document from the form: fixed nodes, softkeys, main menu and item data.
// Returns the JSON path of each record index, so that a later refusal naming a record
// can name its place in the JSON.
std::vector<std::string> PlaceMenu(const MenuForm& form, MenuDocument& doc);

// JSON text to menu file bytes: parse, read, place and serialise. Nothing half-done:
// any refusal comes back as an Error whose message starts with the JSON path.
Result<std::vector<std::uint8_t>> BuildMenuFile(std::string_view jsonText);

}  // namespace quillet::menujson
