#include <gtest/gtest.h>

#include <random>

#include "menu_writer.h"
#include "test_helpers.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MainItem;
using testhelp::MustLoad;

// A document with content, so that a refused load visibly has to keep it.
void Populate(MenuDocument& doc) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {}, mb::UrlBlock("u")), Item("~7")};
  MustLoad(mb::BuildMenuFile(plan), doc);
}

void ExpectRefused(const mb::Bytes& bytes, ErrorCode code, const std::string& wording) {
  MenuDocument doc;
  Populate(doc);
  const std::uint8_t customBefore = doc.CustomItemCount;
  const int recordSizeBefore = doc.RecordSize;
  auto outcome = LoadMenuFile(bytes, doc, "phone/mma_ucp");
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().code, code);
  EXPECT_NE(outcome.error().message.find("\"phone/mma_ucp\""), std::string::npos) << outcome.error().message;
  EXPECT_NE(outcome.error().message.find(wording), std::string::npos) << outcome.error().message;
  EXPECT_EQ(outcome.error().path, "phone/mma_ucp");
  // The open document stays exactly as it was.
  EXPECT_EQ(doc.mainMenuItemCount(), 2);
  EXPECT_EQ(MainItem(doc, 1)->caption(), "~7");
  EXPECT_EQ(doc.DataItemCount(), 1);
  EXPECT_NE(doc.ItemData(*MainItem(doc, 0)), nullptr);
  EXPECT_EQ(doc.CustomItemCount, customBefore);
  EXPECT_EQ(doc.RecordSize, recordSizeBefore);
}

std::string AllWarnings(const LoadOutcome& outcome) {
  std::string all;
  for (const LoadWarning& w : outcome.warnings) all += w.message + "\n";
  return all;
}

TEST(RefusedFiles, TooShortForTheLayoutProbe) {
  ExpectRefused({}, ErrorCode::FileTooShort, "0 bytes");
  ExpectRefused(mb::Bytes(41, 0), ErrorCode::FileTooShort, "41 bytes");
}

TEST(RefusedFiles, TooShortForTheFixedRecords) {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  mb::Bytes wide = mb::BuildMenuFile(plan);
  wide.resize(10 + 9 * 36 - 1);
  ExpectRefused(wide, ErrorCode::FileTooShort, "need 334");
  plan.recordSize = 22;
  mb::Bytes narrow = mb::BuildMenuFile(plan);
  narrow.resize(100);
  ExpectRefused(narrow, ErrorCode::FileTooShort, "need 208");
}

TEST(RefusedFiles, RecordCountBelowTheFixedRecords) {
  mb::MenuPlan plan;
  mb::RawMenu raw = mb::LayOut(plan);
  raw.recordCount = 9;
  ExpectRefused(mb::ToBytes(raw), ErrorCode::BadRecordTable, "fewer than the 10 fixed records");
}

TEST(RefusedFiles, RecordTableCutShort) {
  mb::MenuPlan plan;
  plan.items = {Item("Games"), Item("Radio")};
  mb::Bytes bytes = mb::BuildMenuFile(plan);
  bytes.resize(bytes.size() - 5);
  ExpectRefused(bytes, ErrorCode::BadRecordTable, "cut short");
}

TEST(RefusedFiles, DataAreaShorterThanAnItemsData) {
  mb::MenuPlan plan;
  plan.items = {Item("~4", {}, mb::UrlBlock("http://example"))};
  mb::Bytes bytes = mb::BuildMenuFile(plan);
  bytes.pop_back();
  ExpectRefused(bytes, ErrorCode::DataOutOfRange, "\"~4\"");

  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[10].dataOffset = 0xFFFF;  // far outside, must not wrap or read past the end
  ExpectRefused(mb::ToBytes(raw), ErrorCode::DataOutOfRange, "beyond the end of the file");
}

