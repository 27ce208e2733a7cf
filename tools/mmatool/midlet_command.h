#pragma once
// mmatool midlet: the three texts that make a menu item start a Java application, read
// from the application's descriptor (.jad) or archive (.jar).
#include <istream>
#include <ostream>

#include "command_line.h"

namespace quillet::mmatool {

// 0 with the texts on `out`; 1 with one line on `err` for a file that is unreadable,
// damaged, no Java application, or holds a text the menu cannot store.
int RunMidlet(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quillet::mmatool
