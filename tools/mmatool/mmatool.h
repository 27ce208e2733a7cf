#pragma once
// mmatool's entry point as a function, so tests run it in-process.
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quillet {
class P2KLibrary;
}

namespace quillet::mmatool {

// Makes the phone-access library a phone command talks through.
using PhoneLibraryMaker = std::function<std::unique_ptr<P2KLibrary>()>;

// What the phone commands reach: the library they talk through and the backups folder.
struct PhoneAccess {
  PhoneLibraryMaker makeLibrary;
  std::string backupsFolder;
};

// `args` are the arguments after the program name. Returns the exit status.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        const PhoneAccess& phone = {});
// The same with standard input as `in`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const PhoneAccess& phone = {});

}  // namespace quillet::mmatool
