#pragma once
// The human-readable renderings of a described menu: the info summary and the tree
// dump, one node per line with its decoded blocks on indented lines below it.
#include <ostream>

#include "menu_description.h"

namespace quillet::mmatool {

void WriteInfo(const MenuDescription& menu, std::ostream& out);
void WriteTextDump(const MenuDescription& menu, std::ostream& out);

}  // namespace quillet::mmatool