TEST(LinkFaults, ASubmenuLinkToItselfIsNotFollowed) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings"), Item("Games")};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[10].child = 10;
  raw.records[11].child = 10;
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 2);
  ASSERT_EQ(outcome.warnings.size(), 2u);
  EXPECT_EQ(outcome.warnings[0].kind, LoadWarningKind::SubmenuLinkIgnored);
  EXPECT_NE(
      AllWarnings(outcome).find("Item \"Settings\" (record 10): its submenu link points to record 10, which "
                                "was already read"),
      std::string::npos)
      << AllWarnings(outcome);
}

TEST(LinkFaults, AListClaimedTwiceIsReadOnce) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings", {Item("Sounds"), Item("Theme")}), Item("Tools")};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[11].child = 12;  // Tools claims the Settings submenu too
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 4);
  EXPECT_EQ(MainItem(doc, 0)->childCount(), 2u);
  EXPECT_FALSE(MainItem(doc, 3)->hasChildren());
  EXPECT_NE(AllWarnings(outcome).find("\"Tools\""), std::string::npos);
}

TEST(LinkFaults, ASubmenuInsideItsOwnListEndsThatList) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings"), Item("Games"), Item("Radio")};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[10].child = 11;  // the submenu starts inside the list being read
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.mainMenuItemCount(), 3);
  EXPECT_EQ(MainItem(doc, 0)->childCount(), 2u);
  EXPECT_NE(AllWarnings(outcome).find("already read; the list ends there"), std::string::npos);
}

TEST(LinkFaults, LinksOutsideTheMainMenuAreNotFollowed) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings"), Item("Games")};
  mb::RawMenu raw = mb::LayOut(plan);
  raw.records[10].child = 3;    // a softkey record
  raw.records[11].child = 200;  // beyond the record table
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(doc.tree.nodeCount(), 11);
  EXPECT_EQ(outcome.warnings.size(), 2u);
  EXPECT_NE(AllWarnings(outcome).find("record 200, which is not a main-menu record"), std::string::npos);
}

TEST(LinkFaults, LinksToMenuRootAndToTheRecordCountAreNotFollowedButTheLastRecordIs) {
  mb::MenuPlan plan;
  plan.items = {Item("Settings"), Item("Games"), Item("Radio", {Item("Camera")})};
  mb::RawMenu raw = mb::LayOut(plan);
  ASSERT_EQ(raw.records.size(), 14u);
  ASSERT_EQ(raw.records[12].child, 13);  // the last record of the table, followed
  raw.records[10].child = 9;             // Menu Root
  raw.records[11].child = 14;            // the record count: one past the table
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(testhelp::Captions(doc).back(), "Camera");
  EXPECT_FALSE(MainItem(doc, 0)->hasChildren());
  EXPECT_FALSE(MainItem(doc, 1)->hasChildren());
  ASSERT_EQ(outcome.warnings.size(), 2u) << AllWarnings(outcome);
  EXPECT_NE(outcome.warnings[0].message.find("record 9, which is not a main-menu record"), std::string::npos);
  EXPECT_NE(outcome.warnings[1].message.find("record 14, which is not a main-menu record"),
            std::string::npos);
}

// A file whose 16-bit data offsets wrapped past 65,535 (a writer that did not check
// them) loads, but no save can write it, which the user learns at once.
TEST(DataOffsets, AFileWhoseDataRunPastTheOffsetRangeWarnsThatItCannotBeSaved) {
  std::vector<mb::Bytes> blocks(10, mb::Block(7, mb::Bytes(2000, 0x55)));  // 20,030 bytes of data
  const mb::Bytes data = mb::Concat(blocks);
  mb::MenuPlan plan;
  plan.items = {Item("~1", {}, data), Item("~2", {}, data), Item("~3", {}, data), Item("~4", {}, data),
                Item("Games")};
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::BuildMenuFile(plan), doc);
  ASSERT_EQ(outcome.warnings.size(), 1u) << AllWarnings(outcome);
  EXPECT_NE(outcome.warnings[0].message.find("cannot be saved as it is"), std::string::npos);
  EXPECT_NE(outcome.warnings[0].message.find("65535 bytes of item data"), std::string::npos);
  SaveOptions all;
  all.saveAllData = true;
  EXPECT_FALSE(SerializeMenu(doc, all).ok());

  plan.items.pop_back();  // the last item's data may end past 65,535; none may start there
  EXPECT_TRUE(MustLoad(mb::BuildMenuFile(plan), doc).warnings.empty());
}

