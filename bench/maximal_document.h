#pragma once
// The largest menu a file can hold, built in memory through the document's own
// operations: 245 main-menu items nested four levels deep plus the seven softkeys,
// each with menu names in four languages, a list icon path and a URL, close to the
// 64 KiB that 16-bit data offsets allow.
#include "menu_document.h"

namespace quillet::bench {

void BuildMaximalDocument(MenuDocument& doc);

}  // namespace quillet::bench
