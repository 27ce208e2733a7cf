#include "byte_text_rule.h"

#include <cstdio>

#include "format.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet {

bool IsByteTextCharacter(char32_t c) { return c != 0 && c <= 0xFF; }

Status CheckByteTextLength(std::string_view text, std::string_view what) {
  const std::size_t length = ByteTextLength(text);
  if (length <= kMaxByteTextLength) return Ok();
  return Error{ErrorCode::LimitExceeded,
               std::string(what) + " is " + std::to_string(length) + " characters long; it can be at most " +
                   std::to_string(kMaxByteTextLength) + " characters.",
               {},
               {},
               {}};
}

Result<std::string> ByteTextFromUtf8(std::string_view utf8, std::string_view what) {
  const std::optional<std::u32string> codePoints = DecodeUtf8(utf8);
  if (!codePoints)
    return Error{ErrorCode::InvalidValue, std::string(what) + " is not UTF-8 text.", {}, {}, {}};
  std::string bytes;
  for (const char32_t c : *codePoints) {
    if (!IsByteTextCharacter(c)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
      return Error{ErrorCode::InvalidValue,
                   std::string(what) + " holds the character " + code +
                       ", which the menu cannot store: only Latin-1 characters can be stored, one byte each.",
                   {},
                   {},
                   {}};
    }
    bytes += static_cast<char>(c);
  }
  if (Status fits = CheckByteTextLength(bytes, what); !fits) return fits.error();
  return bytes;
}

}  // namespace quillet
