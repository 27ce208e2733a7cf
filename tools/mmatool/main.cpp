#include <iostream>
#include <string>
#include <vector>

#include "mmatool.h"
#ifdef QUILLET_MMATOOL_PHONE
#include "backup_store.h"
#include "default_phone.h"
#include "phone_library_factory.h"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <windows.h>

#include "windows_text.h"

namespace {

// Windows hands main() its arguments in the ANSI code page, which cannot name every
// file; the wide command line, as UTF-8, can. The streams stay binary so that output
// is the same bytes as on other systems (no "\r\n").
std::vector<std::string> ProgramArguments(int, char**) {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(quillet::windows::Utf8(wide[i]));
  ::LocalFree(wide);
  return args;
}

}  // namespace
#else
namespace {

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef QUILLET_MMATOOL_PHONE
  const quillet::mmatool::PhoneAccess phone{
      [] { return quillet::makePhoneLibraryFromEnvironment(quillet::makeDefaultPhoneLibrary); },
      quillet::BackupStore::DefaultFolder()};
#else
  const quillet::mmatool::PhoneAccess phone{};
#endif
  return quillet::mmatool::run(ProgramArguments(argc, argv), std::cin, std::cout, std::cerr, phone);
}
