#include "json_form_reader.h"

#include <algorithm>
#include <initializer_list>
#include <memory>

#include <nlohmann/json.hpp>

#include "catalogue.h"
#include "format.h"
#include "json_text.h"
#include "menu_writer.h"
#include "utf8.h"

namespace quillet::menujson {
namespace {

// Thrown inside this file only and turned into an Error at each public function, so
// that the deep walk over the JSON stays readable.
struct Refusal {
  std::string path;
  std::string problem;
  ErrorCode code = ErrorCode::InvalidValue;
};

[[noreturn]] void Refuse(const std::string& path, std::string problem,
                         ErrorCode code = ErrorCode::InvalidValue) {
  throw Refusal{path, std::move(problem), code};
}

[[noreturn]] void RefuseLimit(const std::string& path, std::string problem) {
  Refuse(path, std::move(problem), ErrorCode::LimitExceeded);
}

Error ToError(const Refusal& r) {
  return Error{r.code, (r.path.empty() ? std::string("top level") : r.path) + ": " + r.problem, {}, {}, {}};
}

std::string Member(const std::string& path, const char* key) {
  return path.empty() ? std::string(key) : path + "." + key;
}
std::string Element(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }

// Members of an object at `path`; anything not named in `input` or `derived` is refused,
// so a misspelt member never passes silently.
const Json& Object(const Json& j, const std::string& path, std::initializer_list<const char*> input,
                   std::initializer_list<const char*> derived = {}) {
  if (!j.is_object()) Refuse(path, "must be an object");
  for (const auto& [key, value] : j.items()) {
    const auto named = [&](const char* k) { return key == k; };
    if (std::none_of(input.begin(), input.end(), named) &&
        std::none_of(derived.begin(), derived.end(), named)) {
      Refuse(path, "unknown member " + Json(key).dump(-1, ' ', false, Json::error_handler_t::replace));
    }
  }
  return j;
}

const Json* Optional(const Json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() ? &*found : nullptr;
}

const Json& Required(const Json& object, const std::string& path, const char* key) {
  const Json* value = Optional(object, key);
  if (value == nullptr) Refuse(path, std::string("needs the member \"") + key + "\"");
  return *value;
}

std::uint32_t Whole(const Json& j, const std::string& path, std::uint32_t max) {
  // Whole numbers only; a form built in code may hold signed ones, parsed text unsigned.
  if (j.is_number_integer()) {
    const bool negative = !j.is_number_unsigned() && j.get<std::int64_t>() < 0;
    if (!negative && j.get<std::uint64_t>() <= max) return static_cast<std::uint32_t>(j.get<std::uint64_t>());
  }
  Refuse(path, "must be a whole number from 0 to " + std::to_string(max));
}

std::uint8_t Byte(const Json& j, const std::string& path) {
  return static_cast<std::uint8_t>(Whole(j, path, 0xFF));
}

std::uint8_t OptionalByte(const Json& object, const std::string& path, const char* key,
                          std::uint8_t fallback) {
  const Json* value = Optional(object, key);
  return value != nullptr ? Byte(*value, Member(path, key)) : fallback;
}

const std::string& Text(const Json& j, const std::string& path) {
  if (!j.is_string()) Refuse(path, "must be a string");
  return j.get_ref<const std::string&>();
}

const Json& Array(const Json& j, const std::string& path) {
  if (!j.is_array()) Refuse(path, "must be an array");
  return j;
}

bool Flag(const Json& j, const std::string& path) {
  if (!j.is_boolean()) Refuse(path, "must be true or false");
  return j.get<bool>();
}

std::u32string CodePoints(const std::string& text) {
  // The parser accepts only UTF-8, so this cannot fail; a fallback keeps it total.
  return DecodeUtf8(text).value_or(std::u32string());
}

// An 8-bit text (identifier, URL, MIDlet text): characters U+0001 to U+00FF, one byte each.
std::string ByteText(const Json& j, const std::string& path, std::size_t maxBytes, const char* what) {
  std::string bytes;
  for (const char32_t cp : CodePoints(Text(j, path))) {
    if (cp == 0 || cp > 0xFF) {
      Refuse(path, std::string(what) + " may hold only the characters U+0001 to U+00FF, one byte each");
    }
    bytes += static_cast<char>(cp);
  }
  if (bytes.size() > maxBytes) {
    RefuseLimit(path, std::string(what) + " has " + std::to_string(bytes.size()) + " characters (at most " +
                          std::to_string(maxBytes) + ")");
  }
  return bytes;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::uint8_t> HexText(const Json& j, const std::string& path) {
  const std::string& text = Text(j, path);
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexValue(text[i]);
    const int low = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
    if (high < 0 || low < 0) Refuse(path, "must be pairs of hexadecimal digits");
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

// A wide text (name, icon path) from "text"/"path" (UTF-8) or "utf16" (hex units).
std::u16string WideText(const Json& object, const std::string& path, const char* key, std::size_t maxUnits) {
  const Json* text = Optional(object, key);
  const Json* hex = Optional(object, "utf16");
  if ((text == nullptr) == (hex == nullptr)) {
    Refuse(path, std::string("needs either \"") + key + "\" or \"utf16\"");
  }
  std::u16string units;
  std::string where;
  if (text != nullptr) {
    where = Member(path, key);
    units = CodePointsToUtf16(CodePoints(Text(*text, where)));
  } else {
    where = Member(path, "utf16");
    const std::vector<std::uint8_t> bytes = HexText(*hex, where);
    if (bytes.size() % 2 != 0) Refuse(where, "must be groups of four hexadecimal digits");
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
      units.push_back(static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]));
    }
  }
  if (units.find(u'\0') != std::u16string::npos) Refuse(where, "may not hold the character U+0000");
  if (units.size() > maxUnits) {
    RefuseLimit(where, "has " + std::to_string(units.size()) + " UTF-16 units (at most " +
                           std::to_string(maxUnits) + ")");
  }
  return units;
}

std::vector<TMMANameEntry> Names(const Json& block, const std::string& path) {
  const std::string where = Member(path, "names");
  const Json& names = Array(Required(block, path, "names"), where);
  if (names.size() > kMaxNames) {
    RefuseLimit(where,
                "has " + std::to_string(names.size()) + " names (at most " + std::to_string(kMaxNames) + ")");
  }
  std::vector<TMMANameEntry> out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string at = Element(where, i);
    const Json& name = Object(names[i], at, {"language", "text", "utf16"});
    const std::string language = Member(at, "language");
    const std::string& id = Text(Required(name, at, "language"), language);
    if (id.size() != 2 || HexValue(id[0]) < 0 || HexValue(id[1]) < 0) {
      Refuse(language, "must be a language ID of two hexadecimal digits, such as \"0A\"");
    }
    out.push_back({static_cast<std::uint8_t>(HexValue(id[0]) * 16 + HexValue(id[1])),
                   WideText(name, at, "text", kMaxNameUnits)});
  }
  return out;
}

