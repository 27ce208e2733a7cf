#include "menu_fragment.h"

#include <utility>

#include <nlohmann/json.hpp>

#include "json_form_reader.h"
#include "json_form_writer.h"
#include "json_text.h"

namespace quillet::menujson {
namespace {

constexpr char kItemKey[] = "item";

Error Refusal(ErrorCode code, std::string message) { return Error{code, std::move(message), {}, {}, {}}; }

}  // namespace

std::string FragmentText(const MenuDocument& doc, const MenuNode& node) {
  Json j;
  j["format"] = kFormat;
  j[kItemKey] = ItemToJson(doc, node, Derived::Omit);
  return JsonText(j);
}

Result<ItemTree> ReadFragment(std::string_view text) {
  if (text.size() > kMaxJsonTextBytes) {
    return Refusal(ErrorCode::LimitExceeded,
                   "The text holds more than 16 MiB, more than any menu item takes.");
  }
  Result<Json> json = ParseJsonText(text);
  if (!json) return json.error();
  const Json& top = json.value();
  if (!top.is_object() || !top.contains(kItemKey)) {
    return Refusal(ErrorCode::InvalidValue,
                   "top level: a menu item must be an object with the member \"item\"");
  }
  for (const auto& [key, value] : top.items()) {
    if (key != "format" && key != kItemKey) {
      return Refusal(
          ErrorCode::InvalidValue,
          "top level: unknown member " + Json(key).dump(-1, ' ', false, Json::error_handler_t::replace));
    }
  }
  if (!top.contains("format") || top["format"] != kFormat) {
    return Refusal(ErrorCode::InvalidValue, "format: must be 1 (the only format this version reads)");
  }
  // Read as widely as any file allows: the target's own layout is checked when placing.
  const ItemRules rules{RecordLayout::Bytes36, true, false};
  int itemCount = 0;
  return ReadItem(top[kItemKey], kItemKey, rules, itemCount);
}

}  // namespace quillet::menujson
