#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "json_value.h"
#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using samples::EveryBlockKindMenu;
using testjson::Value;

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
  EXPECT_TRUE(HasLine(out, "    - menu names (tag 0, 47 bytes): 02 \"Say \\\"hi\\\"\\\\\\n\\t\\u0001 \xC3\x84 "
                           "\xF0\x9F\x98\x80 \xEF\xBF\xBD!\""))
      << out;
}

// Every block of every node of the JSON dump, depth first.
std::vector<const Value*> AllBlocks(const Value& dump) {
  std::vector<const Value*> blocks;
  std::function<void(const Value&)> walk = [&](const Value& node) {
    for (const Value& block : node["data"].array) blocks.push_back(&block);
    for (const Value& child : node["children"].array) walk(child);
  };
  for (const Value& node : dump["nodes"].array) walk(node);
  return blocks;
}

const Value& NodeAt(const Value& dump, std::initializer_list<std::size_t> path) {
  const Value* node = &dump["nodes"][*path.begin()];
  for (auto it = path.begin() + 1; it != path.end(); ++it) node = &(*node)["children"][*it];
  return *node;
}

TEST(Dump, JsonDecodesEveryBlockKind) {
  ScratchDir dir;
  const std::string file = dir.write("menu", BuildMenuFile(EveryBlockKindMenu({})));
  const auto run = RunTool({"dump", file, "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Value dump = testjson::Parse(run.out);

  EXPECT_EQ(dump["file"].string, file);
  EXPECT_EQ(dump["recordSize"].integer(), 36);
  EXPECT_EQ(dump["recordCount"].integer(), 16);
  EXPECT_EQ(dump["customIconAttribute"].string, "0C");
  std::set<std::int64_t> tags;
  for (const Value* block : AllBlocks(dump)) tags.insert((*block)["tag"].integer());
  EXPECT_EQ(tags, (std::set<std::int64_t>{0, 1, 5, 9, 10, 11, 12, 15, 16, 17, 254}));

  const Value& lsk = NodeAt(dump, {0, 0});
  EXPECT_EQ(lsk["caption"].string, "LSK: PhoneBook");
  const Value& titles = lsk["data"][0];
  EXPECT_EQ(titles["block"].string, "softkey titles");
  EXPECT_EQ(titles["names"][1]["language"].string, "0A");
  EXPECT_EQ(titles["names"][1]["text"].string, "Kontakte");

  const Value& settings = NodeAt(dump, {1, 0});
  EXPECT_EQ(settings["data"][0]["names"][2]["language"].string, "20");
  EXPECT_EQ(settings["data"][0]["names"][2]["text"].string, "\xE8\xAE\xBE\xE7\xBD\xAE");

  const Value& web = NodeAt(dump, {1, 0, 0});
  EXPECT_EQ(web["identifier"].string, "~1");
  EXPECT_EQ(web["flags"].integer(), 0x18);
  EXPECT_EQ(web["data"][0]["text"].string, "http://example.com/?a=1&b=\"q\"");
  EXPECT_EQ(web["data"][1]["iconKindName"].string, "list");
  EXPECT_EQ(web["data"][1]["path"].string, "/a/mobile/picture/web.gif");
  EXPECT_EQ(web["data"][2]["drmIndex"].integer(), 513);
  EXPECT_EQ(web["data"][2]["firstByte"].integer(), 1);

  const Value& game = NodeAt(dump, {1, 0, 1});
  EXPECT_EQ(game["kind"].integer(), 6);
  EXPECT_EQ(game["data"][0]["block"].string, "midlet application");
  EXPECT_EQ(game["data"][0]["text"].string, "Game Suite");
  EXPECT_EQ(game["data"][1]["text"].string, "Snake");
  EXPECT_EQ(game["data"][3]["block"].string, "static icon drm");
  EXPECT_EQ(game["data"][4]["drmIndex"].integer(), 65535);

  const Value& phone = NodeAt(dump, {1, 1});
  EXPECT_EQ(phone["data"][0]["names"][0]["language"].string, "02");
  EXPECT_EQ(phone["data"][0]["names"][0]["text"].string, samples::TrickyNameUtf8());
  EXPECT_EQ(phone["data"][1]["iconKind"].integer(), 3);
  const Value& unsupported = phone["data"][2];
  EXPECT_EQ(unsupported["tag"].integer(), 254);
  EXPECT_EQ(unsupported["length"].integer(), 10);
  EXPECT_EQ(unsupported["entries"][0]["tag"].integer(), 7);
  EXPECT_EQ(unsupported["entries"][0]["hex"].string, "010203");
  EXPECT_EQ(unsupported["entries"][1]["tag"].integer(), 200);
  EXPECT_EQ(unsupported["entries"][1]["length"].integer(), 1);
  EXPECT_EQ(unsupported["entries"][1]["hex"].string, "ab");

  const Value& mystery = NodeAt(dump, {1, 2});
  // An identifier in no catalogue row is shown as itself; its 8-bit bytes become UTF-8.
  EXPECT_EQ(mystery["caption"].string, "Myst\xC3\xA8re");
  EXPECT_EQ(mystery["identifier"].string, "Myst\xC3\xA8re");
  EXPECT_TRUE(mystery["data"].array.empty());
}

TEST(Dump, WarningsGoToStandardErrorAndTheJsonStaysWhole) {
  for (const auto& warned : samples::WarnedFiles()) {
    SCOPED_TRACE(warned.name);
    ScratchDir dir;
    const std::string file = dir.write(warned.name, warned.bytes);
    const auto run = RunTool({"dump", "--json", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("mmatool: warning: " + file + ": ", 0), 0u) << run.err;
    EXPECT_NO_THROW(testjson::Parse(run.out));
  }
}

}  // namespace
}  // namespace quillet::testtools
