#include "command_line.h"

#include <cstddef>

namespace quillet::mmatool {

const char kUsageText[] =
    "usage: mmatool info FILE\n"
    "       mmatool dump FILE [--json]\n"
    "       mmatool convert IN OUT [--layout 22|36] [--c698p|--no-c698p]\n"
    "                              [--icon-tag 06|0C] [--drop-unsupported]\n"
    "       mmatool build IN.json OUT\n"
    "       mmatool diff A B [--json]\n"
    "       mmatool extract FILE PATH\n"
    "       mmatool insert FILE FRAGMENT --after PATH|--into PATH|--replace PATH OUT\n"
    "       mmatool phone info|restart|backups\n"
    "       mmatool phone pull OUT\n"
    "       mmatool phone push IN [--no-verify]\n"
    "       mmatool phone restore [BACKUP]\n"
    "       mmatool phone ls [FOLDER] | get PATH OUT | put IN PATH | rm PATH\n"
    "       mmatool midlet FILE [--midlet N] [--json]\n"
    "\n"
    "  info     record layout, variant, record count, main-menu entries,\n"
    "           custom icon attribute and number of items with data\n"
    "  dump     the whole menu tree with every item's data decoded\n"
    "  convert  load IN and save it as OUT; the options start as IN has them,\n"
    "           unsupported data is kept unless --drop-unsupported is given.\n"
    "           --layout 36 also sets icon tag 0C and no c698p fix; --c698p and\n"
    "           --icon-tag 06 need the 22-byte layout.\n"
    "  build    write the menu file that a JSON form (as dump --json writes it)\n"
    "           describes; '-' reads standard input or writes standard output\n"
    "  diff     what changed from menu file A to menu file B\n"
    "  extract  the item at PATH with its subitems and all their data, as JSON\n"
    "  insert   write OUT: FILE with the extracted item FRAGMENT placed after the\n"
    "           item at PATH, as its last subitem, or in place of a softkey's item.\n"
    "           PATH is a position counted from 0 (3/1: the second subitem of the\n"
    "           fourth main-menu item; softkeys[2]; menu[3].children[1]; menu is\n"
    "           Menu Root) or the identifier of exactly one item\n"
    "  phone    the phone's model, connection and menu size; copy its menu to OUT;\n"
    "           check IN as a menu file, back up the phone's menu, write IN and read\n"
    "           it back to compare (--no-verify skips the comparison); restart it;\n"
    "           list the backups (damaged ones marked); write BACKUP back to the\n"
    "           phone as push does (by default the backup taken before the last\n"
    "           unfinished write, else the newest one not damaged). info warns when\n"
    "           the last write to the phone did not finish. ls: size and path of\n"
    "           every file on the phone, or of FOLDER's own files; get: copy the\n"
    "           phone's file PATH to OUT; put: back up the phone's file PATH if there\n"
    "           is one, write IN there and read it back to compare; rm: delete PATH.\n"
    "           Nothing under /a/mobile/system/ is written or deleted by put and rm.\n"
    "           The emulated phone in\n"
    "           $QUILLET_PHONE_DIR when set, otherwise a phone on USB.\n"
    "  midlet   the application name, MIDlet name and vendor that make a menu item\n"
    "           start a Java application, read from its .jad or .jar; the MIDlet\n"
    "           name is that of MIDlet-1, or of MIDlet-N with --midlet N\n"
    "\n"
    "  '-' as FILE or IN reads standard input, '-' as OUT writes standard output.\n"
    "\n"
    "exit status: 0 success, 1 bad or unreadable file, 2 bad usage;\n"
    "diff: 0 same menu, 1 different, 2 trouble\n";

namespace {

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  std::variant<CommandLine, UsageError> parse() {
    if (args_.empty()) return UsageError{"no command given"};
    const std::string& name = args_[0];
    if (name == "help" || name == "--help" || name == "-h") {
      line_.command = CommandName::Help;
      return line_;
    }
    std::size_t fileCount = 0;
    if (name == "info") {
      line_.command = CommandName::Info;
      fileCount = 1;
    } else if (name == "dump") {
      line_.command = CommandName::Dump;
      fileCount = 1;
    } else if (name == "convert") {
      line_.command = CommandName::Convert;
      fileCount = 2;
    } else if (name == "build") {
      line_.command = CommandName::Build;
      fileCount = 2;
    } else if (name == "diff") {
      line_.command = CommandName::Diff;
      fileCount = 2;
    } else if (name == "extract") {
      line_.command = CommandName::Extract;
      fileCount = 2;
    } else if (name == "insert") {
      line_.command = CommandName::Insert;
      fileCount = 3;
    } else if (name == "midlet") {
      line_.command = CommandName::Midlet;
      fileCount = 1;
    } else if (name == "phone") {
      line_.command = CommandName::Phone;
      if (args_.size() < 2)
        return UsageError{"phone needs info, pull, push, restart, backups, restore, ls, get, put or rm"};
      const std::string& action = args_[1];
      if (action == "info")
        line_.phone = PhoneAction::Info;
      else if (action == "pull")
        line_.phone = PhoneAction::Pull;
      else if (action == "push")
        line_.phone = PhoneAction::Push;
      else if (action == "restart")
        line_.phone = PhoneAction::Restart;
      else if (action == "backups")
        line_.phone = PhoneAction::Backups;
      else if (action == "restore")
        line_.phone = PhoneAction::Restore;
      else if (action == "ls")
        line_.phone = PhoneAction::List;
      else if (action == "get")
        line_.phone = PhoneAction::Get;
      else if (action == "put")
        line_.phone = PhoneAction::Put;
      else if (action == "rm")
        line_.phone = PhoneAction::Remove;
      else
        return UsageError{"unknown phone command '" + action + "'"};
      fileCount = phoneFileCount();
      first_ = 2;
    } else {
      return UsageError{"unknown command '" + name + "'"};
    }
    for (pos_ = first_; pos_ < args_.size(); ++pos_) {
      if (!error_.empty()) break;
      const std::string& arg = args_[pos_];
      if (endOfOptions_ || arg.size() < 2 || arg[0] != '-') {  // "-" is a file: the standard stream
        line_.files.push_back(arg);
      } else if (arg == "--") {
        endOfOptions_ = true;
      } else {
        option(arg);
      }
    }
    if (!error_.empty()) return UsageError{error_};
    if (line_.command == CommandName::Extract || line_.command == CommandName::Insert) return itemCommand();
    // restore names its backup or leaves the choice to the backups; ls may name a folder.
    if (line_.command == CommandName::Phone && line_.files.empty() &&
        (line_.phone == PhoneAction::Restore || line_.phone == PhoneAction::List))
      return line_;
    if (line_.files.size() != fileCount)
      return UsageError{commandName() + " takes " +
                        (fileCount == 0                       ? "no file"
                         : fileCount == 1                     ? "one file"
                         : line_.command == CommandName::Diff ? "two files (A B)"
                         : line_.phone == PhoneAction::Get    ? "two arguments (PATH OUT)"
                         : line_.phone == PhoneAction::Put    ? "two arguments (IN PATH)"
                                                              : "two files (IN OUT)") +
                        ", " + std::to_string(line_.files.size()) + " given"};
    return line_;
  }

