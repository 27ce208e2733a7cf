#include "shipped_samples.h"

#include "format.h"

namespace quillet::shipped {

namespace {

using namespace menubytes;

ItemPlan Item(const std::string& identifier, std::vector<ItemPlan> children = {}, Bytes data = {}) {
  ItemPlan item;
  item.identifier = identifier;
  item.children = std::move(children);
  item.data = std::move(data);
  return item;
}

std::vector<ItemPlan> PlainMainMenu() {
  return {Item("PhoneBook"),
          Item("RecentCall"),
          Item("Message"),
          Item("WebAccess"),
          Item("Mutilmedia", {Item("Camera"), Item("Pictures"), Item("Video")}),
          Item("Settings",
               {Item("Personalize"), Item("Sounds"), Item("Connection", {Item("Bluetooth"), Item("Sync")})}),
          Item("Tools", {Item("Calculator"), Item("Datebook"), Item("AlarmClock")}),
          Item("Games")};
}

SampleFile Plain22() {
  MenuPlan plan;
  plan.recordSize = kRecordSize22;
  plan.items = {Item("PhoneBook"),
                Item("Message"),
                Item("RecentCall"),
                Item("Settings", {Item("Sounds"), Item("Lights")}),
                Item("Tools", {Item("Calculator"), Item("Notes")}),
                Item("Games")};
  return {"mma_ucp_22byte", BuildMenuFile(plan)};
}

SampleFile Plain36() {
  MenuPlan plan;
  plan.recordSize = kRecordSize36;
  plan.items = PlainMainMenu();
  return {"mma_ucp_36byte", BuildMenuFile(plan)};
}

SampleFile Rich36() {
  constexpr std::uint8_t kEnglishUs = 0x01, kGerman = 0x07, kRussian = 0x23, kChineseSimple = 0x05,
                         kJapanese = 0x19;
  const std::uint8_t marker = NameMarker(kRecordSize36);
  MenuPlan plan;
  plan.recordSize = kRecordSize36;
  plan.softkeys[0].data = SoftkeyNameBlock({{kEnglishUs, u"Contacts"}, {kGerman, u"Kontakte"}}, marker);
  plan.softkeys[1].data =
      SoftkeyNameBlock({{kEnglishUs, u"Inbox"}, {kRussian, u"\u0412\u0445\u043E\u0434"}}, marker);

  ItemPlan phoneBook =
      Item("PhoneBook", {},
           Concat({MenuNameBlock({{kEnglishUs, u"Contacts"},
                                  {kGerman, u"Kontakte"},
                                  {kRussian, u"\u041A\u043E\u043D\u0442\u0430\u043A\u0442\u044B"},
                                  {kChineseSimple, u"\u8054\u7CFB\u4EBA"},
                                  {kJapanese, u"\u9023\u7D61\u5148"}},
                                 marker),
                   IconPathBlock(kTagIconPath, kIconKindList, u"/a/mobile/picture/contacts.gif")}));
  ItemPlan news = Item("~1", {},
                       Concat({MenuNameBlock({{kEnglishUs, u"News"}, {kGerman, u"Nachrichten"}}, marker),
                               UrlBlock("http://wap.example.org/news")}));
  news.flags = kFlagsCustom;
  news.kind = kKindUrl;
  news.attributes = kLinkedItemAttributes;
  ItemPlan chess =
      Item("~2", {},
           Concat({MenuNameBlock({{kEnglishUs, u"Chess"}}, marker), MidletBlock(kTagMidletApp, "Chess"),
                   MidletBlock(kTagMidletName, "ChessMIDlet"), MidletBlock(kTagMidletVendor, "Example Games"),
                   DrmBlock(kTagIconDrmStatic, 0, 12)}));
  chess.flags = kFlagsCustom;
  chess.kind = kKindMidlet;
  chess.attributes = kLinkedItemAttributes;
  ItemPlan favourites = Item("~3", {news, chess}, MenuNameBlock({{kEnglishUs, u"Favourites"}}, marker));
  favourites.flags = kFlagsCustom;
  // Blocks the editor keeps without interpreting them (tags 7 and 20).
  ItemPlan settings = Item("Settings", {Item("Sounds"), Item("Personalize")},
                           Concat({MenuNameBlock({{kEnglishUs, u"Setup"}}, marker),
                                   Block(7, {0x01, 0x02, 0x03}), Block(20, {0xCA, 0xFE})}));
  plan.items = {phoneBook,         Item("Message"), favourites,
                Item("WebAccess"), settings,        Item("Tools", {Item("Calculator"), Item("AlarmClock")})};
  return {"mma_ucp_custom", BuildMenuFile(plan)};
}

}  // namespace

std::vector<SampleFile> SampleFiles() { return {Plain22(), Plain36(), Rich36()}; }

}  // namespace quillet::shipped
