#include "item_appearance.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "catalogue.h"
#include "language_names.h"

namespace quillet {

namespace {

std::u16string FromLatin1(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char c : bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return text;
}

const TMMADataBlock* FindBlock(const TMMAItemData* data, std::uint8_t tag) {
  if (data == nullptr) return nullptr;
  for (const TMMADataBlock& block : data->blocks) {
    if (block.tag == tag) return &block;
  }
  return nullptr;
}

// The first non-empty name in `language` of the first block with `tag`; an empty text
// shows nothing on the phone, so it counts as no name.
const std::u16string* NameInBlock(const TMMAItemData* data, std::uint8_t tag, std::uint8_t language) {
  const TMMADataBlock* block = FindBlock(data, tag);
  if (block == nullptr) return nullptr;
  for (const TMMANameEntry& entry : block->names) {
    if (entry.language == language && !entry.text.empty()) return &entry.text;
  }
  return nullptr;
}

// The chain over the name blocks in `tags`, tried in order at each step.
ShownName NameThroughChain(const MenuDocument& doc, const MenuNode& node, std::uint8_t language,
                           std::initializer_list<std::uint8_t> tags) {
  const TMMAItemData* data = doc.ItemData(node);
  for (const std::uint8_t tag : tags) {
    if (const std::u16string* text = NameInBlock(data, tag, language))
      return {*text, NameSource::ChosenLanguage};
  }
  for (const std::uint8_t english : {kLanguageEnglishUs, kLanguageEnglishUk}) {
    for (const std::uint8_t tag : tags) {
      if (const std::u16string* text = NameInBlock(data, tag, english)) return {*text, NameSource::English};
    }
  }
  const std::string& identifier = node.item().identifier;
  const std::uint8_t row = CatalogueIndex(identifier);
  if (!IsCustomIdentifier(identifier) && row != kCatalogueMissing)
    return {FromLatin1(CatalogueNames[row]), NameSource::Catalogue};
  return {FromLatin1(identifier), NameSource::Identifier};
}

struct IconBlocks {
  std::uint8_t pathKind;
  std::uint8_t drmTag;
};

constexpr IconBlocks kAnimated{kIconKindAnimated, kTagIconDrmAnimated};
constexpr IconBlocks kStatic{kIconKindStatic, kTagIconDrmStatic};
constexpr IconBlocks kList{kIconKindList, kTagIconDrmList};

// The kind an icon path block plays: the item codec reads any kind but 4 and 3 as a list icon.
std::uint8_t PathRole(std::uint8_t iconKind) {
  return iconKind == kIconKindAnimated || iconKind == kIconKindStatic ? iconKind : kIconKindList;
}

// The icon `block` gives as `icon` (kind None: it is no block of that icon).
ShownIcon BlockIcon(const TMMADataBlock& block, IconBlocks icon) {
  ShownIcon shown;
  if (block.tag == kTagIconPath && PathRole(block.iconKind) == icon.pathKind) {
    shown.kind = ShownIcon::Kind::FilePath;
    shown.path = block.path;
  } else if (block.tag == icon.drmTag) {
    shown.kind = ShownIcon::Kind::DrmIndex;
    shown.drmIndex = block.drmIndex;
  }
  return shown;
}

ShownIcon IconOf(const TMMAItemData* data, IconBlocks icon) {
  ShownIcon shown;
  if (data == nullptr) return shown;
  // A path wins over a DRM index; when a file holds two path blocks for one icon, the
  // later one counts, as for the dialog.
  for (const TMMADataBlock& block : data->blocks) {
    ShownIcon found = BlockIcon(block, icon);
    if (found.kind == ShownIcon::Kind::FilePath ||
        (found.kind == ShownIcon::Kind::DrmIndex && shown.kind == ShownIcon::Kind::None))
      shown = std::move(found);
  }
  return shown;
}

void AppendIcons(NodeDetails& details, const TMMAItemData& data, IconBlocks icon,
                 NodeDetails::IconRole role) {
  for (const TMMADataBlock& block : data.blocks) {
    if (ShownIcon found = BlockIcon(block, icon); found.kind != ShownIcon::Kind::None)
      details.icons.push_back({role, std::move(found)});
  }
}

}  // namespace

ShownName MenuNameIn(const MenuDocument& doc, const MenuNode& node, std::uint8_t language) {
  return NameThroughChain(doc, node, language, {kTagMenuName});
}

ShownName SoftkeyTitleIn(const MenuDocument& doc, const MenuNode& node, std::uint8_t language) {
  return NameThroughChain(doc, node, language, {kTagSoftkeyName, kTagMenuName});
}

ShownIcon IconFor(const MenuDocument& doc, const MenuNode& node, IconUse use) {
  const TMMAItemData* data = doc.ItemData(node);
  if (use == IconUse::List) return IconOf(data, kList);
  const ShownIcon animated = IconOf(data, kAnimated);
  return animated.kind != ShownIcon::Kind::None ? animated : IconOf(data, kStatic);
}

std::vector<std::uint8_t> DocumentLanguages(const MenuDocument& doc) {
  std::array<bool, 256> seen{};
  doc.tree.forEach([&](const MenuNode& node) {
    const TMMAItemData* data = doc.ItemData(node);
    if (data == nullptr) return;
    for (const TMMADataBlock& block : data->blocks) {
      if (block.tag != kTagMenuName && block.tag != kTagSoftkeyName) continue;
      for (const TMMANameEntry& entry : block.names) seen[entry.language] = true;
    }
  });
  std::vector<std::uint8_t> languages;
  for (std::size_t id = 0; id < seen.size(); ++id) {
    if (seen[id]) languages.push_back(static_cast<std::uint8_t>(id));
  }
  auto known = [](std::uint8_t id) { return id >= 1 && id <= kLanguageCount; };
  std::stable_sort(languages.begin(), languages.end(), [&](std::uint8_t a, std::uint8_t b) {
    if ((a == kLanguageEnglishUs) != (b == kLanguageEnglishUs)) return a == kLanguageEnglishUs;
    if (known(a) != known(b)) return known(a);
    return known(a) && LanguageNames[a - 1] < LanguageNames[b - 1];
  });
  return languages;
}

NodeDetails NodeDetailsOf(const MenuDocument& doc, const MenuNode& node) {
  NodeDetails details;
  const TMMAItemData* data = doc.ItemData(node);
  if (data == nullptr) return details;
  if (const TMMADataBlock* names = FindBlock(data, kTagMenuName)) details.names = names->names;
  if (const TMMADataBlock* titles = FindBlock(data, kTagSoftkeyName)) details.softkeyTitles = titles->names;
  AppendIcons(details, *data, kAnimated, NodeDetails::IconRole::Animated);
  AppendIcons(details, *data, kStatic, NodeDetails::IconRole::Static);
  AppendIcons(details, *data, kList, NodeDetails::IconRole::List);
  return details;
}

}  // namespace quillet
