#pragma once
// mmatool's entry point as a function, so tests run it in-process.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace quillet::mmatool {

// `args` are the arguments after the program name. Returns the exit status.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same with standard input as `in`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quillet::mmatool