std::vector<TMMARawEntry> RawEntries(const Json& block, const std::string& path) {
  const std::string where = Member(path, "entries");
  const Json& entries = Array(Required(block, path, "entries"), where);
  if (entries.size() > kMaxRawEntries) {
    RefuseLimit(where, "has " + std::to_string(entries.size()) + " entries (at most " +
                           std::to_string(kMaxRawEntries) + ")");
  }
  std::vector<TMMARawEntry> out;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string at = Element(where, i);
    const Json& entry = Object(entries[i], at, {"tag", "hex"}, {"length"});
    TMMARawEntry raw{Byte(Required(entry, at, "tag"), Member(at, "tag")),
                     HexText(Required(entry, at, "hex"), Member(at, "hex"))};
    if (raw.data.size() > kRawEntryBytes) {
      RefuseLimit(Member(at, "hex"), "holds " + std::to_string(raw.data.size()) + " bytes (at most " +
                                         std::to_string(kRawEntryBytes) + ")");
    }
    out.push_back(std::move(raw));
  }
  return out;
}

TMMADataBlock Block(const Json& j, const std::string& path) {
  const std::string labelPath = Member(path, "block");
  if (!j.is_object()) Refuse(path, "must be an object");
  const std::string& label = Text(Required(j, path, "block"), labelPath);
  const std::optional<std::uint8_t> tag = TagOfLabel(label);
  if (!tag) {
    Refuse(labelPath,
           "unknown block " + Json(label).dump() +
               " (menu names, softkey titles, url, midlet application, midlet name, midlet vendor, "
               "icon path, list icon drm, static icon drm, animated icon drm, unsupported)");
  }
  TMMADataBlock block;
  block.tag = *tag;
  const std::initializer_list<const char*> derived = {"tag", "length"};
  switch (*tag) {
    case kTagMenuName:
    case kTagSoftkeyName:
      Object(j, path, {"block", "names"}, derived);
      block.names = Names(j, path);
      break;
    case kTagUrl:
    case kTagMidletApp:
    case kTagMidletName:
    case kTagMidletVendor:
      Object(j, path, {"block", "text"}, derived);
      block.text = ByteText(Required(j, path, "text"), Member(path, "text"), kMaxByteTextLength, "the text");
      break;
    case kTagIconPath: {
      Object(j, path, {"block", "icon", "path", "utf16"}, derived);
      const std::string rolePath = Member(path, "icon");
      const Json& role = Required(j, path, "icon");
      if (role.is_string()) {
        const std::optional<std::uint8_t> kind = IconKindOfRole(role.get<std::string>());
        if (!kind) Refuse(rolePath, "must be \"list\", \"static\", \"animated\" or an icon kind byte");
        block.iconKind = *kind;
      } else {
        block.iconKind = Byte(role, rolePath);
      }
      block.path = WideText(j, path, "path", kMaxIconPathUnits);
      break;
    }
    case kTagIconDrmList:
    case kTagIconDrmStatic:
    case kTagIconDrmAnimated:
      Object(j, path, {"block", "drmIndex", "firstByte"}, derived);
      block.drmIndex =
          static_cast<std::uint16_t>(Whole(Required(j, path, "drmIndex"), Member(path, "drmIndex"), 0xFFFF));
      block.iconKind = OptionalByte(j, path, "firstByte", kDrmFirstByte);
      break;
    default:  // the unsupported block
      Object(j, path, {"block", "entries"}, derived);
      block.raw = RawEntries(j, path);
      break;
  }
  RefreshLength(block);
  return block;
}

