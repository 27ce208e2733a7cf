#include <gtest/gtest.h>

#include "menu_writer.h"
#include "test_helpers.h"
#include "tree_commands.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using testhelp::Item;
using testhelp::MainItem;
using testhelp::MustLoad;

mb::Bytes MustSerialize(MenuDocument& doc, const SaveOptions& options) {
  auto bytes = SerializeMenu(doc, options);
  EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().message);
  return bytes.ok() ? bytes.value() : mb::Bytes{};
}

SaveOptions Options(RecordLayout layout, bool saveAll = false) {
  SaveOptions options;
  options.layout = layout;
  options.saveAllData = saveAll;
  return options;
}

std::size_t DataStart(const mb::Bytes& file, int recordSize) {
  return 10 + file[2] * static_cast<std::size_t>(recordSize);
}

TEST(Writer, NewDocumentMatchesTheFormatsFixedRecords) {
  MenuDocument doc;
  doc.NewDocument();
  mb::MenuPlan plan;
  for (auto& key : plan.softkeys) key.attributes = 0x41;
  for (int size : {22, 36}) {
    plan.recordSize = size;
    const mb::Bytes bytes =
        MustSerialize(doc, Options(size == 22 ? RecordLayout::Bytes22 : RecordLayout::Bytes36));
    EXPECT_EQ(bytes, mb::BuildMenuFile(plan)) << size;
    EXPECT_EQ(bytes[2], 10);
  }
}

TEST(Writer, HeaderVariantFollowsTheFixOnEverySave) {
  MenuDocument doc;
  doc.NewDocument();
  SaveOptions options = Options(RecordLayout::Bytes22);
  options.c698p = true;
  EXPECT_EQ(MustSerialize(doc, options)[1], 3);
  options.c698p = false;
  EXPECT_EQ(MustSerialize(doc, options)[1], 1);
}

TEST(Writer, DataOffsetsRunInRecordOrderSoftkeysFirst) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {}, mb::UrlBlock("g")), Item("Radio")};
  plan.softkeys[5].data = mb::UrlBlock("soft");
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  const mb::Bytes bytes = MustSerialize(doc, Options(RecordLayout::Bytes36));
  EXPECT_EQ(bytes, mb::BuildMenuFile(plan));
  EXPECT_EQ(doc.tree.nodeAt(6)->item().dataOffset, 0);
  EXPECT_EQ(doc.tree.nodeAt(6)->item().dataLength, 8);
  EXPECT_EQ(MainItem(doc, 0)->item().dataOffset, 8);
  EXPECT_EQ(MainItem(doc, 1)->item().dataOffset, 8 + 5);
  EXPECT_EQ(MainItem(doc, 1)->item().dataLength, 0);
}

TEST(Writer, UnsupportedDataOnlyWithSaveAllData) {
  mb::MenuPlan plan;
  plan.items = {Item("Games", {}, mb::Block(7, {1, 2})), Item("Radio", {}, mb::UrlBlock("r"))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);

  const mb::Bytes dropped = MustSerialize(doc, Options(RecordLayout::Bytes36));
  EXPECT_EQ(MainItem(doc, 0)->item().dataLength, 0);
  EXPECT_EQ(MainItem(doc, 1)->item().dataOffset, 0);  // the next item does not move
  plan.items[0].data.clear();
  EXPECT_EQ(dropped, mb::BuildMenuFile(plan));

  const mb::Bytes kept = MustSerialize(doc, Options(RecordLayout::Bytes36, true));
  plan.items[0].data = mb::Block(7, {1, 2});
  EXPECT_EQ(kept, mb::BuildMenuFile(plan));
  EXPECT_EQ(MainItem(doc, 1)->item().dataOffset, 5);
}

