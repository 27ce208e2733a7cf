// The byte-builder is the independent account of the format that the loader and writer
// tests stand on, so its own output is checked against the format's worked examples.
#include <gtest/gtest.h>

#include "menu_bytes.h"

namespace quillet {
namespace {

namespace mb = menubytes;
using mb::Bytes;

TEST(ByteBuilder, BlocksOfTheWorkedExamples) {
  EXPECT_EQ(mb::MenuNameBlock({{1, u"A"}}, 0x00), (Bytes{0, 0, 9, 1, 1, 0x00, 0, 4, 0x00, 0x41, 0, 0}));
  EXPECT_EQ(mb::UrlBlock("abc"), (Bytes{5, 0, 4, 0x61, 0x62, 0x63, 0}));
  EXPECT_EQ(mb::IconPathBlock(6, 3, u"a"), (Bytes{6, 0, 5, 3, 0, 0x61, 0, 0}));
  EXPECT_EQ(mb::DrmBlock(16, 9, 0x0102), (Bytes{16, 0, 4, 9, 0, 1, 2}));
  // End offsets add up text by text, terminators included.
  const Bytes two = mb::NameTable({{1, u"ab"}, {2, u"c"}}, 0xCD);
  EXPECT_EQ(two, (Bytes{2, 1, 0xCD, 0, 6, 2, 0xCD, 0, 10, 0, 'a', 0, 'b', 0, 0, 0, 'c', 0, 0}));
}

TEST(ByteBuilder, HeaderAndFixedRecordsPerLayout) {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  const Bytes wide = mb::BuildMenuFile(plan);
  ASSERT_EQ(wide.size(), 10u + 10 * 36);
  EXPECT_EQ(Bytes(wide.begin(), wide.begin() + 10), (Bytes{0, 1, 10, 1, 0xFF, 0xFF, 0x15, 0x02, 0xFF, 0xFF}));
  EXPECT_EQ(wide[41], 0xCC);  // the layout probe: record 0's area byte
  EXPECT_EQ(wide[mb::RecordOffset(36, 9) + 31], 0xCD);

  plan.recordSize = 22;
  plan.variant = 3;
  const Bytes narrow = mb::BuildMenuFile(plan);
  ASSERT_EQ(narrow.size(), 10u + 10 * 22);
  EXPECT_EQ(Bytes(narrow.begin(), narrow.begin() + 10),
            (Bytes{0, 3, 10, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_NE(narrow[41], 0xCC);
  const std::size_t container = mb::RecordOffset(22, 1);
  EXPECT_EQ(
      Bytes(narrow.begin() + static_cast<long>(container), narrow.begin() + static_cast<long>(container) + 6),
      (Bytes{1, 1, 2, 0xFF, 0, 0}));
}

TEST(ByteBuilder, RecordsFollowTheListOrderOfTheFormat) {
  mb::MenuPlan plan;
  auto item = [](const char* id, std::vector<mb::ItemPlan> children = {}) {
    mb::ItemPlan s;
    s.identifier = id;
    s.children = std::move(children);
    return s;
  };
  plan.items = {item("A", {item("A1", {item("A1x")}), item("A2")}), item("B"), item("C", {item("C1")})};
  const mb::RawMenu menu = mb::LayOut(plan);
  std::vector<std::string> order;
  for (std::size_t r = 10; r < menu.records.size(); ++r) order.push_back(menu.records[r].identifier);
  EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "C", "A1", "A2", "A1x", "C1"}));
  EXPECT_EQ(menu.records[10].child, 13);
  EXPECT_EQ(menu.records[10].kind, 1);
  EXPECT_EQ(menu.records[12].child, 16);
  EXPECT_EQ(menu.records[15].parent, 13);
  EXPECT_EQ(menu.records[13].next, 14);
  EXPECT_EQ(menu.records[14].next, 0xFF);
  EXPECT_EQ(menu.records[9].child, 10);
}

TEST(ByteBuilder, DataIsLaidOutInRecordOrderWithRunningOffsets) {
  mb::MenuPlan plan;
  plan.softkeys[1].data = mb::UrlBlock("x");  // 5 bytes
  mb::ItemPlan a;
  a.identifier = "A";
  mb::ItemPlan b;
  b.identifier = "B";
  b.data = mb::UrlBlock("yy");  // 6 bytes
  plan.items = {a, b};
  const mb::RawMenu menu = mb::LayOut(plan);
  EXPECT_EQ(menu.records[2].dataOffset, 0);
  EXPECT_EQ(menu.records[3].dataOffset, 0);
  EXPECT_EQ(menu.records[3].dataLength, 5);
  EXPECT_EQ(menu.records[4].dataOffset, 5);
  EXPECT_EQ(menu.records[9].dataOffset, 0);  // MenuRoot carries none
  EXPECT_EQ(menu.records[10].dataOffset, 5);
  EXPECT_EQ(menu.records[11].dataOffset, 5);
  EXPECT_EQ(menu.records[11].dataLength, 6);
  EXPECT_EQ(menu.dataArea.size(), 11u);
}

TEST(ByteBuilder, IdentifiersArePaddedOrCutToTheField) {
  mb::RawMenu menu;
  menu.recordSize = 22;
  mb::Record r;
  r.identifier = "ABCDEFGHIJKLMNOP";
  menu.records = {r};
  const Bytes bytes = mb::ToBytes(menu);
  ASSERT_EQ(bytes.size(), 32u);
  EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 28), "ABCDEFGHIJKL");
}

}  // namespace
}  // namespace quillet