// Child lists in another order than the writer's still load: each item keeps its own
// data, gets the record index its tree position gives, and messages name the file's record.
TEST(LinkFaults, ChildListsOutOfTheWritersOrder) {
  mb::RawMenu raw = mb::LayOut(mb::MenuPlan{});
  auto record = [](const char* id, std::uint8_t parent, std::uint8_t child) {
    mb::Record r;
    r.identifier = id;
    r.parent = parent;
    r.child = child;
    return r;
  };
  raw.records[9].child = 10;
  raw.records.push_back(record("Settings", 9, 14));       // 10
  raw.records.push_back(record("Tools", 9, 12));          // 11
  raw.records.push_back(record("Notes", 11, 0xFF));       // 12
  raw.records.push_back(record("Calculator", 11, 0xFF));  // 13
  raw.records.push_back(record("Sounds", 10, 0xFF));      // 14
  const mb::Bytes notes = mb::UrlBlock("n");
  const mb::Bytes broken = mb::Block(5, {'x'});
  raw.records[12].dataLength = static_cast<std::uint16_t>(notes.size());
  raw.records[14].dataOffset = static_cast<std::uint16_t>(notes.size());
  raw.records[14].dataLength = static_cast<std::uint16_t>(broken.size());
  raw.dataArea = mb::Concat({notes, broken});
  MenuDocument doc;
  const LoadOutcome outcome = MustLoad(mb::ToBytes(raw), doc);
  EXPECT_EQ(testhelp::Captions(doc).back(), "Calculator");
  const MenuNode* sounds = MainItem(doc, 1);
  const MenuNode* notesNode = MainItem(doc, 3);
  ASSERT_EQ(sounds->caption(), "Sounds");
  EXPECT_EQ(sounds->item().slot, 13);
  EXPECT_EQ(notesNode->item().slot, 14);
  EXPECT_EQ(doc.StoreEntry(14)->blocks[0].text, "n");
  EXPECT_EQ(doc.StoreEntry(13)->blocks[0].tag, kTagUnsupported);
  ASSERT_EQ(outcome.warnings.size(), 1u);
  EXPECT_EQ(outcome.warnings[0].message.rfind("Item \"Sounds\" (record 14): ", 0), 0u)
      << outcome.warnings[0].message;
}

class OverLimitData : public ::testing::Test {
 protected:
  // Loads one main-menu item "Games" with `data` and returns the warnings.
  std::string Load(const mb::Bytes& data) {
    mb::MenuPlan plan;
    plan.items = {Item("Games", {}, data)};
    const LoadOutcome outcome = MustLoad(mb::BuildMenuFile(plan), doc);
    const std::string all = AllWarnings(outcome);
    kinds.clear();
    for (const LoadWarning& w : outcome.warnings) {
      EXPECT_EQ(w.message.rfind("Item \"Games\" (record 10): ", 0), 0u) << w.message;
      kinds.push_back(w.kind);
    }
    return all;
  }
  // The kinds of the last load's warnings, in order.
  std::vector<LoadWarningKind> kinds;
  const TMMAItemData* Entry() const { return doc.StoreEntry(11); }
  MenuDocument doc;
};

TEST_F(OverLimitData, MoreThanElevenBlocks) {
  std::vector<mb::Bytes> blocks;
  for (int i = 0; i < 13; ++i) blocks.push_back(mb::UrlBlock(std::string("u").append(std::to_string(i))));
  const std::string warnings = Load(mb::Concat(blocks));
  ASSERT_NE(Entry(), nullptr);
  EXPECT_EQ(Entry()->blocks.size(), 11u);
  EXPECT_EQ(Entry()->blocks.back().text, "u10");
  EXPECT_NE(warnings.find("beyond the 11 data blocks"), std::string::npos);
  EXPECT_EQ(kinds, std::vector<LoadWarningKind>(2, LoadWarningKind::BlockDropped));
}

