// build: the JSON form back to the menu file. The round trip through dump --json gives
// convert's bytes; an edited form gives a file that shows exactly the edit; and every
// refusal names its JSON path on one line and writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <nlohmann/json.hpp>

#include "json_form.h"
#include "json_form_writer.h"
#include "menu_loader.h"
#include "sample_menus.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using Json = menujson::Json;
using samples::BlockKinds;
using samples::EveryBlockKindMenu;

// Every file the byte-builder makes for these tests and the shipped samples.
std::vector<samples::NamedFile> LoadableFiles() {
  std::vector<samples::NamedFile> files;
  for (const int size : {22, 36}) {
    for (const bool unsupported : {true, false}) {
      for (const std::uint8_t tag : {std::uint8_t{6}, std::uint8_t{12}}) {
        files.push_back(
            {"every-" + std::to_string(size) + "-" + std::to_string(tag) + (unsupported ? "-raw" : ""),
             BuildMenuFile(EveryBlockKindMenu(BlockKinds(size, tag, size == 22 ? 3 : 1, unsupported)))});
      }
    }
    files.push_back({"small-" + std::to_string(size), BuildMenuFile(samples::SmallMenu(size, 1))});
    files.push_back({"full-" + std::to_string(size), BuildMenuFile(samples::FullMenu(size))});
  }
  files.push_back({"empty", BuildMenuFile(menubytes::MenuPlan{})});
  for (auto& warned : samples::WarnedFiles()) files.push_back(std::move(warned));
  for (const auto& entry : std::filesystem::directory_iterator(QUILLET_SAMPLES_DIR))
    files.push_back({entry.path().filename().string(), ReadBytes(entry.path().string())});
  return files;
}

TEST(Build, DumpThenBuildGivesConvertsBytesForEveryFile) {
  ScratchDir dir;
  for (const auto& file : LoadableFiles()) {
    SCOPED_TRACE(file.name);
    const std::string in = dir.write(file.name, file.bytes);
    const auto dump = RunTool({"dump", "--json", in});
    ASSERT_EQ(dump.status, 0) << dump.err;
    ASSERT_EQ(RunTool({"convert", in, dir.path("converted")}).status, 0);
    // JSON from standard input, file to standard output.
    const auto built = RunTool({"build", "-", "-"}, dump.out);
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err, "");
    EXPECT_EQ(Bytes(built.out.begin(), built.out.end()), ReadBytes(dir.path("converted")));
  }
}

// The JSON form of a file as the library writes it without derived values.
Json FormOf(const std::string& path) {
  MenuDocument doc;
  auto loaded = LoadMenuFileFromPath(path, doc);
  EXPECT_TRUE(loaded.ok());
  const LoadedOptions& l = loaded->options;
  return menujson::MenuToJson(doc, {l.layout, true, l.c698p, l.iconTag}, menujson::Derived::Omit);
}