 private:
  // extract FILE PATH; insert FILE FRAGMENT --after|--into|--replace PATH OUT.
  std::variant<CommandLine, UsageError> itemCommand() {
    if (line_.command == CommandName::Extract) {
      if (line_.files.size() != 2) {
        return UsageError{"extract takes FILE PATH, " + std::to_string(line_.files.size()) + " given"};
      }
      line_.itemPath = line_.files.back();
      line_.files.pop_back();
      return line_;
    }
    if (line_.itemPath.empty()) return UsageError{"insert needs --after PATH, --into PATH or --replace PATH"};
    if (line_.files.size() != 3) {
      return UsageError{"insert takes three files (FILE FRAGMENT OUT), " +
                        std::to_string(line_.files.size()) + " given"};
    }
    return line_;
  }

  // A MIDlet's number, 1 to 9999 (far more than a suite holds).
  void midletOption(const std::string& arg) {
    const std::string v = valueOf(arg, "--midlet");
    if (!error_.empty()) return;
    const bool digits = !v.empty() && v.size() <= 4 && v.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoul(v) == 0) return fail("--midlet takes a number from 1, not '" + v + "'");
    line_.midletNumber = std::stoul(v);
  }

  void placeOption(const std::string& arg, const std::string& name, ItemPlace place) {
    const std::string v = valueOf(arg, name);
    if (!error_.empty()) return;
    if (!line_.itemPath.empty()) return fail("insert takes one of --after, --into and --replace");
    if (v.empty()) return fail(name + " needs a PATH");
    line_.itemPath = v;
    line_.place = place;
  }

