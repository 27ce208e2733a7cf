#include "json_text.h"

#include <nlohmann/json.hpp>

namespace quillet::menujson {
namespace {

// The library's message without its prefix and without the input it quotes ("last
// read: '…'"), which may hold any bytes; what is left is kept to printable ASCII.
std::string SyntaxProblem(const std::string& what) {
  std::string text = what;
  if (const auto at = text.find("parse error at "); at != std::string::npos) text.erase(0, at + 15);
  if (const auto quoted = text.find("; last read: '"); quoted != std::string::npos) {
    const auto expected = text.find("; expected ", quoted);
    text = text.substr(0, quoted) + (expected != std::string::npos ? text.substr(expected) : "");
  }
  std::string out;
  for (const char c : text)
    if (c >= 0x20 && c < 0x7F) out += c;
  return out;
}

}  // namespace

Result<Json> ParseJsonText(std::string_view text) {
  try {
    return Json::parse(text.begin(), text.end());
  } catch (const Json::parse_error& e) {
    return Error{ErrorCode::InvalidValue, "not valid JSON: " + SyntaxProblem(e.what()), {}, e.byte, {}};
  } catch (const Json::exception& e) {  // a number too large for any type
    return Error{ErrorCode::InvalidValue, "not valid JSON: " + SyntaxProblem(e.what()), {}, {}, {}};
  }
}

std::string JsonText(const Json& value) {
  return value.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace quillet::menujson
