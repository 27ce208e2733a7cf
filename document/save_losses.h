#pragma once
// What a save leaves out when "Save all data" is off: the uninterpreted blocks items
// carry, and the item kinds a file keeps only with that box. The window asks before
// such a save, and only when this list is not empty.
#include <cstdint>
#include <optional>
#include <vector>

#include "menu_document.h"
#include "save_options.h"

namespace quillet {

struct DataLeftOut {
  const MenuNode* node = nullptr;       // the item that would lose it
  std::vector<std::uint8_t> blockTags;  // its uninterpreted blocks' tags, in file order
  std::optional<std::uint8_t> kind;     // its kind, when the save writes 0 instead
};

// Whether `kind` reaches the file only with "Save all data" (every kind but plain,
// submenu, URL and MIDlet).
bool KindNeedsAllData(std::uint8_t kind);

// The items, in the order the tree shows them, that a save with `options` would write
// with less than the document holds. Empty when `options` keep all data or nothing
// would be lost.
std::vector<DataLeftOut> DataLeftOutBySave(const MenuDocument& doc, const SaveOptions& options);

}  // namespace quillet
