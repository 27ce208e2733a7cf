#include "json_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "json_value.h"

namespace quillet::mmatool {
namespace {

TEST(JsonQuote, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonQuote("plain"), "\"plain\"");
  EXPECT_EQ(JsonQuote("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonQuote("\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
  EXPECT_EQ(JsonQuote(std::string("\x01\x1F\x00", 3)), "\"\\u0001\\u001f\\u0000\"");
  EXPECT_EQ(JsonQuote("\x7F"), "\"\x7F\"");
}

TEST(JsonQuote, PassesUtf8Unchanged) {
  EXPECT_EQ(JsonQuote("\xC3\xA4 \xE8\xAE\xBE \xF0\x9F\x98\x80"), "\"\xC3\xA4 \xE8\xAE\xBE \xF0\x9F\x98\x80\"");
}

TEST(JsonQuote, EveryAsciiCharacterSurvivesAParse) {
  std::string all;
  for (int c = 0; c < 0x80; ++c) all += static_cast<char>(c);
  all += "\xC3\xA4";
  EXPECT_EQ(testjson::Parse(JsonQuote(all)).string, all);
}

TEST(JsonWriter, WritesNestedContainersThatParseBack) {
  std::ostringstream out;
  JsonWriter json(out);
  json.beginObject();
  json.field("name", "x\"y");
  json.field("count", 3);
  json.field("big", std::int64_t{65535});
  json.field("yes", true);
  json.key("empty");
  json.beginArray();
  json.endArray();
  json.key("list");
  json.beginArray();
  json.value(1);
  json.beginObject();
  json.endObject();
  json.value("two");
  json.endArray();
  json.endObject();

  const testjson::Value v = testjson::Parse(out.str());
  EXPECT_EQ(v["name"].string, "x\"y");
  EXPECT_EQ(v["count"].integer(), 3);
  EXPECT_EQ(v["big"].integer(), 65535);
  EXPECT_TRUE(v["yes"].boolean);
  EXPECT_TRUE(v["empty"].array.empty());
  ASSERT_EQ(v["list"].array.size(), 3u);
  EXPECT_EQ(v["list"][0].integer(), 1);
  EXPECT_EQ(v["list"][1].type, testjson::Value::Type::Object);
  EXPECT_EQ(v["list"][2].string, "two");
  EXPECT_EQ(out.str().back(), '\n');
}

}  // namespace
}  // namespace quillet::mmatool
