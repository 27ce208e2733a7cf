#pragma once
// Text for people: every message and every line of output is valid UTF-8 in which
// control characters are escaped, whatever bytes a menu file or a file name held. A
// line break in a caption or a file name can then never split a message line, and no
// terminal or window receives raw control codes.
#include <string>
#include <string_view>

namespace quillet {

// UTF-8 text such as a file name: valid sequences stay as they are, every byte that is
// not part of one becomes "\xNN", and control characters (below U+0020, U+007F and
// U+0080 to U+009F) become "\n", "\r", "\t" or "\xNN".
std::string PrintableUtf8(std::string_view bytes);

// 8-bit byte text (identifiers, captions), each byte read as the Latin-1 character of
// the same value, with control characters escaped as above.
std::string PrintableLatin1(std::string_view bytes);

// How messages name a file: its printable name in double quotes.
std::string QuotedPath(std::string_view path);
// How messages name an item: its printable 8-bit caption in double quotes.
std::string QuotedCaption(std::string_view caption);

}  // namespace quillet
