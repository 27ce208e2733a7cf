#pragma once
// Windows speaks UTF-16; the core keeps every path and message in UTF-8. These convert
// at the edge, where a Windows call is made (Windows builds only).
#include <optional>
#include <string>
#include <string_view>

namespace quillet::windows {

// UTF-8 to UTF-16 for the wide (W) calls; nothing when `text` is not valid UTF-8.
std::optional<std::wstring> Wide(std::string_view text);

// UTF-16 from a wide call to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

// The system's words for an error code of GetLastError, without the closing period.
std::string Reason(unsigned long error);

}  // namespace quillet::windows
