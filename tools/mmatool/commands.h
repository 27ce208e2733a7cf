#pragma once
// The commands of mmatool. Each returns the exit status: 0 success, 1 a bad or
// unreadable file (one line on `err` naming the file), 2 bad usage.
#include <istream>
#include <ostream>

#include "command_line.h"

namespace quillet::mmatool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitUsage = 2;

int RunInfo(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunConvert(const CommandLine& line, std::ostream& out, std::ostream& err);
// build reads the JSON from `in` when IN is "-".
int RunBuild(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
// diff: 0 the same menu, 1 they differ, 2 trouble (a file that cannot be loaded).
int RunDiff(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace quillet::mmatool
