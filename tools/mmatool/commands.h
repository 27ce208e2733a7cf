#pragma once
// The three commands of mmatool. Each returns the exit status: 0 success, 1 a bad or
// unreadable file (one line on `err` naming the file), 2 bad usage.
#include <ostream>

#include "command_line.h"

namespace quillet::mmatool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitUsage = 2;

int RunInfo(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunConvert(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace quillet::mmatool
