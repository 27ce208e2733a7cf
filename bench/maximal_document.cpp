#include "maximal_document.h"

#include <memory>
#include <string>

namespace quillet::bench {
namespace {

constexpr std::size_t kNameUnits = 17;

// A name of exactly kNameUnits units: a per-language word, the item number, padding.
std::u16string NameText(const std::u16string& word, int number) {
  std::u16string text = word;
  for (const char c : std::to_string(number)) text += static_cast<char16_t>(c);
  text.resize(kNameUnits, u'.');
  return text;
}

std::u16string Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "~" + std::string.
std::string CustomId(int number) {
  std::string id(1, '~');
  id += std::to_string(number);
  return id;
}

std::unique_ptr<TMMAItemData> ItemDataFor(int number) {
  auto data = std::make_unique<TMMAItemData>();
  TMMADataBlock names;
  names.tag = kTagMenuName;
  names.names = {{0x01, NameText(u"Item ", number)},
                 {0x02, NameText(u"Eintrag ", number)},
                 {0x0A, NameText(u"Пункт ", number)},
                 {0x20, NameText(u"項目 ", number)}};
  TMMADataBlock icon;
  icon.tag = kTagIconPath;
  icon.iconKind = kIconKindList;
  icon.path = Wide("/a/mobile/picture/item" + std::to_string(number) + ".gif");
  TMMADataBlock url;
  url.tag = kTagUrl;
  url.text = "http://wap.example.com/i/" + std::to_string(number);
  for (TMMADataBlock* block : {&names, &icon, &url}) {
    RefreshLength(*block);
    data->blocks.push_back(std::move(*block));
  }
  return data;
}

void Attach(MenuDocument& doc, MenuNode& node, int number) {
  doc.SetItemData(node, std::move(*ItemDataFor(number)));
}

TMMAItem MenuItem(int number) {
  TMMAItem item;
  item.identifier = CustomId(number);
  item.flags = kFlagsCustom;
  item.attributes = kLinkedItemAttributes;
  item.area = kAreaMainMenu;
  item.canHaveSubmenu = 1;
  return item;
}

}  // namespace

void BuildMaximalDocument(MenuDocument& doc) {
  doc.NewDocument();
  doc.RecordSize = kRecordSize36;
  MenuNode* root = doc.menuRootNode();
  int made = 0;
  auto add = [&](MenuNode* parent) {
    ++made;
    return doc.tree.addLastChild(parent, CustomId(made), MenuItem(made));
  };
  // 21 top-level items, each with 3 children with 2 children each (210 items), and
  // the remaining 35 items one level further down, under the first grandchildren.
  std::vector<MenuNode*> grandchildren;
  for (int t = 0; t < 21; ++t) {
    MenuNode* top = add(root);
    for (int c = 0; c < 3; ++c) {
      MenuNode* child = add(top);
      for (int g = 0; g < 2; ++g) grandchildren.push_back(add(child));
    }
  }
  for (MenuNode* parent : grandchildren) {
    if (made == kMaxMainMenuItems) break;
    add(parent);
  }
  doc.RebuildLinks();

  int number = 0;
  doc.tree.forEach([&](MenuNode& node) {
    const int index = doc.tree.absoluteIndex(&node);
    if (index >= kFirstMenuNodeIndex)
      doc.tree.editRecord(node).kind = node.hasChildren() ? kKindSubmenu : kKindUrl;
    if (index != kSoftkeysNodeIndex && index != kMenuRootNodeIndex) Attach(doc, node, ++number);
  });
}

}  // namespace quillet::bench
