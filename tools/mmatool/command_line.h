#pragma once
// Parsing mmatool's arguments into a command, or a usage error that names the problem.
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "node_rules.h"
#include "save_options.h"

namespace quillet::mmatool {

enum class CommandName { Help, Info, Dump, Convert, Build, Diff, Extract, Insert, Phone, Midlet };
enum class PhoneAction { Info, Pull, Push, Restart, Backups, Restore, List, Get, Put, Remove };

// The convert flags as given; absent ones leave the loaded file's choice alone.
struct ConvertFlags {
  std::optional<RecordLayout> layout;
  std::optional<bool> c698p;
  std::optional<IconTag> iconTag;
  bool dropUnsupported = false;
};

struct CommandLine {
  CommandName command = CommandName::Help;
  std::vector<std::string> files;      // INFO/DUMP/EXTRACT/MIDLET: FILE; CONVERT/BUILD: IN, OUT; DIFF: A, B;
                                       // INSERT: FILE, FRAGMENT, OUT; PHONE PULL: OUT; PUSH: IN;
                                       // LS: [FOLDER]; GET: PATH OUT; PUT: IN PATH; RM: PATH
  std::string itemPath;                // extract, insert: PATH (see item_path.h)
  ItemPlace place = ItemPlace::After;  // insert: --after, --into (LastSubitem), --replace
  bool json = false;                   // dump, diff, midlet: JSON output
  ConvertFlags convert;
  PhoneAction phone = PhoneAction::Info;
  bool verify = true;            // phone push: read the menu back and compare
  std::size_t midletNumber = 1;  // midlet: which MIDlet-n names the MIDlet
};

struct UsageError {
  std::string message;
};

// `args` are the arguments after the program name.
std::variant<CommandLine, UsageError> ParseCommandLine(const std::vector<std::string>& args);

extern const char kUsageText[];

}  // namespace quillet::mmatool
