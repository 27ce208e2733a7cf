#include "midlet_command.h"

#include <nlohmann/json.hpp>

#include "commands.h"
#include "display_text.h"
#include "json_text.h"
#include "midlet_suite.h"
#include "utf8.h"

namespace quillet::mmatool {

int RunMidlet(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::string name = InputName(line.files[0]);
  const Result<std::vector<std::uint8_t>> bytes = ReadInput(line.files[0], in, midlet::kMaxSuiteFileBytes);
  if (!bytes) {
    ReportError(name, bytes.error(), err);
    return kExitBadFile;
  }
  const Result<midlet::MidletSuite> suite = midlet::ReadMidletSuite(name, bytes.value());
  if (!suite) {
    ReportError(name, suite.error(), err);
    return kExitBadFile;
  }
  const Result<CustomTypeTexts> texts = midlet::MenuTexts(suite.value(), line.midletNumber - 1, name);
  if (!texts) {
    ReportError(name, texts.error(), err);
    return kExitBadFile;
  }
  if (line.json) {
    // The three texts as the menu stores them, and every MIDlet of the suite, so that a
    // script can see which numbers --midlet takes.
    menujson::Json json;
    json["applicationName"] = Latin1ToUtf8(texts->applicationName);
    json["midletName"] = Latin1ToUtf8(texts->midletName);
    json["midletVendor"] = Latin1ToUtf8(texts->midletVendor);
    json["midlets"] = menujson::Json::array();
    for (const midlet::Midlet& midlet : suite->midlets) {
      json["midlets"].push_back({{"name", midlet.name}, {"icon", midlet.icon}, {"class", midlet.className}});
    }
    out << menujson::JsonText(json);
  } else {
    out << "Application name: " << PrintableLatin1(texts->applicationName) << '\n'
        << "MIDlet name: " << PrintableLatin1(texts->midletName) << '\n'
        << "MIDlet vendor: " << PrintableLatin1(texts->midletVendor) << '\n';
  }
  return kExitOk;
}

}  // namespace quillet::mmatool
