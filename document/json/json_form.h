#pragma once
// The JSON form of a menu, format 1 (docs/menu-json.md): the save options, the seven
// softkeys and the main-menu tree, every item with its identifier, kind, flags,
// attributes and data blocks in their order. Record links, slots, offsets and lengths
// are derived from the shape, so they are written for reading but never read back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "item_tree.h"
#include "save_options.h"

namespace quillet::menujson {

inline constexpr int kFormat = 1;

using quillet::ItemTree;

struct MenuForm {
  SaveOptions options;
  std::array<ItemTree, 7> softkeys;
  std::vector<ItemTree> menu;
};

// Names shared by the JSON form and the text dump.
std::string BlockLabel(std::uint8_t tag);  // "menu names", "url", ...; "" for none
std::optional<std::uint8_t> TagOfLabel(std::string_view label);
std::string IconRoleName(std::uint8_t iconKind);  // "list", "static", "animated"; "" else
std::optional<std::uint8_t> IconKindOfRole(std::string_view role);

// The place of an item in a menu as a JSON path: "softkeys[2]", "menu[3].children[0]".
std::string SoftkeyPath(std::size_t index);
std::string MenuItemPath(const std::string& parentPath, std::size_t index);

}  // namespace quillet::menujson
