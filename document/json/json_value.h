#pragma once
// The value type of the JSON form, declared only, so that a header naming it does not
// bring the whole JSON library into everyone who includes it: the .cpp files that build,
// read or print values include <nlohmann/json.hpp> themselves.
#include <nlohmann/json_fwd.hpp>

namespace quillet::menujson {

// Object members keep the order they are written in, so the text reads top-down.
using Json = nlohmann::ordered_json;

}  // namespace quillet::menujson