TEST(Writer, UnsupportedBlocksAreGroupedAtTheFirstOne) {
  mb::MenuPlan plan;
  const mb::Bytes name = mb::MenuNameBlock({{1, u"N"}}, 0xCD);
  plan.items = {Item(
      "Games", {},
      mb::Concat({name, mb::Block(3, {9}), mb::UrlBlock("u"), mb::Block(200, {}), mb::Block(14, {1, 1})}))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  const mb::Bytes bytes = MustSerialize(doc, Options(RecordLayout::Bytes36, true));
  plan.items[0].data =
      mb::Concat({name, mb::Block(3, {9}), mb::Block(200, {}), mb::Block(14, {1, 1}), mb::UrlBlock("u")});
  EXPECT_EQ(bytes, mb::BuildMenuFile(plan));
}

TEST(Writer, EmptyNameBlockAndEmptyUnsupportedBlock) {
  MenuDocument doc;
  doc.NewDocument();
  auto entry = std::make_unique<TMMAItemData>();
  TMMADataBlock names;
  names.tag = kTagSoftkeyName;
  TMMADataBlock unsupported;
  unsupported.tag = kTagUnsupported;
  entry->blocks = {names, unsupported};
  testhelp::GiveData(doc, *doc.tree.nodeAt(1), std::move(entry));
  const mb::Bytes bytes = MustSerialize(doc, Options(RecordLayout::Bytes22, true));
  const std::size_t start = DataStart(bytes, 22);
  EXPECT_EQ(mb::Bytes(bytes.begin() + static_cast<long>(start), bytes.end()), (mb::Bytes{1, 0, 1, 0}));
}

TEST(Writer, KindRules) {
  mb::MenuPlan plan;
  plan.softkeys[0].kind = 1;
  plan.items = {Item("Settings"), Item("Games"), Item("Radio", {Item("Camera")})};
  plan.items[0].kind = 1;  // a submenu whose last child was deleted
  plan.items[1].kind = 5;
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);

  const mb::Bytes all = MustSerialize(doc, Options(RecordLayout::Bytes22, true));
  auto kindAt = [](const mb::Bytes& file, int record) { return file[mb::RecordOffset(22, record)]; };
  EXPECT_EQ(kindAt(all, 2), 1);  // softkey area keeps kind 1
  EXPECT_EQ(kindAt(all, 10), 0);
  EXPECT_EQ(all[mb::RecordOffset(22, 10) + 3], 0xFF);
  EXPECT_EQ(kindAt(all, 11), 5);
  EXPECT_EQ(kindAt(all, 12), 1);

  const mb::Bytes plain = MustSerialize(doc, Options(RecordLayout::Bytes22, false));
  EXPECT_EQ(kindAt(plain, 11), 0);
  EXPECT_EQ(MainItem(doc, 1)->item().kind, 0);  // the change stays in the item
  EXPECT_EQ(MainItem(doc, 0)->item().kind, 0);
  EXPECT_EQ(kindAt(MustSerialize(doc, Options(RecordLayout::Bytes22, true)), 11), 0);
}

TEST(Writer, IconTagFollowsTheOptionAndMemoryKeepsTwelve) {
  mb::MenuPlan plan;
  plan.recordSize = 22;
  plan.items = {Item("Games", {}, mb::IconPathBlock(12, 3, u"/p.png"))};
  MenuDocument doc;
  MustLoad(mb::BuildMenuFile(plan), doc);
  SaveOptions options = Options(RecordLayout::Bytes22);
  options.iconTag = IconTag::Tag06;
  const mb::Bytes bytes = MustSerialize(doc, options);
  plan.items[0].data = mb::IconPathBlock(6, 3, u"/p.png");
  EXPECT_EQ(bytes, mb::BuildMenuFile(plan));
  EXPECT_EQ(doc.StoreEntry(11)->blocks[0].tag, kTagIconPath);
}