std::optional<TMMAItemData> ItemData(const Json& item, const std::string& path, const ItemRules& rules) {
  const Json* data = Optional(item, "data");
  if (data == nullptr) return std::nullopt;
  const std::string where = Member(path, "data");
  Array(*data, where);
  if (data->size() > kMaxBlocks) {
    RefuseLimit(where, "has " + std::to_string(data->size()) + " blocks (at most " +
                           std::to_string(kMaxBlocks) + ")");
  }
  TMMAItemData entry;
  for (std::size_t i = 0; i < data->size(); ++i) {
    entry.blocks.push_back(Block((*data)[i], Element(where, i)));
    if (entry.blocks.back().tag == kTagUnsupported &&
        std::count_if(entry.blocks.begin(), entry.blocks.end(),
                      [](const TMMADataBlock& b) { return b.tag == kTagUnsupported; }) > 1) {
      Refuse(Element(where, i), "an item holds at most one unsupported block (put its entries in the first)");
    }
  }
  if (entry.blocks.empty()) return std::nullopt;
  const std::size_t size = ItemDataSize(&entry, rules.saveAllData);
  if (size > kMaxDataBytes) {
    RefuseLimit(where, "the item's data takes " + std::to_string(size) + " bytes in the file (at most " +
                           std::to_string(kMaxDataBytes) + ")");
  }
  return entry;
}

