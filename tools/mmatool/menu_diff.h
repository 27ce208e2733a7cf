#pragma once
// What changed between two menus, as a person reads it: options, items added, removed,
// moved and replaced, and per item the fields and data values that differ. Both menus
// are compared in their JSON form, so the names of places and values are those of
// docs/menu-json.md.
#include <ostream>
#include <string>
#include <vector>

#include "json_value.h"

namespace quillet::mmatool {

struct MenuChange {
  std::string change;      // "option", "added", "removed", "moved", "replaced", "changed"
  std::string place;       // JSON path: in B, in A for "removed"; "from" place for "moved"
  std::string movedTo;     // "moved": the place in B
  std::string identifier;  // the item's identifier (B's for "replaced")
  std::string what;        // "option"/"changed": the value ("layout", "menu names 0A", "attributes")
  std::string from;        // old value as compact JSON text ("" when it was absent)
  std::string to;          // new value as compact JSON text ("" when it is gone)
};

// `a` and `b` are menus in the JSON form without derived values.
std::vector<MenuChange> DiffMenus(const menujson::Json& a, const menujson::Json& b);

void WriteDiffText(const std::vector<MenuChange>& changes, std::ostream& out);
void WriteDiffJson(const std::vector<MenuChange>& changes, std::ostream& out);

}  // namespace quillet::mmatool
