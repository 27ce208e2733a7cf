#include "commands.h"

#include <optional>
#include <string>
#include <vector>

#include "convert_options.h"
#include "dump_json.h"
#include "dump_text.h"
#include "file_io.h"
#include "menu_description.h"
#include "menu_loader.h"
#include "menu_writer.h"

namespace quillet::mmatool {
namespace {

struct LoadedFile {
  std::vector<std::uint8_t> bytes;
  LoadOutcome outcome;
};

// One line that names the file: the document's messages usually name it already.
void ReportError(const std::string& file, const Error& error, std::ostream& err) {
  err << "mmatool: ";
  if (error.message.find(file) == std::string::npos) err << file << ": ";
  err << error.message << '\n';
}

// Reads and loads `file` into `doc`; on failure reports the one line and returns
// nothing. Load warnings name what the model will not keep, so they always reach
// the user.
std::optional<LoadedFile> Load(const std::string& file, MenuDocument& doc, std::ostream& err) {
  Result<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
  if (!bytes) {
    ReportError(file, bytes.error(), err);
    return std::nullopt;
  }
  Result<LoadOutcome> outcome = LoadMenuFile(bytes.value(), doc, file);
  if (!outcome) {
    ReportError(file, outcome.error(), err);
    return std::nullopt;
  }
  for (const LoadWarning& warning : outcome->warnings)
    err << "mmatool: warning: " << file << ": " << warning.message << '\n';
  return LoadedFile{std::move(bytes.value()), std::move(outcome.value())};
}

}  // namespace

int RunInfo(const CommandLine& line, std::ostream& out, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(line.files[0], doc, err);
  if (!loaded) return kExitBadFile;
  WriteInfo(DescribeMenu(line.files[0], loaded->bytes, doc, loaded->outcome), out);
  return kExitOk;
}

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err) {
  MenuDocument doc;
  const auto loaded = Load(line.files[0], doc, err);
  if (!loaded) return kExitBadFile;
  const MenuDescription menu = DescribeMenu(line.files[0], loaded->bytes, doc, loaded->outcome);
  if (line.json) {
    WriteJsonDump(menu, out);
  } else {
    WriteTextDump(menu, out);
  }
  return kExitOk;
}

int RunConvert(const CommandLine& line, std::ostream& /*out*/, std::ostream& err) {
  const std::string& in = line.files[0];
  const std::string& outPath = line.files[1];
  MenuDocument doc;
  const auto loaded = Load(in, doc, err);
  if (!loaded) return kExitBadFile;
  const auto options = ResolveSaveOptions(loaded->outcome.options, line.convert);
  if (const auto* usage = std::get_if<UsageError>(&options)) {
    err << "mmatool: " << usage->message << '\n' << kUsageText;
    return kExitUsage;
  }
  const Status saved = SaveMenuFile(outPath, doc, std::get<SaveOptions>(options));
  if (!saved) {
    ReportError(outPath, saved.error(), err);
    return kExitBadFile;
  }
  return kExitOk;
}

}  // namespace quillet::mmatool
