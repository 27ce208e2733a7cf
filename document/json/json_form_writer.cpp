#include "json_form_writer.h"

#include <nlohmann/json.hpp>

#include "format.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet::menujson {
namespace {

// Hex of the UTF-16 units, four digits each: the one form of a text with a lone
// surrogate that gives the same units back.
std::string Utf16Hex(const std::u16string& units) {
  std::string out;
  for (const char16_t unit : units) {
    const std::uint8_t pair[] = {static_cast<std::uint8_t>(unit >> 8),
                                 static_cast<std::uint8_t>(unit & 0xFF)};
    out += HexBytes(pair, "");
  }
  return out;
}

// A wide text as "text" (UTF-8) when it has a UTF-8 form, else as "utf16".
void PutWideText(Json& j, const char* key, const std::u16string& units) {
  if (HasLoneSurrogate(units)) {
    j["utf16"] = Utf16Hex(units);
  } else {
    j[key] = Utf16ToUtf8(units);
  }
}

void PutIcon(Json& j, std::uint8_t iconKind) {
  const std::string role = IconRoleName(iconKind);
  if (role.empty()) {
    j["icon"] = iconKind;  // a kind byte outside the three roles, kept as read
  } else {
    j["icon"] = role;
  }
}

}  // namespace

Json BlockToJson(const TMMADataBlock& block, Derived derived) {
  Json j;
  j["block"] = BlockLabel(block.tag);
  if (derived == Derived::Include) {
    j["tag"] = block.tag;
    j["length"] = block.length;
  }
  switch (block.tag) {
    case kTagMenuName:
    case kTagSoftkeyName:
      j["names"] = Json::array();
      for (const TMMANameEntry& name : block.names) {
        Json entry;
        entry["language"] = HexByte(name.language);
        PutWideText(entry, "text", name.text);
        j["names"].push_back(std::move(entry));
      }
      break;
    case kTagUrl:
    case kTagMidletApp:
    case kTagMidletName:
    case kTagMidletVendor: j["text"] = Latin1ToUtf8(block.text); break;
    case kTagIconPath:
      PutIcon(j, block.iconKind);
      PutWideText(j, "path", block.path);
      break;
    case kTagIconDrmList:
    case kTagIconDrmStatic:
    case kTagIconDrmAnimated:
      j["drmIndex"] = block.drmIndex;
      j["firstByte"] = block.iconKind;
      break;
    case kTagUnsupported:
      j["entries"] = Json::array();
      for (const TMMARawEntry& raw : block.raw) {
        Json entry;
        entry["tag"] = raw.tag;
        if (derived == Derived::Include) entry["length"] = raw.data.size();
        entry["hex"] = HexBytes(raw.data, "");
        j["entries"].push_back(std::move(entry));
      }
      break;
    default: break;
  }
  return j;
}

Json ItemToJson(const MenuDocument& doc, const MenuNode& node, Derived derived) {
  const TMMAItem& item = node.item();
  const bool softkey = node.parent() != nullptr && node.parent() == doc.softkeysNode();
  const bool withDerived = derived == Derived::Include;
  Json j;
  if (withDerived) j["caption"] = Latin1ToUtf8(node.caption());
  j["identifier"] = Latin1ToUtf8(item.identifier);
  j["kind"] = item.kind;
  j["flags"] = item.flags;
  j["attributes"] = item.attributes;
  // A softkey's links are kept as read (nothing derives them); a main-menu item's are
  // derived from its place.
  if (softkey || withDerived) {
    j["parent"] = item.parent;
    j["next"] = item.next;
    j["child"] = item.child;
  }
  if (withDerived) {
    j["slot"] = item.slot;
    j["area"] = item.area;
    j["dataOffset"] = item.dataOffset;
    j["dataLength"] = item.dataLength;
  }
  const TMMAItemData* data = item.hasData != 0 ? doc.ItemData(node) : nullptr;
  if (data != nullptr && !data->blocks.empty()) {
    Json& blocks = j["data"] = Json::array();
    for (const TMMADataBlock& block : data->blocks) blocks.push_back(BlockToJson(block, derived));
  }
  if (!softkey && node.hasChildren()) {
    Json& children = j["children"] = Json::array();
    for (const auto& child : node.children()) children.push_back(ItemToJson(doc, *child, derived));
  }
  return j;
}

Json OptionsToJson(const SaveOptions& options) {
  Json j;
  j["layout"] = options.layout == RecordLayout::Bytes22 ? 22 : 36;
  j["c698p"] = options.c698p;
  j["iconTag"] = options.iconTag == IconTag::Tag06 ? "06" : "0C";
  j["saveAllData"] = options.saveAllData;
  return j;
}

Json MenuToJson(const MenuDocument& doc, const SaveOptions& options, Derived derived) {
  Json j;
  j["format"] = kFormat;
  j["options"] = OptionsToJson(options);
  j["softkeys"] = Json::array();
  if (const MenuNode* softkeys = doc.softkeysNode()) {
    for (const auto& key : softkeys->children()) j["softkeys"].push_back(ItemToJson(doc, *key, derived));
  }
  j["menu"] = Json::array();
  if (const MenuNode* root = doc.menuRootNode()) {
    for (const auto& item : root->children()) j["menu"].push_back(ItemToJson(doc, *item, derived));
  }
  return j;
}

}  // namespace quillet::menujson
