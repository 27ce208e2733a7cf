#pragma once
// What `info` reports about a loaded file; the dumps add it to the menu's JSON form.
#include <cstdint>
#include <string>
#include <vector>

#include "json_value.h"
#include "menu_document.h"
#include "save_options.h"

namespace quillet::mmatool {

struct MenuInfo {
  std::string file;
  int recordSize = 0;
  int variant = 0;      // header byte 1
  int recordCount = 0;  // header byte 2
  int mainMenuEntries = 0;
  std::string iconTag;  // "06" or "0C", as loading leaves the choice
  int itemsWithData = 0;
};

// `header` holds at least the file header (the loader refuses shorter files).
MenuInfo DescribeMenu(const std::string& file, const std::vector<std::uint8_t>& header,
                      const MenuDocument& doc, const LoadOutcome& outcome);

menujson::Json InfoToJson(const MenuInfo& info);

}  // namespace quillet::mmatool
