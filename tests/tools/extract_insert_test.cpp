// extract and insert: an item carried from one menu file to another keeps its subtree
// and data, custom items get fresh names, and every refusal writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "catalogue.h"
#include "file_io.h"
#include "item_fixtures.h"
#include "json_form.h"
#include "json_value.h"
#include "menu_fragment.h"
#include "menu_writer.h"
#include "sample_menus.h"
#include "tool_harness.h"
#include "tree_commands.h"

namespace quillet::testtools {
namespace {

using menubytes::ItemPlan;
using menujson::Json;

std::string Extract(const std::string& file, const std::string& path) {
  const ToolRun run = RunTool({"extract", file, path});
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(ExtractInsert, CarriesASubmenuWithAllItsDataToAnotherMenu) {
  ScratchDir dir;
  // Settings {~1 (URL, icon, DRM), ~2 (MIDlet texts, DRM)} with names in three languages.
  const std::string from = dir.write("from", BuildMenuFile(samples::EveryBlockKindMenu({})));
  // PhoneBook, Tools {Calculator, Notes}, Games
  const std::string to = dir.write("to", BuildMenuFile(samples::SmallMenu(36, 1)));
  const std::string settings = Extract(from, "0");
  EXPECT_EQ(Json::parse(settings)["item"]["children"].size(), 2u);
  dir.write("settings.json", Bytes(settings.begin(), settings.end()));

  ASSERT_EQ(RunTool({"insert", to, dir.path("settings.json"), "--after", "Tools", dir.path("once")}).status,
            0);
  // The target has no custom items yet: the copies are named "~1" and "~2" again.
  EXPECT_EQ(Extract(dir.path("once"), "2"), settings);
  EXPECT_EQ(Extract(dir.path("once"), "3"), Extract(to, "2"));  // Games moved down one place
  EXPECT_EQ(Extract(dir.path("once"), "1/1"), Extract(to, "1/1"));

  // A second copy from standard input, by JSON path: the custom items get fresh names.
  const ToolRun twice =
      RunTool({"insert", dir.path("once"), "-", "--after=menu[2]", dir.path("twice")}, settings);
  ASSERT_EQ(twice.status, 0) << twice.err;
  EXPECT_EQ(Extract(dir.path("twice"), "menu[3]"), Replaced(Replaced(settings, "~1", "~3"), "~2", "~4"));
  // The menu itself from standard input, the fragment from a file; never both from it.
  const auto menuBytes = ReadWholeFile(dir.path("once")).value();
  dir.write("settings.json", Bytes(settings.begin(), settings.end()));
  const ToolRun piped =
      RunTool({"insert", "-", dir.path("settings.json"), "--after=menu[2]", dir.path("piped")},
              std::string(menuBytes.begin(), menuBytes.end()));
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(ReadWholeFile(dir.path("piped")).value(), ReadWholeFile(dir.path("twice")).value());
  EXPECT_EQ(RunTool({"insert", "-", "-", "--after=menu[2]", dir.path("both")}, settings).status, 2);
  const ToolRun ambiguous = RunTool({"extract", dir.path("twice"), "Settings"});
  EXPECT_EQ(ambiguous.status, 2);
  EXPECT_NE(ambiguous.err.find("2 items have the identifier Settings (menu[2], menu[3])"), std::string::npos)
      << ambiguous.err;

  // As a subitem, and in place of a softkey's item (the softkey keeps its links).
  const std::string phoneBook = Extract(from, "1");
  dir.write("phonebook.json", Bytes(phoneBook.begin(), phoneBook.end()));
  ASSERT_EQ(RunTool({"insert", to, dir.path("phonebook.json"), "--into", "1", dir.path("into")}).status, 0);
  EXPECT_EQ(Extract(dir.path("into"), "1/2"), phoneBook);
  ASSERT_EQ(RunTool({"insert", to, dir.path("phonebook.json"), "--into", "menu", dir.path("last")}).status,
            0);
  EXPECT_EQ(Extract(dir.path("last"), "3"), phoneBook);
  const std::string key = Extract(from, "softkeys[0]");
  dir.write("key.json", Bytes(key.begin(), key.end()));
  ASSERT_EQ(RunTool({"insert", to, dir.path("key.json"), "--replace", "softkeys[3]", dir.path("key")}).status,
            0);
  EXPECT_EQ(Extract(dir.path("key"), "softkeys[3]"), key);
}

TEST(ExtractInsert, RefusalsNameTheProblemAndWriteNothing) {
  ScratchDir dir;
  menubytes::MenuPlan wide = samples::SmallMenu(36, 1);
  ItemPlan longId;
  longId.identifier = "LongIdentifier";  // 14 bytes: wider than a 22-byte record's field
  wide.items.push_back(longId);
  const std::string from = dir.write("from", BuildMenuFile(wide));
  const std::string tools = Extract(from, "Tools");
  dir.write("tools.json", Bytes(tools.begin(), tools.end()));
  const std::string longJson = Extract(from, "3");
  dir.write("long.json", Bytes(longJson.begin(), longJson.end()));

  menubytes::MenuPlan nearlyFull = samples::FullMenu(36);
  nearlyFull.items[0].children.resize(4);  // 243 items: room for two
  const std::string full = dir.write("full", BuildMenuFile(nearlyFull));
  const std::string small22 = dir.write("small22", BuildMenuFile(samples::SmallMenu(22, 3)));

  Json names =
      Json::parse(R"({"format": 1, "item": {"identifier": "Games", "data": [{"block": "menu names"}]}})");
  Json& list = names["item"]["data"][0]["names"] = Json::array();
  for (int i = 0; i < 113; ++i) list.push_back(Json{{"language", "01"}, {"text", "x"}});
  const std::string namesText = names.dump();
  dir.write("names.json", Bytes(namesText.begin(), namesText.end()));
  const std::string orphans =
      R"({"format": 1, "item": {"identifier": "PhoneBook", "children": [{"identifier": "Games"}]}})";
  dir.write("orphans.json", Bytes(orphans.begin(), orphans.end()));
  dir.write("garbage.json", Bytes{'n', 'o', 't', ' ', '{'});
  const std::string menuForm = R"({"format": 1, "menu": []})";
  dir.write("menu.json", Bytes(menuForm.begin(), menuForm.end()));

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::string out = dir.path("out");
  const std::vector<Case> cases = {
      {{"insert", full, dir.path("tools.json"), "--after", "0", out},
       1,
       "1 of the 3 items would not fit: the main menu holds 243 of at most 245 items"},
      {{"insert", small22, dir.path("long.json"), "--after", "0", out},
       1,
       "\"LongIdentifier\" has 14 characters; a 22-byte menu holds identifiers of at most 12"},
      {{"insert", small22, dir.path("names.json"), "--after", "0", out},
       1,
       "item.data[0].names: has 113 names (at most 112)"},
      {{"insert", small22, dir.path("orphans.json"), "--after", "0", out}, 1, "would lose subitems"},
      {{"insert", small22, dir.path("tools.json"), "--replace", "softkeys[0]", out},
       1,
       "would lose subitems"},
      {{"insert", small22, dir.path("tools.json"), "--into", "Games", out}, 1, "cannot have subitems"},
      {{"insert", small22, dir.path("tools.json"), "--after", "softkeys[0]", out},
       1,
       "beside main-menu items only"},
      {{"insert", small22, dir.path("garbage.json"), "--after", "0", out}, 1, "line 1"},
      {{"insert", small22, dir.path("menu.json"), "--after", "0", out}, 1, "the member \"item\""},
      {{"insert", small22, dir.path("tools.json"), "--after", "7", out}, 2, "no item at 7"},
      {{"extract", small22, "1/9"}, 2, "no item at 1/9"},
      {{"extract", small22, "Camera"}, 2, "no item has the identifier Camera"},
      {{"extract", small22, "menu"}, 2, "Menu Root holds no item of its own"},
      {{"insert", small22, dir.path("tools.json"), out}, 2, "insert needs --after PATH"},
      {{"insert", small22, dir.path("tools.json"), "--after", "0", "--into", "1", out}, 2, "one of --after"},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.status, c.status) << c.message << ": " << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.message;
  }
}

// Data offsets in a file are 16-bit: two items of about 46 KB of data each fit, a third
// would start beyond 65,535, so its paste is taken back whole instead of failing at the
// next save.
TEST(ExtractInsert, APasteThatOverflowsTheDataAreaChangesNothing) {
  std::vector<TMMANameEntry> names;
  for (std::uint8_t language = 0; language < 112; ++language)
    names.push_back({language, std::u16string(99, u'n')});
  MenuDocument doc;
  doc.NewDocument();
  MenuNode* big = nullptr;
  for (const char* identifier : {"Games", "Tools"}) {
    big = AddCatalogueItem(doc, *doc.menuRootNode(), CatalogueIndex(identifier), ItemPlace::LastSubitem)
              .value()
              .node;
    doc.SetItemData(*big, test::ItemWith({test::NamesBlock(kTagMenuName, names),
                                          test::NamesBlock(kTagSoftkeyName, names)}));
  }
  const SaveOptions options;
  const auto before = SerializeMenu(doc, options);
  ASSERT_TRUE(before.ok()) << before.error().message;

  const auto copy = menujson::ReadFragment(menujson::FragmentText(doc, *big));
  ASSERT_TRUE(copy.ok()) << copy.error().message;
  const auto placed = PlaceFragment(doc, *big, ItemPlace::After, copy.value(), options, false);
  ASSERT_FALSE(placed.ok());
  EXPECT_NE(placed.error().message.find("at most 65535 bytes"), std::string::npos) << placed.error().message;
  EXPECT_EQ(doc.mainMenuItemCount(), 2);
  EXPECT_EQ(SerializeMenu(doc, options).value(), before.value());
}

}  // namespace
}  // namespace quillet::testtools
