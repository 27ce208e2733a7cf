#pragma once
// One item with its subtree and their data, outside any document: what a copied item
// carries from one menu to another, and what the JSON form holds for each item.
#include <optional>
#include <vector>

#include "item.h"
#include "item_data.h"

namespace quillet {

// Only identifier, kind, flags and attributes of `item` count; softkeys also keep the
// parent, next and child bytes they were read with.
struct ItemTree {
  TMMAItem item;
  std::optional<TMMAItemData> data;
  std::vector<ItemTree> children;
};

}  // namespace quillet
