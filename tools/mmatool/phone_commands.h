#pragma once
// mmatool phone: the editor's phone link for scripts, with the same backups and checks.
#include <functional>
#include <istream>
#include <memory>
#include <ostream>

#include "command_line.h"
#include "mmatool.h"
#include "p2k_library.h"

namespace quillet::mmatool {

// Exit status as the other commands: 0 success, 1 a failure (file or phone), 2 usage.
// Backups go to `backupsFolder`.
int RunPhone(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err,
             const PhoneLibraryMaker& makeLibrary, const std::string& backupsFolder);

}  // namespace quillet::mmatool