TEST_F(OverLimitData, TooManyNamesAreKeptVerbatimAsUnsupportedData) {
  std::vector<mb::Name> names(113, mb::Name{1, u"n"});
  const mb::Bytes block = mb::MenuNameBlock(names, 0);
  const std::string warnings = Load(block);
  ASSERT_NE(Entry(), nullptr);
  ASSERT_EQ(Entry()->blocks.size(), 1u);
  EXPECT_EQ(Entry()->blocks[0].tag, kTagUnsupported);
  EXPECT_EQ(Entry()->blocks[0].raw[0].data, mb::Bytes(block.begin() + 3, block.end()));
  EXPECT_NE(warnings.find("113 names (at most 112)"), std::string::npos);
  EXPECT_NE(warnings.find("Save all data"), std::string::npos);
}

TEST_F(OverLimitData, NameLongerThanNinetyNineUnits) {
  const std::string warnings = Load(mb::MenuNameBlock({{1, std::u16string(100, u'x')}}, 0));
  EXPECT_EQ(Entry()->blocks[0].tag, kTagUnsupported);
  EXPECT_NE(warnings.find("100 characters (at most 99)"), std::string::npos);
}

TEST_F(OverLimitData, UrlLongerThan255CharactersIsKeptAsUnsupportedData) {
  const std::string warnings = Load(mb::UrlBlock(std::string(256, 'u')));
  EXPECT_EQ(Entry()->blocks[0].tag, kTagUnsupported);
  EXPECT_NE(warnings.find("256 characters (at most 255)"), std::string::npos);
}

TEST_F(OverLimitData, MoreThanElevenUnsupportedBlocks) {
  std::vector<mb::Bytes> blocks;
  for (int i = 0; i < 12; ++i) blocks.push_back(mb::Block(7, {static_cast<std::uint8_t>(i)}));
  const std::string warnings = Load(mb::Concat(blocks));
  EXPECT_EQ(Entry()->blocks[0].raw.size(), 11u);
  EXPECT_EQ(Entry()->blocks[0].length, 11 * 4);
  EXPECT_NE(warnings.find("beyond the 11 unsupported blocks"), std::string::npos);
}

TEST_F(OverLimitData, UnsupportedBlockLongerThanTheRawLimit) {
  const std::string warnings = Load(mb::Concat({mb::Block(20, mb::Bytes(2049, 1)), mb::UrlBlock("kept")}));
  ASSERT_NE(Entry(), nullptr);
  ASSERT_EQ(Entry()->blocks.size(), 1u);
  EXPECT_EQ(Entry()->blocks[0].text, "kept");
  EXPECT_NE(warnings.find("tag 20 has 2049 bytes"), std::string::npos);
}

TEST_F(OverLimitData, MalformedRecognisedBlocksBecomeUnsupportedData) {
  const mb::Bytes noZero = mb::Block(5, {'a', 'b'});
  const mb::Bytes shortDrm = mb::Block(16, {1, 0, 2});
  mb::Bytes emptyName = mb::Block(0, {1, 1, 0, 0, 0});              // one name whose text has no bytes
  mb::Bytes outside = mb::Block(1, {1, 1, 0, 0, 9, 0, 'a', 0, 0});  // end offset past the block
  const std::string warnings = Load(mb::Concat({noZero, shortDrm, emptyName, outside}));
  ASSERT_EQ(Entry()->blocks.size(), 1u);
  EXPECT_EQ(Entry()->blocks[0].raw.size(), 4u);
  EXPECT_EQ(Entry()->blocks[0].raw[1].tag, 16);
  EXPECT_NE(warnings.find("no closing zero byte"), std::string::npos);
  EXPECT_NE(warnings.find("3 bytes instead of 4"), std::string::npos);
  EXPECT_NE(warnings.find("name 1 is not a terminated UTF-16 text"), std::string::npos);
  EXPECT_NE(warnings.find("name 1 lies outside the block"), std::string::npos);
  EXPECT_EQ(kinds, std::vector<LoadWarningKind>(4, LoadWarningKind::BlockKeptUnsupported));
}

