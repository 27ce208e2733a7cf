#include <gtest/gtest.h>

#include <functional>
#include <set>

#include <nlohmann/json.hpp>

#include "json_form.h"
#include "json_value.h"
#include "sample_menus.h"
#include "text_codecs.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using samples::EveryBlockKindMenu;
using Value = menujson::Json;

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(Dump, TextShowsOneLinePerNodeWithItsBlocksBelow) {
  ScratchDir dir;
  const std::string file = dir.write("menu", BuildMenuFile(EveryBlockKindMenu({})));
  const auto run = RunTool({"dump", file});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string& out = run.out;
  for (const std::string line : {
           "\"Softkeys\" id=\"Container\" kind=1 flags=0x00 attributes=0x00 slot=2",
           "  \"LSK: PhoneBook\" id=\"PhoneBook\" kind=0 flags=0x00 attributes=0x41 slot=3",
           "    - softkey titles (tag 1, 45 bytes): 01 \"Contacts\", 0A \"Kontakte\"",
           "    - menu names (tag 0, 25 bytes): 01 \"Phonebook\"",
           "\"Menu Root\" id=\"MenuRoot\" kind=1 flags=0x00 attributes=0x00 slot=10",
           "  \"Settings\" id=\"Settings\" kind=1 flags=0x00 attributes=0x41 slot=11",
           "    \"~1\" id=\"~1\" kind=3 flags=0x18 attributes=0x60 slot=15",
           "      - url (tag 5, 30 bytes): \"http://example.com/?a=1&b=\\\"q\\\"\"",
           "      - icon path (tag 12, 53 bytes): list (2) \"/a/mobile/picture/web.gif\"",
           "      - list icon drm (tag 15, 4 bytes): index 513, first byte 0x01",
           "      - midlet vendor (tag 11, 11 bytes): \"Vendor Ltd\"",
           "      - animated icon drm (tag 17, 4 bytes): index 65535, first byte 0x03",
           "  \"Myst\xC3\xA8re\" id=\"Myst\xC3\xA8re\" kind=0 flags=0x00 attributes=0x41 slot=13",
           "    - unsupported (tag 254, 10 bytes): 2 file blocks",
           "        tag 7, 3 bytes: 01 02 03",
           "        tag 200, 1 bytes: ab",
       }) {
    EXPECT_TRUE(HasLine(out, line)) << "missing: " << line << "\nin:\n" << out;
  }
  // The tricky name stays on one line, escaped.
  EXPECT_TRUE(HasLine(out,
                      "    - menu names (tag 0, 47 bytes): 02 \"Say \\\"hi\\\"\\\\\\n\\t\\u0001 \xC3\x84 "
                      "\xF0\x9F\x98\x80 \xEF\xBF\xBD!\""))
      << out;
}

// Every block of every node of the JSON dump, depth first.
std::vector<const Value*> AllBlocks(const Value& dump) {
  std::vector<const Value*> blocks;
  std::function<void(const Value&)> walk = [&](const Value& node) {
    if (node.contains("data"))
      for (const Value& block : node["data"]) blocks.push_back(&block);
    if (node.contains("children"))
      for (const Value& child : node["children"]) walk(child);
  };
  for (const Value& node : dump["softkeys"]) walk(node);
  for (const Value& node : dump["menu"]) walk(node);
  return blocks;
}

// {0, k}: softkey k; {1, i, j, ...}: main-menu item i, its child j, ...
const Value& NodeAt(const Value& dump, std::initializer_list<std::size_t> path) {
  const Value* node = &dump[*path.begin() == 0 ? "softkeys" : "menu"][path.begin()[1]];
  for (auto it = path.begin() + 2; it != path.end(); ++it) node = &(*node)["children"][*it];
  return *node;
}

