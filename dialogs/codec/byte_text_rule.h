#pragma once
// What a custom type's texts (the URL and the three MIDlet texts) may hold. The menu keeps
// them as 8-bit byte texts ended by a zero byte, so each character is one of U+0001 to
// U+00FF, one byte each, and a new text holds at most 255 of them. The dialog's edits,
// the item codec and the Java application reader all ask here, so they refuse the same.
#include <string>
#include <string_view>

#include "result.h"

namespace quillet {

// U+0001 to U+00FF: the characters a byte text can hold.
bool IsByteTextCharacter(char32_t c);

// Refuses a text longer than 255 characters (LimitExceeded); the message starts with
// `what` ("The URL is 300 characters long; ...").
Status CheckByteTextLength(std::string_view text, std::string_view what);

// A UTF-8 text as a byte text, refused (with `what` starting the message) when it is not
// UTF-8, holds a character outside the rule or is longer than 255 characters.
Result<std::string> ByteTextFromUtf8(std::string_view utf8, std::string_view what);

}  // namespace quillet
