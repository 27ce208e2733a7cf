#include "display_text.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(DisplayText, EscapesControlsAndInvalidBytesSoEveryLineIsValidUtf8) {
  // Valid UTF-8 stays; control characters, C1 codes and stray bytes become escapes.
  EXPECT_EQ(PrintableUtf8("men\xC3\xBC \xE2\x82\xAC/a\nb\tc\rd\x01\x7F"),
            "men\xC3\xBC \xE2\x82\xAC/a\\nb\\tc\\rd\\x01\\x7F");
  EXPECT_EQ(PrintableUtf8("\xC2\x85"), "\\x85");                    // U+0085, a C1 control
  EXPECT_EQ(PrintableUtf8("bad\xFF\xC3(\xE0\x80\x80\xED\xA0\x80"),  // stray, cut, overlong, surrogate
            "bad\\xFF\\xC3(\\xE0\\x80\\x80\\xED\\xA0\\x80");
  EXPECT_EQ(PrintableUtf8("\xF0\x9F\x98\x80\xF4\x90\x80\x80"), "\xF0\x9F\x98\x80\\xF4\\x90\\x80\\x80");
  // Latin-1 bytes are characters of their own value.
  EXPECT_EQ(PrintableLatin1("~Caf\xE9\n\x85"), "~Caf\xC3\xA9\\n\\x85");
  EXPECT_EQ(QuotedPath("a\nb"), "\"a\\nb\"");
}

}  // namespace
}  // namespace quillet