TEST(Dump, JsonDecodesEveryBlockKind) {
  ScratchDir dir;
  const std::string file = dir.write("menu", BuildMenuFile(EveryBlockKindMenu({})));
  const auto run = RunTool({"dump", file, "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Value dump = Value::parse(run.out);

  EXPECT_EQ(dump["info"]["file"], file);
  EXPECT_EQ(dump["info"]["recordSize"], 36);
  EXPECT_EQ(dump["info"]["recordCount"], 16);
  EXPECT_EQ(dump["info"]["customIconAttribute"], "0C");
  std::set<std::int64_t> tags;
  for (const Value* block : AllBlocks(dump)) tags.insert((*block)["tag"].get<std::int64_t>());
  EXPECT_EQ(tags, (std::set<std::int64_t>{0, 1, 5, 9, 10, 11, 12, 15, 16, 17, 254}));

  const Value& lsk = NodeAt(dump, {0, 0});
  EXPECT_EQ(lsk["caption"], "LSK: PhoneBook");
  const Value& titles = lsk["data"][0];
  EXPECT_EQ(titles["block"], "softkey titles");
  EXPECT_EQ(titles["names"][1]["language"], "0A");
  EXPECT_EQ(titles["names"][1]["text"], "Kontakte");

  const Value& settings = NodeAt(dump, {1, 0});
  EXPECT_EQ(settings["data"][0]["names"][2]["language"], "20");
  EXPECT_EQ(settings["data"][0]["names"][2]["text"], "\xE8\xAE\xBE\xE7\xBD\xAE");

  const Value& web = NodeAt(dump, {1, 0, 0});
  EXPECT_EQ(web["identifier"], "~1");
  EXPECT_EQ(web["flags"], 0x18);
  EXPECT_EQ(web["data"][0]["text"], "http://example.com/?a=1&b=\"q\"");
  EXPECT_EQ(web["data"][1]["icon"], "list");
  EXPECT_EQ(web["data"][1]["path"], "/a/mobile/picture/web.gif");
  EXPECT_EQ(web["data"][2]["drmIndex"], 513);
  EXPECT_EQ(web["data"][2]["firstByte"], 1);

  const Value& game = NodeAt(dump, {1, 0, 1});
  EXPECT_EQ(game["kind"], 6);
  EXPECT_EQ(game["data"][0]["block"], "midlet application");
  EXPECT_EQ(game["data"][0]["text"], "Game Suite");
  EXPECT_EQ(game["data"][1]["text"], "Snake");
  EXPECT_EQ(game["data"][3]["block"], "static icon drm");
  EXPECT_EQ(game["data"][4]["drmIndex"], 65535);

  const Value& phone = NodeAt(dump, {1, 1});
  EXPECT_EQ(phone["data"][0]["names"][0]["language"], "02");
  // Its lone surrogate has no UTF-8 form, so the name is kept as UTF-16 units.
  std::string units;
  for (const char16_t unit : samples::TrickyNameText()) {
    const std::uint8_t pair[] = {static_cast<std::uint8_t>(unit >> 8),
                                 static_cast<std::uint8_t>(unit & 0xFF)};
    units += HexBytes(pair, "");
  }
  EXPECT_EQ(phone["data"][0]["names"][0]["utf16"], units);
  EXPECT_FALSE(phone["data"][0]["names"][0].contains("text"));
  EXPECT_EQ(phone["data"][1]["icon"], "static");
  const Value& unsupported = phone["data"][2];
  EXPECT_EQ(unsupported["tag"], 254);
  EXPECT_EQ(unsupported["length"], 10);
  EXPECT_EQ(unsupported["entries"][0]["tag"], 7);
  EXPECT_EQ(unsupported["entries"][0]["hex"], "010203");
  EXPECT_EQ(unsupported["entries"][1]["tag"], 200);
  EXPECT_EQ(unsupported["entries"][1]["length"], 1);
  EXPECT_EQ(unsupported["entries"][1]["hex"], "ab");

  const Value& mystery = NodeAt(dump, {1, 2});
  // An identifier in no catalogue row is shown as itself; its 8-bit bytes become UTF-8.
  EXPECT_EQ(mystery["caption"], "Myst\xC3\xA8re");
  EXPECT_EQ(mystery["identifier"], "Myst\xC3\xA8re");
  EXPECT_FALSE(mystery.contains("data"));
}

TEST(Dump, JsonStaysValidUtf8WhenTheFileNameIsNot) {
  ScratchDir dir;
  const std::string file = dir.write("menu\xFF\x01\n", BuildMenuFile(samples::SmallMenu(36, 1)));
  const auto run = RunTool({"dump", "--json", file});
  ASSERT_EQ(run.status, 0) << run.err;
  const Value dump = Value::parse(run.out);  // the parser refuses malformed UTF-8
  EXPECT_EQ(dump["info"]["file"], dir.path("menu\xEF\xBF\xBD\x01\n"));
}

TEST(Dump, WarningsGoToStandardErrorAndTheJsonStaysWhole) {
  for (const auto& warned : samples::WarnedFiles()) {
    SCOPED_TRACE(warned.name);
    ScratchDir dir;
    const std::string file = dir.write(warned.name, warned.bytes);
    const auto run = RunTool({"dump", "--json", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("mmatool: warning: " + file + ": ", 0), 0u) << run.err;
    EXPECT_NO_THROW(Value::parse(run.out));
  }
}

}  // namespace
}  // namespace quillet::testtools