ItemTree Item(const Json& j, const std::string& path, const ItemRules& rules, int& itemCount) {
  if (!rules.softkey && ++itemCount > kMaxMainMenuItems) {
    RefuseLimit(path, "a menu file holds at most " + std::to_string(kMaxMainMenuItems) + " main-menu items");
  }
  const std::initializer_list<const char*> derived = {"caption", "slot", "area", "dataOffset", "dataLength"};
  if (rules.softkey) {
    Object(j, path, {"identifier", "kind", "flags", "attributes", "parent", "next", "child", "data"},
           derived);
  } else {
    Object(j, path, {"identifier", "kind", "flags", "attributes", "data", "children"},
           {"caption", "slot", "area", "dataOffset", "dataLength", "parent", "next", "child"});
  }
  ItemTree tree;
  TMMAItem& item = tree.item;
  const std::size_t width = rules.layout == RecordLayout::Bytes22 ? kIdentifierWidth22 : kIdentifierWidth36;
  item.identifier =
      ByteText(Required(j, path, "identifier"), Member(path, "identifier"), width, "an identifier");
  item.kind = OptionalByte(j, path, "kind", kKindPlain);
  item.flags = OptionalByte(j, path, "flags", 0);
  item.attributes = OptionalByte(j, path, "attributes", kNewItemAttributes);
  if (rules.softkey) {
    item.parent = OptionalByte(j, path, "parent", kNone);
    item.next = OptionalByte(j, path, "next", kNone);
    item.child = OptionalByte(j, path, "child", kNone);
  }
  tree.data = ItemData(j, path, rules);
  if (const Json* children = Optional(j, "children")) {
    Array(*children, Member(path, "children"));
    for (std::size_t i = 0; i < children->size(); ++i) {
      tree.children.push_back(Item((*children)[i], MenuItemPath(path, i), rules, itemCount));
    }
  }
  return tree;
}

SaveOptions Options(const Json& top) {
  SaveOptions options;
  options.saveAllData = true;
  const Json* j = Optional(top, "options");
  if (j == nullptr) return options;
  Object(*j, "options", {"layout", "c698p", "iconTag", "saveAllData"});
  if (const Json* layout = Optional(*j, "layout")) {
    if (*layout == 22)
      options.layout = RecordLayout::Bytes22;
    else if (*layout != 36)
      Refuse("options.layout", "must be 22 or 36");
  }
  if (const Json* tag = Optional(*j, "iconTag")) {
    if (*tag == "06")
      options.iconTag = IconTag::Tag06;
    else if (*tag != "0C")
      Refuse("options.iconTag", "must be \"06\" or \"0C\"");
  }
  if (const Json* c698p = Optional(*j, "c698p")) options.c698p = Flag(*c698p, "options.c698p");
  if (options.c698p && options.layout == RecordLayout::Bytes36) {
    Refuse("options.c698p", "the c698p fix needs the 22-byte layout");
  }
  if (const Json* all = Optional(*j, "saveAllData")) options.saveAllData = Flag(*all, "options.saveAllData");
  return options;
}

MenuForm Menu(const Json& j) {
  Object(j, "", {"format", "options", "softkeys", "menu"}, {"info"});
  const Json& format = Required(j, "", "format");
  if (format != kFormat) Refuse("format", "must be 1 (the only format this version reads)");
  MenuForm form;
  form.options = Options(j);
  ItemRules rules{form.options.layout, form.options.saveAllData, true};
  int itemCount = 0;
  if (const Json* softkeys = Optional(j, "softkeys")) {
    Array(*softkeys, "softkeys");
    if (softkeys->size() != form.softkeys.size()) Refuse("softkeys", "must hold exactly 7 items");
    for (std::size_t i = 0; i < form.softkeys.size(); ++i) {
      form.softkeys[i] = Item((*softkeys)[i], SoftkeyPath(i), rules, itemCount);
    }
  } else {
    for (std::size_t i = 0; i < form.softkeys.size(); ++i) {
      form.softkeys[i].item.identifier = DefaultSoftkeyIds[i];
      form.softkeys[i].item.attributes = kNewItemAttributes;
    }
  }
  rules.softkey = false;
  if (const Json* menu = Optional(j, "menu")) {
    Array(*menu, "menu");
    for (std::size_t i = 0; i < menu->size(); ++i) {
      form.menu.push_back(Item((*menu)[i], MenuItemPath("", i), rules, itemCount));
    }
  }
  return form;
}

