#include "menu_description.h"

#include <nlohmann/json.hpp>

namespace quillet::mmatool {

MenuInfo DescribeMenu(const std::string& file, const std::vector<std::uint8_t>& header,
                      const MenuDocument& doc, const LoadOutcome& outcome) {
  MenuInfo out;
  out.file = file;
  out.recordSize = doc.RecordSize;
  out.variant = header.at(1);
  out.recordCount = header.at(2);
  out.mainMenuEntries = doc.mainMenuItemCount();
  out.iconTag = outcome.options.iconTag == IconTag::Tag06 ? "06" : "0C";
  out.itemsWithData = doc.DataItemCount();
  return out;
}

menujson::Json InfoToJson(const MenuInfo& info) {
  menujson::Json j;
  j["file"] = info.file;
  j["recordSize"] = info.recordSize;
  j["variant"] = info.variant;
  j["recordCount"] = info.recordCount;
  j["mainMenuEntries"] = info.mainMenuEntries;
  j["customIconAttribute"] = info.iconTag;
  j["itemsWithData"] = info.itemsWithData;
  return j;
}

}  // namespace quillet::mmatool
