#pragma once
// The commands of mmatool. Each returns the exit status: 0 success, 1 a bad or
// unreadable file (one line on `err` naming the file), 2 bad usage.
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "menu_document.h"
#include "menu_loader.h"
#include "result.h"

namespace quillet::mmatool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitUsage = 2;

struct LoadedFile {
  std::string name;  // how messages and output name the input
  std::vector<std::uint8_t> bytes;
  LoadOutcome outcome;
};

// One line that names the file: the document's messages usually name it already.
void ReportError(const std::string& file, const Error& error, std::ostream& err);
// How messages name an input: "-" is standard input.
std::string InputName(const std::string& file);
// The whole of `file`, or of `in` for "-", refused beyond `limit` bytes.
Result<std::vector<std::uint8_t>> ReadInput(const std::string& file, std::istream& in, std::uint64_t limit);
// Writes `bytes` to standard output (`out`) for "-", else to the named file, replaced
// only after a complete write; on failure reports the one line and returns false.
bool WriteOutput(const std::string& file, const std::vector<std::uint8_t>& bytes, std::ostream& out,
                 std::ostream& err);
// Reads and loads `file` (`in` for "-") into `doc`; on failure reports the one line and returns
// nothing. Load warnings name what the model will not keep, so they always reach
// the user.
std::optional<LoadedFile> Load(const std::string& file, std::istream& in, MenuDocument& doc,
                               std::ostream& err);

int RunInfo(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
int RunDump(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
int RunConvert(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
// Every command reads standard input from `in` where a file is named "-".
int RunBuild(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
// extract: the fragment of one item on `out`. insert reads the fragment from `in` when
// FRAGMENT is "-". A PATH that names no item is bad usage (2).
int RunExtract(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
int RunInsert(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);
// diff: 0 the same menu, 1 they differ, 2 trouble (a file that cannot be loaded).
int RunDiff(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quillet::mmatool
