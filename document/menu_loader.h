#pragma once
// LoadMenuFile: turns the bytes of a menu file into the document's tree and store.
#include <cstdint>
#include <string>
#include <vector>

#include "menu_document.h"
#include "result.h"
#include "save_options.h"

namespace quillet {

// Loads `bytes` into a new document that replaces `doc` only when the load succeeded;
// on failure `doc` stays exactly as it was. Data the model cannot keep is reported in the
// outcome's warnings. `source` names the file in messages.
Result<LoadOutcome> LoadMenuFile(const std::vector<std::uint8_t>& bytes, MenuDocument& doc,
                                 const std::string& source);

// Reads the file and loads it.
Result<LoadOutcome> LoadMenuFileFromPath(const std::string& path, MenuDocument& doc);

}  // namespace quillet
