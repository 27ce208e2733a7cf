#include "sample_menus.h"

namespace quillet::samples {

using namespace menubytes;

namespace {

ItemPlan Item(std::string identifier, Bytes data = {}, std::uint8_t kind = 0, std::uint8_t flags = 0,
              std::uint8_t attributes = 0x41) {
  ItemPlan item;
  item.identifier = std::move(identifier);
  item.data = std::move(data);
  item.kind = kind;
  item.flags = flags;
  item.attributes = attributes;
  return item;
}

}  // namespace

std::u16string TrickyNameText() {
  // quote, backslash, newline, tab, U+0001, "Ä", U+1F600 as a pair, a lone high surrogate
  return u"Say \"hi\"\\\n\t\x01 \u00C4 \xD83D\xDE00 \xD800!";
}

std::string TrickyNameUtf8() { return "Say \"hi\"\\\n\t\x01 \xC3\x84 \xF0\x9F\x98\x80 \xEF\xBF\xBD!"; }

MenuPlan EveryBlockKindMenu(const BlockKindOptions& options) {
  const std::uint8_t marker = NameMarker(options.recordSize);
  MenuPlan plan;
  plan.recordSize = options.recordSize;
  plan.variant = options.variant;
  plan.softkeys[0].data = Concat({SoftkeyNameBlock({{0x01, u"Contacts"}, {0x0A, u"Kontakte"}}, marker),
                                  MenuNameBlock({{0x01, u"Phonebook"}}, marker)});

  const ItemPlan web =
      Item("~1",
           Concat({UrlBlock("http://example.com/?a=1&b=\"q\""),
                   IconPathBlock(options.iconTag, 2, u"/a/mobile/picture/web.gif"), DrmBlock(15, 1, 513)}),
           3, 0x18, 0x60);
  const ItemPlan game =
      Item("~2",
           Concat({MidletBlock(9, "Game Suite"), MidletBlock(10, "Snake"), MidletBlock(11, "Vendor Ltd"),
                   DrmBlock(16, 2, 7), DrmBlock(17, 3, 65535)}),
           6, 0x18, 0x60);

  ItemPlan settings =
      Item("Settings",
           MenuNameBlock({{0x01, u"Settings"}, {0x0A, u"Einstellungen"}, {0x20, u"\u8BBE\u7F6E"}}, marker));
  settings.children = {web, game};

  std::vector<Bytes> phoneBook{MenuNameBlock({{0x02, TrickyNameText()}}, marker),
                               IconPathBlock(options.iconTag, 3, u"/a/pic/ph.png")};
  if (options.unsupported) {
    phoneBook.push_back(Block(7, {0x01, 0x02, 0x03}));
    phoneBook.push_back(Block(200, {0xAB}));
  }
  plan.items = {settings, Item("PhoneBook", Concat(phoneBook), 0, 0x08), Item("Myst\xE8re"),
                Item(options.longCustomId, UrlBlock("http://x.org"), 3, 0x18)};
  return plan;
}

MenuPlan SmallMenu(int recordSize, std::uint8_t variant) {
  MenuPlan plan;
  plan.recordSize = recordSize;
  plan.variant = variant;
  ItemPlan tools = Item("Tools", MenuNameBlock({{0x01, u"Tools"}}, NameMarker(recordSize)));
  tools.children = {Item("Calculator"), Item("Notes")};
  plan.items = {Item("PhoneBook"), tools, Item("Games")};
  return plan;
}

MenuPlan FullMenu(int recordSize) {
  MenuPlan plan;
  plan.recordSize = recordSize;
  int made = 0;
  auto item = [&]() {
    ++made;
    std::string id(1, '~');  // appended: GCC 12 at -O3 warns falsely on "~" + std::string
    id += std::to_string(made);
    ItemPlan it = Item(id);
    if (made % 5 == 0) it.data = MenuNameBlock({{0x01, u"Item"}}, NameMarker(recordSize));
    return it;
  };
  // 35 top-level items with 6 children each: 245.
  for (int t = 0; t < 35; ++t) {
    ItemPlan top = item();
    for (int c = 0; c < 6; ++c) top.children.push_back(item());
    plan.items.push_back(top);
  }
  return plan;
}

std::vector<NamedFile> RefusedFiles() {
  std::vector<NamedFile> files;
  const Bytes small = BuildMenuFile(SmallMenu(22, 1));
  files.push_back({"empty", {}});
  files.push_back({"no-layout-probe", Bytes(small.begin(), small.begin() + 41)});
  files.push_back({"short-fixed-records", Bytes(small.begin(), small.begin() + 150)});

  RawMenu fewRecords = LayOut(SmallMenu(22, 1));
  fewRecords.recordCount = 9;
  files.push_back({"too-few-records", ToBytes(fewRecords)});

  RawMenu cut = LayOut(SmallMenu(36, 1));
  cut.recordCount = 40;  // far more records than the file holds
  files.push_back({"record-table-cut", ToBytes(cut)});

  RawMenu overrun = LayOut(SmallMenu(36, 1));
  overrun.records[11].dataLength = 400;  // "Tools": its names end long before that
  files.push_back({"data-beyond-file", ToBytes(overrun)});
  return files;
}

std::vector<NamedFile> WarnedFiles() {
  std::vector<NamedFile> files;
  RawMenu loop = LayOut(SmallMenu(22, 1));
  loop.records[14].child = 10;  // "Notes" claims the top-level list as its submenu
  files.push_back({"child-loop", ToBytes(loop)});

  RawMenu orphan = LayOut(SmallMenu(36, 1));
  orphan.records[11].child = 0xFF;  // "Tools" forgets its children: records 13, 14 unreached
  files.push_back({"unreached-records", ToBytes(orphan)});

  MenuPlan overlong = SmallMenu(36, 1);
  overlong.items[0].data = BlockWithLength(0, 60, NameTable({{0x01, u"Short"}}, 0xCD));
  files.push_back({"block-past-item-end", BuildMenuFile(overlong)});
  return files;
}

}  // namespace quillet::samples