struct Placed {
  MenuNode* node;
  const ItemTree* tree;
  std::string path;
};

void PlaceChildren(MenuDocument& doc, MenuNode& parent, const std::vector<ItemTree>& items,
                   const std::string& parentPath, std::vector<Placed>& placed) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    TMMAItem item = items[i].item;
    item.area = kAreaMainMenu;
    item.canHaveSubmenu = SubmenuFlagForIdentifier(item.identifier);
    item.hasData = items[i].data ? 1 : 0;
    if (IsCustomIdentifier(item.identifier))
      doc.CustomItemCount = static_cast<std::uint8_t>(doc.CustomItemCount + 1);
    MenuNode* node = doc.tree.addLastChild(&parent, CaptionForIdentifier(item.identifier), std::move(item));
    const std::string path = MenuItemPath(parentPath, i);
    placed.push_back({node, &items[i], path});
    PlaceChildren(doc, *node, items[i].children, path, placed);
  }
}

}  // namespace

Result<ItemTree> ReadItem(const Json& j, const std::string& path, const ItemRules& rules, int& itemCount) {
  try {
    return Item(j, path, rules, itemCount);
  } catch (const Refusal& r) {
    return ToError(r);
  }
}

Result<MenuForm> ReadMenuForm(const Json& j) {
  try {
    return Menu(j);
  } catch (const Refusal& r) {
    return ToError(r);
  }
}

std::vector<std::string> PlaceMenu(const MenuForm& form, MenuDocument& doc) {
  doc.NewDocument();
  doc.RecordSize = form.options.layout == RecordLayout::Bytes22 ? kRecordSize22 : kRecordSize36;
  std::vector<Placed> placed;
  MenuNode* softkeys = doc.softkeysNode();
  for (std::size_t i = 0; i < form.softkeys.size(); ++i) {
    MenuNode* key = softkeys->child(i);
    const TMMAItem& from = form.softkeys[i].item;
    if (IsCustomIdentifier(from.identifier))
      doc.CustomItemCount = static_cast<std::uint8_t>(doc.CustomItemCount + 1);
    TMMAItem& record = doc.tree.editRecord(*key);
    record.identifier = from.identifier;
    record.kind = from.kind;
    record.flags = from.flags;
    record.attributes = from.attributes;
    record.parent = from.parent;
    record.next = from.next;
    record.child = from.child;
    doc.tree.editCaption(*key) = std::string(SoftkeyPrefixes[i]) + CaptionForIdentifier(from.identifier);
    placed.push_back({key, &form.softkeys[i], SoftkeyPath(i)});
  }
  PlaceChildren(doc, *doc.menuRootNode(), form.menu, "", placed);
  doc.RebuildLinks();
  // Data goes in once every slot is final.
  std::vector<std::string> recordPaths(kStoreSlots);
  for (const Placed& p : placed) {
    recordPaths[static_cast<std::size_t>(p.node->item().slot - 1)] = p.path;
    if (!p.tree->data) continue;
    doc.SetItemData(*p.node, *p.tree->data);
  }
  return recordPaths;
}

Result<std::vector<std::uint8_t>> BuildMenuFile(std::string_view jsonText) {
  Result<Json> json = ParseJsonText(jsonText);
  if (!json) return json.error();
  Result<MenuForm> form = ReadMenuForm(json.value());
  if (!form) return form.error();
  MenuDocument doc;
  const std::vector<std::string> recordPaths = PlaceMenu(form.value(), doc);
  Result<std::vector<std::uint8_t>> bytes = SerializeMenu(doc, form->options);
  if (!bytes && bytes.error().record) {
    // The running data offset is the one limit only the whole menu shows.
    Error error = bytes.error();
    const std::string& path = recordPaths[static_cast<std::size_t>(*error.record)];
    if (!path.empty()) error.message = path + ": " + error.message;
    return error;
  }
  return bytes;
}

}  // namespace quillet::menujson
