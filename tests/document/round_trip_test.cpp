#include <gtest/gtest.h>

#include "menu_writer.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MustLoad;

// A menu that uses every block kind, custom items, nesting and long identifiers.
mb::MenuPlan RichMenu(int recordSize, bool withUnsupported) {
  const std::uint8_t marker = mb::NameMarker(recordSize);
  mb::MenuPlan plan;
  plan.recordSize = recordSize;
  plan.softkeys[0].data = mb::SoftkeyNameBlock({{1, u"Kontakte"}, {2, u"Contacts"}}, marker);
  plan.softkeys[3].identifier = "~1";
  plan.softkeys[3].flags = 0x18;
  plan.softkeys[3].data = mb::Concat({mb::UrlBlock("http://wap.example/"), mb::DrmBlock(15, 1, 300)});
  mb::ItemPlan custom = Item("~2", {},
                             mb::Concat({mb::MidletBlock(9, "Opera"), mb::MidletBlock(10, "Mini"),
                                         mb::MidletBlock(11, "Opera ASA")}));
  custom.flags = 0x18;
  custom.kind = 6;
  mb::ItemPlan settings =
      Item("Settings", {Item("Sounds", {}, mb::IconPathBlock(12, 2, u"/a/s.gif")), custom},
           mb::MenuNameBlock({{0x2F, u"\u041d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0438"}}, marker));
  mb::Bytes games = mb::Concat({mb::MenuNameBlock({{1, u"Spiele"}}, marker), mb::DrmBlock(17, 0, 1)});
  if (withUnsupported) games = mb::Concat({games, mb::Block(7, {0xDE, 0xAD}), mb::Block(99, {})});
  plan.items = {settings, Item("Games", {}, games), Item("Tools", {Item("Calculator"), Item("Notes")}),
                Item("WebAccess", {Item("Browser", {Item("Bookmarks", {}, mb::UrlBlock("b"))})})};
  if (recordSize == 36) plan.items.push_back(Item("AVeryLongIdentifierXY"));
  return plan;
}

SaveOptions OptionsFor(const LoadOutcome& outcome, bool saveAll) {
  SaveOptions options;
  options.layout = outcome.options.layout;
  options.c698p = outcome.options.c698p;
  options.iconTag = outcome.options.iconTag;
  options.saveAllData = saveAll;
  return options;
}

TEST(RoundTrip, CanonicalFilesAreReproducedByteForByte) {
  for (int size : {22, 36}) {
    for (bool saveAll : {false, true}) {
      const mb::Bytes original = mb::BuildMenuFile(RichMenu(size, saveAll));
      MenuDocument doc;
      const LoadOutcome outcome = MustLoad(original, doc);
      for (const LoadWarning& w : outcome.warnings) ADD_FAILURE() << w.message;
      auto saved = SerializeMenu(doc, OptionsFor(outcome, saveAll));
      ASSERT_TRUE(saved.ok());
      EXPECT_EQ(saved.value(), original) << size << " " << saveAll;
    }
  }
}

TEST(RoundTrip, VariantAndIconTagOfA22ByteFileSurvive) {
  mb::MenuPlan plan = RichMenu(22, false);
  plan.variant = 3;
  plan.items[0].children[0].data = mb::IconPathBlock(6, 2, u"/a/s.gif");
  const mb::Bytes original = mb::BuildMenuFile(plan);
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(original, doc);
  EXPECT_EQ(SerializeMenu(doc, OptionsFor(outcome, false)).value(), original);
}

TEST(RoundTrip, WriterOutputLoadsAndSavesToTheSameBytes) {
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(RichMenu(36, true)), doc);
  for (RecordLayout layout : {RecordLayout::Bytes22, RecordLayout::Bytes36}) {
    SaveOptions options;
    options.layout = layout;
    options.saveAllData = true;
    const mb::Bytes first = SerializeMenu(doc, options).value();
    MenuDocument again;
    const LoadOutcome outcome = MustLoad(first, again);
    EXPECT_EQ(SerializeMenu(again, OptionsFor(outcome, true)).value(), first);
  }
}

TEST(Conversion, ThirtySixToTwentyTwoFollowsTheByteRules) {
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(RichMenu(36, false)), doc);
  SaveOptions options;
  options.layout = RecordLayout::Bytes22;
  const mb::Bytes converted = SerializeMenu(doc, options).value();
  // The same menu built as a 22-byte file: 22-byte records, identifiers cut to 12 bytes,
  // no area bytes, name markers 0x00, header bytes 6 and 7 0xFF.
  mb::MenuPlan expected = RichMenu(22, false);
  expected.items.push_back(Item("AVeryLongIde"));
  EXPECT_EQ(converted, mb::BuildMenuFile(expected));
  EXPECT_EQ(converted[6], 0xFF);
  EXPECT_EQ(converted[7], 0xFF);
}

TEST(Conversion, TwentyTwoToThirtySixFollowsTheByteRules) {
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(RichMenu(22, false)), doc);
  SaveOptions options;
  options.layout = RecordLayout::Bytes36;
  const mb::Bytes converted = SerializeMenu(doc, options).value();
  mb::MenuPlan expected = RichMenu(36, false);
  expected.items.pop_back();  // the 22-byte menu has no long identifier
  EXPECT_EQ(converted, mb::BuildMenuFile(expected));
  EXPECT_EQ(converted[41], 0xCC);
}

}  // namespace
}  // namespace quillet
