#pragma once
// SaveMenuFile: turns the document into the bytes of a menu file in the chosen layout.
// Serialising is kept apart from writing to disk (see file_io.h).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu_document.h"
#include "result.h"
#include "save_options.h"

namespace quillet {

// Refuses documents the file cannot hold (more than 245 main-menu items, item data
// or offsets beyond 65,535 bytes, no document). Updates the items' kind, dataOffset
// and dataLength as the writer's rules say.
Result<std::vector<std::uint8_t>> SerializeMenu(MenuDocument& doc, const SaveOptions& options);

// Whether SerializeMenu would build the file; the refusal it would give otherwise.
// Changes nothing.
std::optional<Error> CheckSavable(const MenuDocument& doc, const SaveOptions& options);

// Serialises and writes the file safely (temporary file beside it, then rename).
Status SaveMenuFile(const std::string& path, MenuDocument& doc, const SaveOptions& options);

}  // namespace quillet
