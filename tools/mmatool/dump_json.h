#pragma once
// The whole loaded menu in the JSON form (docs/menu-json.md), with the values derived
// from the file for reading and an "info" object with what `info` prints. `mmatool
// build` reads it back.
#include <ostream>

#include "menu_description.h"

namespace quillet::mmatool {

void WriteJsonDump(const MenuInfo& info, const MenuDocument& doc, const SaveOptions& options,
                   std::ostream& out);

}  // namespace quillet::mmatool
