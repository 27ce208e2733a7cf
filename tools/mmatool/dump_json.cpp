#include "dump_json.h"

#include <nlohmann/json.hpp>

#include "json_form_writer.h"
#include "json_text.h"

namespace quillet::mmatool {

void WriteJsonDump(const MenuInfo& info, const MenuDocument& doc, const SaveOptions& options,
                   std::ostream& out) {
  const menujson::Json menu = menujson::MenuToJson(doc, options, menujson::Derived::Include);
  // "info" second, so that a person reading the file sees what it is first.
  menujson::Json dump;
  dump["format"] = menu["format"];
  dump["info"] = InfoToJson(info);
  for (const auto& [key, value] : menu.items()) dump[key] = value;
  out << menujson::JsonText(dump);
}

}  // namespace quillet::mmatool
