#pragma once
// The whole described menu as one JSON document.
#include <ostream>

#include "menu_description.h"

namespace quillet::mmatool {

void WriteJsonDump(const MenuDescription& menu, std::ostream& out);

}  // namespace quillet::mmatool
