// Feeds arbitrary bytes to the menu file loader. When a file loads, the document is
// written in several save forms; each result must load again, warning only about
// blocks kept verbatim because they could not be decoded, and saved once more with the
// same options give the same bytes: the writer's own output is always a sound file and
// a round trip through the loader never changes it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "menu_document.h"
#include "menu_loader.h"
#include "menu_writer.h"

namespace {

using quillet::ErrorCode;
using quillet::IconTag;
using quillet::RecordLayout;
using quillet::SaveOptions;

[[noreturn]] void Fail(const char* what, const SaveOptions& options, const char* detail) {
  std::fprintf(stderr, "menu_loader_fuzzer: %s (layout %s, saveAllData %d, c698p %d, tag %s): %s\n", what,
               options.layout == RecordLayout::Bytes22 ? "22" : "36", options.saveAllData ? 1 : 0,
               options.c698p ? 1 : 0, options.iconTag == IconTag::Tag06 ? "06" : "0C", detail);
  std::abort();
}

// A loaded document may hold more data than one file can (records sharing their data
// bytes are laid out one after another when written); refusing that is correct.
bool IsCapacityRefusal(ErrorCode code) {
  return code == ErrorCode::DataTooLong || code == ErrorCode::TooManyItems;
}

// A block the loader could not decode is kept byte for byte as unsupported data; the
// writer then writes the same undecodable bytes, so their warning comes back. Any other
// warning on the writer's output means writer and loader disagree.
bool IsKeptVerbatim(const quillet::LoadWarning& warning) {
  return warning.kind == quillet::LoadWarningKind::BlockKeptUnsupported;
}

void CheckRoundTrip(quillet::MenuDocument& doc, const SaveOptions& options) {
  auto first = quillet::SerializeMenu(doc, options);
  if (!first) {
    if (IsCapacityRefusal(first.error().code)) return;
    Fail("a loaded document was refused", options, first.error().message.c_str());
  }
  quillet::MenuDocument reloaded;
  auto again = quillet::LoadMenuFile(first.value(), reloaded, "written");
  if (!again) Fail("the writer's output does not load", options, again.error().message.c_str());
  for (const quillet::LoadWarning& warning : again->warnings) {
    if (!IsKeptVerbatim(warning))
      Fail("the writer's output loads with a warning", options, warning.message.c_str());
  }
  auto second = quillet::SerializeMenu(reloaded, options);
  if (!second) Fail("the reloaded output was refused", options, second.error().message.c_str());
  if (second.value() != first.value())
    Fail("load and save changed the writer's output", options, "bytes differ");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  quillet::MenuDocument doc;
  auto loaded = quillet::LoadMenuFile(bytes, doc, "fuzz input");
  if (!loaded) return 0;
  CheckRoundTrip(doc, {RecordLayout::Bytes36, true, false, IconTag::Tag0C});
  CheckRoundTrip(doc, {RecordLayout::Bytes22, true, true, IconTag::Tag06});
  CheckRoundTrip(doc, {RecordLayout::Bytes22, false, false, IconTag::Tag0C});
  return 0;
}