  // "--name value" or "--name=value"; empty string (and an error) when missing.
  std::string valueOf(const std::string& arg, const std::string& name) {
    if (arg.size() > name.size()) return arg.substr(name.size() + 1);
    if (pos_ + 1 >= args_.size()) {
      error_ = name + " needs a value";
      return {};
    }
    return args_[++pos_];
  }

  bool takes(const std::string& arg, const std::string& name) const {
    return arg == name || arg.rfind(name + "=", 0) == 0;
  }

  std::string commandName() const {
    return line_.command == CommandName::Phone ? args_[0] + " " + args_[1] : args_[0];
  }

  // The arguments of a phone command; ls takes at most one (checked by its caller).
  std::size_t phoneFileCount() const {
    switch (line_.phone) {
      case PhoneAction::Pull:
      case PhoneAction::Push:
      case PhoneAction::Restore:
      case PhoneAction::Remove: return 1;
      case PhoneAction::Get:
      case PhoneAction::Put: return 2;
      case PhoneAction::List: return 1;
      case PhoneAction::Info:
      case PhoneAction::Restart:
      case PhoneAction::Backups: break;
    }
    return 0;
  }

  bool isConvert() const { return line_.command == CommandName::Convert; }

  void option(const std::string& arg) {
    if (arg == "--json" && (line_.command == CommandName::Dump || line_.command == CommandName::Diff ||
                            line_.command == CommandName::Midlet)) {
      line_.json = true;
    } else if (isConvert() && takes(arg, "--layout")) {
      const std::string v = valueOf(arg, "--layout");
      if (!error_.empty()) return;
      if (line_.convert.layout) return fail("--layout given twice");
      if (v == "22")
        line_.convert.layout = RecordLayout::Bytes22;
      else if (v == "36")
        line_.convert.layout = RecordLayout::Bytes36;
      else
        fail("--layout takes 22 or 36, not '" + v + "'");
    } else if (isConvert() && (arg == "--c698p" || arg == "--no-c698p")) {
      if (line_.convert.c698p) return fail("--c698p/--no-c698p given twice");
      line_.convert.c698p = arg == "--c698p";
    } else if (isConvert() && takes(arg, "--icon-tag")) {
      const std::string v = valueOf(arg, "--icon-tag");
      if (!error_.empty()) return;
      if (line_.convert.iconTag) return fail("--icon-tag given twice");
      if (v == "06")
        line_.convert.iconTag = IconTag::Tag06;
      else if (v == "0C" || v == "0c")
        line_.convert.iconTag = IconTag::Tag0C;
      else
        fail("--icon-tag takes 06 or 0C, not '" + v + "'");
    } else if (line_.command == CommandName::Phone && line_.phone == PhoneAction::Push &&
               arg == "--no-verify") {
      line_.verify = false;
    } else if (line_.command == CommandName::Insert && takes(arg, "--after")) {
      placeOption(arg, "--after", ItemPlace::After);
    } else if (line_.command == CommandName::Insert && takes(arg, "--into")) {
      placeOption(arg, "--into", ItemPlace::LastSubitem);
    } else if (line_.command == CommandName::Insert && takes(arg, "--replace")) {
      placeOption(arg, "--replace", ItemPlace::Replace);
    } else if (line_.command == CommandName::Midlet && takes(arg, "--midlet")) {
      midletOption(arg);
    } else if (isConvert() && arg == "--drop-unsupported") {
      line_.convert.dropUnsupported = true;
    } else {
      fail("unknown option '" + arg + "' for " + commandName());
    }
  }

  void fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
  }

  const std::vector<std::string>& args_;
  CommandLine line_;
  std::size_t pos_ = 1;
  std::size_t first_ = 1;  // the first argument after the command's name
  bool endOfOptions_ = false;
  std::string error_;
};

}  // namespace

std::variant<CommandLine, UsageError> ParseCommandLine(const std::vector<std::string>& args) {
  return Parser(args).parse();
}

}  // namespace quillet::mmatool