TEST(Build, AnEditedFormGivesAFileWithExactlyThatEditAndDiffReportsIt) {
  ScratchDir dir;
  const std::string original = dir.write("original", BuildMenuFile(EveryBlockKindMenu({})));
  const Json before = Json::parse(RunTool({"dump", "--json", original}).out);

  Json edited = FormOf(original);
  Json& settings = edited["menu"][0];
  settings["data"][0]["names"][1]["text"] = "Optionen";  // a name changed
  settings["children"].push_back(edited["menu"][3]);     // an item moved
  edited["menu"].erase(3);
  edited["menu"][2]["data"] =
      Json::parse(R"([{"block": "icon path", "icon": "static", "path": "/a/x.gif"}])");
  // The dump's own text, edited the same way, builds the same file: derived values are ignored.
  Json dumpEdited = before;
  dumpEdited["menu"][0]["data"][0]["names"][1]["text"] = "Optionen";
  dumpEdited["menu"][0]["children"].push_back(dumpEdited["menu"][3]);
  dumpEdited["menu"].erase(3);
  dumpEdited["menu"][2]["data"] = edited["menu"][2]["data"];

  const std::string changed = dir.path("changed");
  ASSERT_EQ(RunTool({"build", "-", changed}, edited.dump()).status, 0);
  EXPECT_EQ(FormOf(changed), edited);
  const auto fromDump = RunTool({"build", "-", "-"}, dumpEdited.dump());
  EXPECT_EQ(Bytes(fromDump.out.begin(), fromDump.out.end()), ReadBytes(changed));

  const auto diff = RunTool({"diff", original, changed});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out,
            "changed menu[0] \"Settings\": menu names 0A: \"Einstellungen\" -> \"Optionen\"\n"
            "moved \"~LongCustomName\": menu[3] -> menu[0].children[2]\n"
            "changed menu[2] \"Myst\xC3\xA8re\": icon path static: (none) -> \"/a/x.gif\"\n");
  const Json changes = Json::parse(RunTool({"diff", "--json", original, changed}).out);
  EXPECT_EQ(changes["same"], false);
  ASSERT_EQ(changes["changes"].size(), 3u);
  EXPECT_EQ(changes["changes"][1], Json::parse(R"({"change": "moved", "from": "menu[3]",
            "to": "menu[0].children[2]", "identifier": "~LongCustomName"})"));
  EXPECT_EQ(changes["changes"][2]["to"], "/a/x.gif");
  EXPECT_TRUE(changes["changes"][2]["from"].is_null());
}

// A small valid form; each refusal below breaks one rule of it.
Json BaseForm() {
  return Json::parse(R"({
    "format": 1,
    "options": {"layout": 36, "c698p": false, "iconTag": "0C", "saveAllData": true},
    "menu": [
      {"identifier": "PhoneBook"}, {"identifier": "Games"}, {"identifier": "Tools"},
      {"identifier": "Settings", "kind": 1, "children": [
        {"identifier": "~1", "kind": 3, "flags": 24, "attributes": 96, "data": [
          {"block": "menu names", "names": [{"language": "01", "text": "a"}, {"language": "0A", "text": "b"},
                                            {"language": "20", "text": "c"}]},
          {"block": "url", "text": "http://x.org"}]}]}]})");
}

Json Names(std::size_t count, std::size_t units) {
  Json names = Json::array();
  for (std::size_t i = 0; i < count; ++i)
    names.push_back({{"language", "01"}, {"text", std::string(units, 'x')}});
  return names;
}