// A zero unit or byte inside a text, or bytes after the last name, would be lost at the
// next save if the block were decoded: such blocks are kept verbatim and written back
// byte for byte with "Save all data".
TEST_F(OverLimitData, ZerosInsideTextsAndBytesAfterTheLastNameAreKeptVerbatim) {
  const mb::Bytes data = mb::Concat({
      mb::Block(0, {1, 1, 0, 0, 8, 0, 'a', 0, 0, 0, 'b', 0, 0}),  // name "a", zero unit, "b"
      mb::Block(12, {2, 0, '/', 0, 0, 0, 'x', 0, 0}),             // icon path "/", zero unit, "x"
      mb::Block(5, {'a', 0, 'b', 0}),                             // URL
      mb::Block(10, {'m', 0, 'n', 0}),                            // MIDlet name
      mb::Block(1, {1, 1, 0, 0, 4, 0, 'a', 0, 0, 0xEE, 0xEE}),    // two bytes after the last name
  });
  const std::string warnings = Load(data);
  ASSERT_NE(Entry(), nullptr);
  ASSERT_EQ(Entry()->blocks.size(), 1u);
  EXPECT_EQ(Entry()->blocks[0].raw.size(), 5u);
  EXPECT_NE(warnings.find("name 1 is not a terminated UTF-16 text"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("its path is not a terminated UTF-16 text"), std::string::npos);
  EXPECT_NE(warnings.find("tag 5 cannot be read (its text holds a zero byte before its end)"),
            std::string::npos);
  EXPECT_NE(warnings.find("tag 10 cannot be read (its text holds a zero byte"), std::string::npos);
  EXPECT_NE(warnings.find("it has 2 bytes after its last name"), std::string::npos);

  SaveOptions all;
  all.saveAllData = true;
  const auto written = SerializeMenu(doc, all);
  ASSERT_TRUE(written.ok());
  ASSERT_GE(written.value().size(), data.size());
  EXPECT_EQ(
      mb::Bytes(written.value().end() - static_cast<std::ptrdiff_t>(data.size()), written.value().end()),
      data);
}

TEST_F(OverLimitData, ABlockRunningPastTheItemsDataEndsIt) {
  mb::Bytes data = mb::Concat({mb::UrlBlock("ok"), mb::BlockWithLength(5, 50, {'x', 0})});
  const std::string warnings = Load(data);
  ASSERT_EQ(Entry()->blocks.size(), 1u);
  EXPECT_EQ(Entry()->blocks[0].text, "ok");
  EXPECT_NE(warnings.find("runs past the end of the item's 11 bytes"), std::string::npos);
  EXPECT_EQ(kinds, std::vector<LoadWarningKind>{LoadWarningKind::BlockCutShort});
  // A lone tag byte with no room for its length is cut the same way.
  Load(mb::Bytes{5});
  EXPECT_EQ(Entry(), nullptr);
}

// Random damage to a valid file must end in a load or a refusal, never in a crash or a
// read outside the bytes (the sanitizer build checks the latter).
TEST(DamagedFiles, RandomDamageIsLoadedOrRefused) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  plan.softkeys[2].data = mb::SoftkeyNameBlock({{1, u"Up"}, {2, u"Auf"}}, 0);
  plan.items = {Item("Settings", {Item("~2", {}, mb::Concat({mb::UrlBlock("http://q"), mb::Block(7, {1})})),
                                  Item("Sounds", {}, mb::IconPathBlock(6, 3, u"/i.gif"))}),
                Item("Games", {}, mb::DrmBlock(16, 1, 5))};
  const mb::Bytes good = mb::BuildMenuFile(plan);
  std::mt19937 random(42);
  for (int round = 0; round < 3000; ++round) {
    mb::Bytes bytes = good;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    if (random() % 4 == 0) bytes.resize(random() % bytes.size());
    MenuDocument doc;
    auto outcome = LoadMenuFile(bytes, doc, "damaged");
    if (outcome.ok()) {
      EXPECT_LE(doc.mainMenuItemCount(), kMaxMainMenuItems);
      EXPECT_GE(doc.tree.nodeCount(), kFixedNodeCount);
    } else {
      EXPECT_TRUE(doc.tree.empty());
    }
  }
}

}  // namespace
}  // namespace quillet
