#include "commands.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bounded_read.h"
#include "convert_options.h"
#include "display_text.h"
#include "dump_json.h"
#include "dump_text.h"
#include "file_io.h"
#include "file_io_errors.h"
#include "item_path.h"
#include "json_form_reader.h"
#include "json_form_writer.h"
#include "json_text.h"
#include "menu_description.h"
#include "menu_diff.h"
#include "menu_fragment.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "tree_commands.h"

namespace quillet::mmatool {

// "-" stands for standard input (IN) and standard output (OUT), so mmatool fits in a pipe.
constexpr char kStandardStream[] = "-";
const char kStandardInputName[] = "standard input";

// One line that names the file: the document's messages usually name it already. Every
// part is printable UTF-8, so no file name can break the line or the terminal.
void ReportError(const std::string& file, const Error& error, std::ostream& err) {
  err << "mmatool: ";
  if (error.message.find(QuotedPath(file)) == std::string::npos) err << PrintableUtf8(file) << ": ";
  err << PrintableUtf8(error.message) << '\n';
}

std::string InputName(const std::string& file) { return file == kStandardStream ? kStandardInputName : file; }

Result<std::vector<std::uint8_t>> ReadInput(const std::string& file, std::istream& in, std::uint64_t limit) {
  if (file != kStandardStream) return ReadWholeFile(file, limit);
  return fileio::ReadToEnd(kStandardInputName, 0, limit,
                           [&](std::uint8_t* at, std::size_t room) -> Result<std::size_t> {
                             in.read(reinterpret_cast<char*>(at), static_cast<std::streamsize>(room));
                             if (in.bad())
                               return fileio::ReadError(kStandardInputName, "it could not be read");
                             return static_cast<std::size_t>(in.gcount());
                           });
}

std::optional<LoadedFile> Load(const std::string& file, std::istream& in, MenuDocument& doc,
                               std::ostream& err) {
  const std::string name = InputName(file);
  Result<std::vector<std::uint8_t>> bytes = ReadInput(file, in, kMaxMenuFileBytes);
  if (!bytes) {
    ReportError(name, bytes.error(), err);
    return std::nullopt;
  }
  Result<LoadOutcome> outcome = LoadMenuFile(bytes.value(), doc, name);
  if (!outcome) {
    ReportError(name, outcome.error(), err);
    return std::nullopt;
  }
  for (const LoadWarning& warning : outcome->warnings)
    err << "mmatool: warning: " << PrintableUtf8(name) << ": " << PrintableUtf8(warning.message) << '\n';
  return LoadedFile{name, std::move(bytes.value()), std::move(outcome.value())};
}

bool WriteOutput(const std::string& file, const std::vector<std::uint8_t>& bytes, std::ostream& out,
                 std::ostream& err) {
  if (file == kStandardStream) {
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (out) return true;
    err << "mmatool: -: cannot write standard output\n";
    return false;
  }
  const Status written = WriteFileAtomically(file, bytes);
  if (!written) ReportError(file, written.error(), err);
  return written.ok();
}

namespace {

// The standard stream for "-", else the named file; the whole text either way.
std::optional<std::string> ReadText(const std::string& file, std::istream& in, std::ostream& err) {
  Result<std::vector<std::uint8_t>> bytes = ReadInput(file, in, menujson::kMaxJsonTextBytes);
  if (!bytes) {
    ReportError(InputName(file), bytes.error(), err);
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

// A loaded file in the JSON form without derived values: what `diff` compares.
std::optional<menujson::Json> LoadForm(const std::string& file, std::istream& in, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(file, in, doc, err);
  if (!loaded) return std::nullopt;
  const auto options = ResolveSaveOptions(loaded->outcome.options, {});
  return menujson::MenuToJson(doc, std::get<SaveOptions>(options), menujson::Derived::Omit);
}

}  // namespace

int RunInfo(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(line.files[0], in, doc, err);
  if (!loaded) return kExitBadFile;
  WriteInfo(DescribeMenu(loaded->name, loaded->bytes, doc, loaded->outcome), out);
  return kExitOk;
}

int RunDump(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(line.files[0], in, doc, err);
  if (!loaded) return kExitBadFile;
  const MenuInfo info = DescribeMenu(loaded->name, loaded->bytes, doc, loaded->outcome);
  if (line.json) {
    // The options convert would save with, so that build gives convert's bytes.
    const auto options = ResolveSaveOptions(loaded->outcome.options, {});
    WriteJsonDump(info, doc, std::get<SaveOptions>(options), out);
  } else {
    WriteTextDump(info, doc, out);
  }
  return kExitOk;
}

int RunConvert(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::string& outPath = line.files[1];
  MenuDocument doc;
  const auto loaded = Load(line.files[0], in, doc, err);
  if (!loaded) return kExitBadFile;
  const auto options = ResolveSaveOptions(loaded->outcome.options, line.convert);
  if (const auto* usage = std::get_if<UsageError>(&options)) {
    err << "mmatool: " << usage->message << '\n' << kUsageText;
    return kExitUsage;
  }
  Result<std::vector<std::uint8_t>> bytes = SerializeMenu(doc, std::get<SaveOptions>(options));
  if (!bytes) {
    ReportError(outPath, bytes.error(), err);
    return kExitBadFile;
  }
  return WriteOutput(outPath, bytes.value(), out, err) ? kExitOk : kExitBadFile;
}

int RunBuild(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::string& from = line.files[0];
  const std::optional<std::string> text = ReadText(from, in, err);
  if (!text) return kExitBadFile;
  const Result<std::vector<std::uint8_t>> bytes = menujson::BuildMenuFile(*text);
  if (!bytes) {
    // The message starts with the JSON path and never names the file itself.
    err << "mmatool: " << from << ": " << bytes.error().message << '\n';
    return kExitBadFile;
  }
  return WriteOutput(line.files[1], bytes.value(), out, err) ? kExitOk : kExitBadFile;
}

int RunExtract(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(line.files[0], in, doc, err);
  if (!loaded) return kExitBadFile;
  const Result<MenuNode*> node = FindItem(doc, line.itemPath);
  if (!node || !CanCopy(doc, *node.value())) {
    err << "mmatool: " << PrintableUtf8(loaded->name) << ": "
        << (node ? "Menu Root holds no item of its own; extract its items one by one" : node.error().message)
        << '\n';
    return kExitUsage;
  }
  out << menujson::FragmentText(doc, *node.value());
  return kExitOk;
}

int RunInsert(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  if (line.files[0] == kStandardStream && line.files[1] == kStandardStream) {
    err << "mmatool: FILE and FRAGMENT cannot both be read from standard input\n" << kUsageText;
    return kExitUsage;
  }
  MenuDocument doc;
  const auto loaded = Load(line.files[0], in, doc, err);
  if (!loaded) return kExitBadFile;
  const Result<MenuNode*> target = FindItem(doc, line.itemPath);
  if (!target) {
    err << "mmatool: " << PrintableUtf8(loaded->name) << ": " << target.error().message << '\n';
    return kExitUsage;
  }
  const std::string& from = line.files[1];
  const std::optional<std::string> text = ReadText(from, in, err);
  if (!text) return kExitBadFile;
  const Result<menujson::ItemTree> fragment = menujson::ReadFragment(*text);
  if (!fragment) {
    err << "mmatool: " << PrintableUtf8(from) << ": " << fragment.error().message << '\n';
    return kExitBadFile;
  }
  const SaveOptions options = std::get<SaveOptions>(ResolveSaveOptions(loaded->outcome.options, {}));
  // A script cannot answer the question, so subitems are never dropped behind its back.
  const Result<PlacedEdit> placed =
      PlaceFragment(doc, *target.value(), line.place, fragment.value(), options, false);
  if (!placed) {
    err << "mmatool: " << PrintableUtf8(loaded->name) << ": " << placed.error().message << '\n';
    return kExitBadFile;
  }
  const std::string& outPath = line.files[2];
  Result<std::vector<std::uint8_t>> bytes = SerializeMenu(doc, options);
  if (!bytes) {
    ReportError(outPath, bytes.error(), err);
    return kExitBadFile;
  }
  return WriteOutput(outPath, bytes.value(), out, err) ? kExitOk : kExitBadFile;
}

int RunDiff(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::optional<menujson::Json> a = LoadForm(line.files[0], in, err);
  if (!a) return kExitUsage;
  const std::optional<menujson::Json> b = LoadForm(line.files[1], in, err);
  if (!b) return kExitUsage;
  const std::vector<MenuChange> changes = DiffMenus(*a, *b);
  if (line.json) {
    WriteDiffJson(changes, out);
  } else {
    WriteDiffText(changes, out);
  }
  return changes.empty() ? kExitOk : kExitBadFile;
}

}  // namespace quillet::mmatool
