#pragma once
// The PATH of `extract` and `insert`: an item named by its position or its identifier.
//   3/1                  the second subitem of the fourth main-menu item (0-based, as
//                        the JSON form counts: menu[3].children[1])
//   menu[3].children[1]  the JSON form's own path, as `diff` prints it; softkeys[2] too
//   menu                 "Menu Root" itself, the place for top-level items
//   Camera               the one item with this identifier (more than one is refused)
#include <string>

#include "menu_document.h"
#include "result.h"

namespace quillet::mmatool {

inline constexpr char kMenuRootPath[] = "menu";

Result<MenuNode*> FindItem(MenuDocument& doc, const std::string& path);

}  // namespace quillet::mmatool
