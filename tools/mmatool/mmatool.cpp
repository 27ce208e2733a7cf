#include "mmatool.h"

#include <exception>
#include <iostream>
#include <variant>

#include "command_line.h"
#include "commands.h"
#ifdef QUILLET_MMATOOL_MIDLET
#include "midlet_command.h"
#endif
#ifdef QUILLET_MMATOOL_PHONE
#include "phone_commands.h"
#endif

namespace quillet::mmatool {

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        const PhoneAccess& phone) {
  const auto parsed = ParseCommandLine(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    err << "mmatool: " << usage->message << '\n' << kUsageText;
    return kExitUsage;
  }
  const CommandLine& line = std::get<CommandLine>(parsed);
  // The document reports every file problem as a value; what could still throw is
  // running out of memory, which must end in a message, not an abort.
  try {
    switch (line.command) {
      case CommandName::Help: out << kUsageText; return kExitOk;
      case CommandName::Info: return RunInfo(line, in, out, err);
      case CommandName::Dump: return RunDump(line, in, out, err);
      case CommandName::Convert: return RunConvert(line, in, out, err);
      case CommandName::Build: return RunBuild(line, in, out, err);
      case CommandName::Diff: return RunDiff(line, in, out, err);
      case CommandName::Extract: return RunExtract(line, in, out, err);
      case CommandName::Insert: return RunInsert(line, in, out, err);
      case CommandName::Midlet:
#ifdef QUILLET_MMATOOL_MIDLET
        return RunMidlet(line, in, out, err);
#else
        err << "mmatool: this build reads no Java applications\n";
        return kExitBadFile;
#endif
      case CommandName::Phone:
#ifdef QUILLET_MMATOOL_PHONE
        if (phone.makeLibrary) return RunPhone(line, in, out, err, phone.makeLibrary, phone.backupsFolder);
#else
        (void)phone;
#endif
        err << "mmatool: this build reaches no phone\n";
        return kExitBadFile;
    }
  } catch (const std::exception& e) {
    err << "mmatool: " << e.what() << '\n';
  }
  // diff keeps 1 for "they differ"; its trouble is 2, as diff(1) has it.
  return line.command == CommandName::Diff ? kExitUsage : kExitBadFile;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const PhoneAccess& phone) {
  return run(args, std::cin, out, err, phone);
}

}  // namespace quillet::mmatool
