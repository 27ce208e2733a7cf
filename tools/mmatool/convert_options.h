#pragma once
// The save options of `mmatool convert`: they start as the main window would show
// them right after loading IN, then the flags apply with the window's rule that the
// 36-byte layout writes icon tag "0C" and no c698p fix.
#include <variant>

#include "command_line.h"
#include "save_options.h"

namespace quillet::mmatool {

// Starts from `loaded` (layout, c698p box and icon tag as loading left them; note a
// 36-byte file whose icon blocks carry tag 6 keeps "06", as the window keeps it).
// --layout 36 acts like clicking "36-byte": icon tag "0C", no c698p. Asking for the
// c698p fix or icon tag "06" while the resulting layout is 36-byte is a usage error,
// never silently ignored. Unsupported data is kept unless --drop-unsupported.
std::variant<SaveOptions, UsageError> ResolveSaveOptions(const LoadedOptions& loaded,
                                                         const ConvertFlags& flags);

}  // namespace quillet::mmatool