TEST(Build, EveryRefusalNamesItsJsonPathOnOneLineAndWritesNothing) {
  ScratchDir dir;
  const std::string out = dir.path("out");
  ASSERT_EQ(RunTool({"build", "-", out}, BaseForm().dump()).status, 0);
  std::filesystem::remove(out);

  struct Case {
    std::string expected;  // the start of the message after "mmatool: -: "
    std::function<void(Json&)> edit;
  };
  Json& (*item)(Json&) = [](Json& j) -> Json& { return j["menu"][3]["children"][0]; };
  const std::vector<Case> cases = {
      {"format: must be 1", [](Json& j) { j["format"] = 2; }},
      {"options.c698p: the c698p fix needs the 22-byte layout",
       [](Json& j) { j["options"]["c698p"] = true; }},
      {"top level: unknown member \"colour\"", [](Json& j) { j["colour"] = 1; }},
      {"softkeys: must hold exactly 7 items", [](Json& j) { j["softkeys"] = Json::array(); }},
      {"menu[1].kind: must be a whole number from 0 to 255", [](Json& j) { j["menu"][1]["kind"] = "1"; }},
      {"menu[2].attributes: must be a whole number from 0 to 255",
       [](Json& j) { j["menu"][2]["attributes"] = 256; }},
      {"menu[0].identifier: an identifier may hold only the characters U+0001 to U+00FF",
       [](Json& j) { j["menu"][0]["identifier"] = "Caf\xC4\x81"; }},
      {"menu[0].identifier: an identifier has 13 characters (at most 12)",
       [](Json& j) {
         j["options"]["layout"] = 22;
         j["menu"][0]["identifier"] = "ThirteenChars";
       }},
      {"menu[244]: a menu file holds at most 245 main-menu items",
       [](Json& j) {
         for (int i = 0; i < 241; ++i) j["menu"].push_back({{"identifier", "Games"}});
       }},
      {"menu[3].children[0].data[0].names[2].text: has 100 UTF-16 units (at most 99)",
       [=](Json& j) { item(j)["data"][0]["names"][2]["text"] = std::string(100, 'x'); }},
      {"menu[3].children[0].data[0].names: has 113 names (at most 112)",
       [=](Json& j) { item(j)["data"][0]["names"] = Names(113, 1); }},
      {"menu[3].children[0].data[0].names[0].language: must be a language ID",
       [=](Json& j) { item(j)["data"][0]["names"][0]["language"] = "1"; }},
      {"menu[3].children[0].data[1].text: the text has 256 characters (at most 255)",
       [=](Json& j) { item(j)["data"][1]["text"] = std::string(256, 'u'); }},
      {"menu[3].children[0].data[1].block: unknown block \"link\"",
       [=](Json& j) { item(j)["data"][1]["block"] = "link"; }},
      {"menu[3].children[0].data[1]: unknown member \"path\"",
       [=](Json& j) { item(j)["data"][1]["path"] = "/a"; }},
      {"menu[3].children[0].data: the item's data takes 68",
       [=](Json& j) {
         for (int i = 0; i < 3; ++i)
           item(j)["data"].push_back({{"block", "menu names"}, {"names", Names(112, 99)}});
       }},
      {"menu[3].children[0].data: has 12 blocks (at most 11)",
       [=](Json& j) {
         for (int i = 0; i < 10; ++i) item(j)["data"].push_back({{"block", "url"}, {"text", "u"}});
       }},
      {"menu[1].data[0].path: has 127 UTF-16 units (at most 126)",
       [](Json& j) {
         j["menu"][1]["data"] = {{{"block", "icon path"}, {"icon", "list"}, {"path", std::string(127, 'p')}}};
       }},
      {"menu[1].data[0].icon: must be \"list\", \"static\", \"animated\" or an icon kind byte",
       [](Json& j) {
         j["menu"][1]["data"] = {{{"block", "icon path"}, {"icon", "big"}, {"path", "/a/b"}}};
       }},
      {"menu[1].data[0].drmIndex: must be a whole number from 0 to 65535",
       [](Json& j) {
         j["menu"][1]["data"] = {{{"block", "list icon drm"}, {"drmIndex", 65536}}};
       }},
      {"menu[1].data[0].entries[0].hex: must be pairs of hexadecimal digits",
       [](Json& j) {
         j["menu"][1]["data"] = {{{"block", "unsupported"}, {"entries", {{{"tag", 7}, {"hex", "abc"}}}}}};
       }},
      {"menu[2]: The menu's item data reaches byte",
       [](Json& j) {
         for (int i = 0; i < 3; ++i)
           j["menu"][i]["data"] = {{{"block", "menu names"}, {"names", Names(112, 99)}},
                                   {{"block", "softkey titles"}, {"names", Names(50, 99)}}};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Json form = BaseForm();
    c.edit(form);
    const auto run = RunTool({"build", "-", out}, form.dump());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("mmatool: -: " + c.expected, 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line expected: " << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const auto syntax = RunTool({"build", "-", out}, "{\"format\": 1,\n \"menu\": [\x01]}");
  EXPECT_EQ(syntax.status, 1);
  EXPECT_EQ(syntax.err.rfind("mmatool: -: not valid JSON: line 2, column 11: ", 0), 0u) << syntax.err;
  EXPECT_EQ(syntax.err.find('\x01'), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace quillet::testtools
