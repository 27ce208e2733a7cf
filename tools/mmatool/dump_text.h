#pragma once
// The human-readable renderings of a loaded menu: the info summary and the tree dump,
// one node per line with its decoded blocks on indented lines below it. The tree dump
// renders the menu's JSON form, so both dumps always show the same facts.
#include <ostream>

#include "menu_description.h"

namespace quillet::mmatool {

void WriteInfo(const MenuInfo& info, std::ostream& out);
void WriteTextDump(const MenuInfo& info, const MenuDocument& doc, std::ostream& out);

}  // namespace quillet::mmatool
