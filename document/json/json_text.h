#pragma once
// JSON text in and out, with the failures of reading as error values.
#include <cstddef>
#include <string>
#include <string_view>

#include "json_value.h"
#include "result.h"

namespace quillet::menujson {

// Far more than the JSON form of the largest menu file (derived values, indentation and
// escaped names included); it stops a stream without end before it fills the memory.
inline constexpr std::size_t kMaxJsonTextBytes = std::size_t{16} << 20;

// Parses `text`; a syntax error (malformed UTF-8 included) becomes an Error whose
// message names the line and column, in plain ASCII.
Result<Json> ParseJsonText(std::string_view text);

// Indented by two spaces, ending in a newline. Bytes that are not UTF-8 (a file name
// from the command line) become U+FFFD and control characters are escaped, so the
// text is always valid JSON in valid UTF-8.
std::string JsonText(const Json& value);

}  // namespace quillet::menujson
