// An item read from a menu file and passed through the dialog's working copy untouched
// is written back byte for byte, except that its blocks come out in role order.
// The files are built here from the format's rules, not by the writer under test.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "item_editor.h"
#include "menu_loader.h"
#include "menu_writer.h"

namespace quillet {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

Bytes Block(std::uint8_t tag, const Bytes& payload) {
  Bytes out{tag};
  Put16(out, payload.size());
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes Wide(const std::u16string& text) {
  Bytes out;
  for (const char16_t unit : text) Put16(out, unit);
  Put16(out, 0);
  return out;
}

// A name table in the 36-byte layout (marker 0xCD).
Bytes NameTable(std::uint8_t tag, const std::vector<std::pair<std::uint8_t, std::u16string>>& names) {
  Bytes payload{static_cast<std::uint8_t>(names.size())};
  Bytes texts;
  for (const auto& [language, text] : names) {
    const Bytes encoded = Wide(text);
    texts.insert(texts.end(), encoded.begin(), encoded.end());
    payload.push_back(language);
    payload.push_back(0xCD);
    Put16(payload, texts.size());
  }
  payload.insert(payload.end(), texts.begin(), texts.end());
  return Block(tag, payload);
}

Bytes ByteTextBlock(std::uint8_t tag, const std::string& text) {
  Bytes payload(text.begin(), text.end());
  payload.push_back(0);
  return Block(tag, payload);
}

Bytes IconPath(std::uint8_t iconKind, const std::u16string& path) {
  Bytes payload{iconKind};
  const Bytes encoded = Wide(path);
  payload.insert(payload.end(), encoded.begin(), encoded.end());
  return Block(12, payload);
}

Bytes IconDrm(std::uint8_t tag, std::uint16_t index) {
  Bytes payload{0x12, 0x00};
  Put16(payload, index);
  return Block(tag, payload);
}

void Record(Bytes& out, std::uint8_t kind, std::uint8_t parent, std::uint8_t next, std::uint8_t child,
            std::uint8_t flags, std::uint8_t attributes, const std::string& identifier, std::uint8_t area,
            std::size_t offset, std::size_t length) {
  out.insert(out.end(), {kind, parent, next, child, flags, attributes});
  Bytes field(25, 0);
  std::copy(identifier.begin(), identifier.end(), field.begin());
  out.insert(out.end(), field.begin(), field.end());
  out.push_back(area);
  Put16(out, offset);
  Put16(out, length);
}

// A 36-byte file: seven softkeys without data and one main-menu URL item with `data`.
Bytes MenuFile(const std::vector<Bytes>& blocks) {
  Bytes data;
  for (const Bytes& block : blocks) data.insert(data.end(), block.begin(), block.end());
  Bytes file{0x00, 0x01, 11, 0x01, 0xFF, 0xFF, 0x15, 0x02, 0xFF, 0xFF};
  Record(file, 1, 0xFF, 0xFF, 1, 0, 0, "Root", 0xCC, 0, 0);
  Record(file, 1, 1, 2, 0xFF, 0, 0, "Container", 0xCC, 0, 0);
  const char* softkeys[] = {"PhoneBook",  "Message",     "RecentCall", "Mutilmedia",
                            "AlarmClock", "MMRingStyle", "VoiceRecord"};
  for (int k = 0; k < 7; ++k) {
    const auto record = static_cast<std::uint8_t>(2 + k);
    Record(file, 0, 1, k == 6 ? 0xFF : static_cast<std::uint8_t>(record + 1), 0xFF, 0, 0x41, softkeys[k],
           0xCC, 0, 0);
  }
  Record(file, 1, 0xFF, 0xFF, 10, 0, 0, "MenuRoot", 0xCD, 0, 0);
  Record(file, kKindUrl, 9, 0xFF, 0xFF, kFlagsNamed, kLinkedItemAttributes, "WebAccess", 0xCD, 0,
         data.size());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

struct Blocks {
  Bytes names = NameTable(0, {{1, u"Web"}, {25, u"\u30a6\u30a7\u30d6"}});
  Bytes path = IconPath(3, u"/a/mobile/picture/web.gif");
  Bytes url = ByteTextBlock(5, "http://wap.example.org/");
  Bytes drm = IconDrm(17, 513);
  Bytes unsupported = Block(3, {0xDE, 0xAD});
};

Bytes ModifyUntouchedAndSave(const Bytes& file) {
  MenuDocument doc;
  const auto loaded = LoadMenuFile(file, doc, "fixture");
  EXPECT_TRUE(loaded.ok()) << (loaded.ok() ? "" : loaded.error().message);
  if (!loaded.ok()) return {};
  MenuNode* node = doc.tree.nodeAt(kFirstMenuNodeIndex);
  EXPECT_NE(node, nullptr);
  if (node == nullptr) return {};
  ItemEditor editor;
  editor.LoadItem(doc.ItemData(*node), node->item().kind, node->item().flags, node->item().attributes);
  doc.StoreEditedItem(*node, editor.StoreItem());
  SaveOptions options;
  options.layout = RecordLayout::Bytes36;
  options.saveAllData = true;
  const auto saved = SerializeMenu(doc, options);
  EXPECT_TRUE(saved.ok()) << (saved.ok() ? "" : saved.error().message);
  return saved.ok() ? saved.value() : Bytes{};
}

TEST(FileRoundTrip, AnItemInRoleOrderIsWrittenBackUnchanged) {
  const Blocks b;
  const Bytes file = MenuFile({b.names, b.path, b.url, b.drm, b.unsupported});
  EXPECT_EQ(ModifyUntouchedAndSave(file), file);
}

TEST(FileRoundTrip, OnlyTheBlockOrderChanges) {
  const Blocks b;
  const Bytes shuffled = MenuFile({b.drm, b.unsupported, b.url, b.names, b.path});
  const Bytes roleOrder = MenuFile({b.names, b.path, b.url, b.drm, b.unsupported});
  EXPECT_EQ(ModifyUntouchedAndSave(shuffled), roleOrder);
}

}  // namespace
}  // namespace quillet