TEST(Writer, LengthsComeFromContentNotFromStaleFields) {
  MenuDocument doc;
  doc.NewDocument();
  auto entry = std::make_unique<TMMAItemData>();
  TMMADataBlock url;
  url.tag = kTagUrl;
  url.text = "abc";
  url.length = 1;  // stale
  entry->blocks.push_back(url);
  testhelp::GiveData(doc, *doc.tree.nodeAt(2), std::move(entry));
  const mb::Bytes bytes = MustSerialize(doc, Options(RecordLayout::Bytes36));
  mb::MenuPlan plan;
  for (auto& key : plan.softkeys) key.attributes = 0x41;
  plan.softkeys[1].data = mb::UrlBlock("abc");
  EXPECT_EQ(bytes, mb::BuildMenuFile(plan));
}

class WriterRefusals : public ::testing::Test {
 protected:
  void SetUp() override { doc.NewDocument(); }
  void ExpectRefused(ErrorCode code, const std::string& wording) {
    std::vector<TMMAItem> before;
    doc.tree.forEach([&](MenuNode& n) { before.push_back(n.item()); });
    auto bytes = SerializeMenu(doc, Options(RecordLayout::Bytes36, true));
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().code, code);
    EXPECT_NE(bytes.error().message.find(wording), std::string::npos) << bytes.error().message;
    std::vector<TMMAItem> after;
    doc.tree.forEach([&](MenuNode& n) { after.push_back(n.item()); });
    EXPECT_EQ(before, after);  // a refused save changes nothing
  }
  MenuNode* AddWithUrl(std::size_t characters) {
    MenuNode* node = doc.tree.addLastChild(doc.menuRootNode(), "Games", {});
    doc.RebuildLinks();
    auto entry = std::make_unique<TMMAItemData>();
    TMMADataBlock url;
    url.tag = kTagUrl;
    url.text.assign(characters, 'x');
    entry->blocks.push_back(url);
    testhelp::GiveData(doc, *node, std::move(entry));
    return node;
  }
  MenuDocument doc;
};

TEST_F(WriterRefusals, NoDocument) {
  doc.ClearDocument();
  ExpectRefused(ErrorCode::NoDocument, "no menu");
}

TEST_F(WriterRefusals, MoreThan245MainMenuItems) {
  for (int i = 0; i < 246; ++i) doc.tree.addLastChild(doc.menuRootNode(), "Games", {});
  ExpectRefused(ErrorCode::TooManyItems, "246 items");
  doc.tree.remove(doc.menuRootNode()->firstChild());
  doc.RebuildLinks();
  auto bytes = SerializeMenu(doc, Options(RecordLayout::Bytes22));
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value()[2], 255);
  EXPECT_EQ(bytes.value().size(), 10u + 255 * 22);
}

TEST_F(WriterRefusals, ItemDataBeyond65535Bytes) {
  AddWithUrl(65535);  // 3 + 65536
  ExpectRefused(ErrorCode::DataTooLong, "\"Games\"");
}

TEST_F(WriterRefusals, RunningOffsetBeyond65535) {
  AddWithUrl(30000);  // 30004 bytes each
  AddWithUrl(30000);
  AddWithUrl(5523);  // ends exactly at byte 65535
  AddWithUrl(0);     // 4 bytes at offset 65535: still addressable
  ASSERT_TRUE(SerializeMenu(doc, Options(RecordLayout::Bytes36)).ok());
  doc.tree.addLastChild(doc.menuRootNode(), "Radio", {});
  doc.RebuildLinks();
  ExpectRefused(ErrorCode::DataTooLong, "reaches byte 65539 at item \"Radio\"");
}

TEST_F(WriterRefusals, DataBeyondTheModelsLimits) {
  MenuNode* node = AddWithUrl(1);
  TMMAItemData data = *doc.ItemData(*node);
  data.blocks.assign(12, data.blocks[0]);
  doc.SetItemData(*node, std::move(data));
  ExpectRefused(ErrorCode::LimitExceeded, "12 data blocks");
}

}  // namespace
}  // namespace quillet
