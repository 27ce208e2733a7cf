#include "menu_bytes.h"

namespace quillet::menubytes {

namespace {

void Put16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

Bytes ByteText(const std::string& text) {
  Bytes out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

Record FixedRecord(const char* identifier, std::uint8_t parent, std::uint8_t next, std::uint8_t child,
                   std::uint8_t area) {
  Record r;
  r.kind = 1;
  r.parent = parent;
  r.next = next;
  r.child = child;
  r.identifier = identifier;
  r.area = area;
  return r;
}

// Places one sibling list at the end of `order` and, member by member, the lists below it;
// returns the record index of the list's first member.
int PlaceList(const std::vector<ItemPlan>& list, int parentIndex, std::vector<Record>& records,
              std::vector<const ItemPlan*>& order) {
  const int first = static_cast<int>(records.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    Record r;
    r.kind = list[i].children.empty() ? list[i].kind : std::uint8_t{1};
    r.parent = static_cast<std::uint8_t>(parentIndex);
    r.next =
        i + 1 < list.size() ? static_cast<std::uint8_t>(first + static_cast<int>(i) + 1) : std::uint8_t{0xFF};
    r.flags = list[i].flags;
    r.attributes = list[i].attributes;
    r.identifier = list[i].identifier;
    r.area = 0xCD;
    records.push_back(r);
    order.push_back(&list[i]);
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].children.empty()) continue;
    const int own = first + static_cast<int>(i);
    records[static_cast<std::size_t>(own)].child =
        static_cast<std::uint8_t>(PlaceList(list[i].children, own, records, order));
  }
  return first;
}

}  // namespace

Bytes Utf16Be(const std::u16string& text) {
  Bytes out;
  for (char16_t unit : text) Put16(out, unit);
  Put16(out, 0);
  return out;
}

Bytes BlockWithLength(std::uint8_t tag, std::uint16_t length, const Bytes& payload) {
  Bytes out{tag};
  Put16(out, length);
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes Block(std::uint8_t tag, const Bytes& payload) {
  return BlockWithLength(tag, static_cast<std::uint16_t>(payload.size()), payload);
}

std::uint8_t NameMarker(int recordSize) { return recordSize == 36 ? 0xCD : 0x00; }

Bytes NameTable(const std::vector<Name>& names, std::uint8_t marker) {
  Bytes out{static_cast<std::uint8_t>(names.size())};
  Bytes texts;
  for (const Name& name : names) {
    const Bytes text = Utf16Be(name.text);
    texts.insert(texts.end(), text.begin(), text.end());
    out.push_back(name.language);
    out.push_back(marker);
    Put16(out, texts.size());
  }
  out.insert(out.end(), texts.begin(), texts.end());
  return out;
}

Bytes MenuNameBlock(const std::vector<Name>& names, std::uint8_t marker) {
  return Block(0, NameTable(names, marker));
}
Bytes SoftkeyNameBlock(const std::vector<Name>& names, std::uint8_t marker) {
  return Block(1, NameTable(names, marker));
}
Bytes UrlBlock(const std::string& url) { return Block(5, ByteText(url)); }
Bytes MidletBlock(std::uint8_t tag, const std::string& text) { return Block(tag, ByteText(text)); }

Bytes IconPathBlock(std::uint8_t tag, std::uint8_t iconKind, const std::u16string& path) {
  Bytes payload{iconKind};
  const Bytes text = Utf16Be(path);
  payload.insert(payload.end(), text.begin(), text.end());
  return Block(tag, payload);
}

Bytes DrmBlock(std::uint8_t tag, std::uint8_t first, std::uint16_t index) {
  return Block(
      tag, Bytes{first, 0, static_cast<std::uint8_t>(index >> 8), static_cast<std::uint8_t>(index & 0xFF)});
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes ToBytes(const RawMenu& menu) {
  const bool wide = menu.recordSize == 36;
  const int count = menu.recordCount >= 0 ? menu.recordCount : static_cast<int>(menu.records.size());
  Bytes out{0x00,
            menu.variant,
            static_cast<std::uint8_t>(count),
            0x01,
            0xFF,
            0xFF,
            static_cast<std::uint8_t>(wide ? 0x15 : 0xFF),
            static_cast<std::uint8_t>(wide ? 0x02 : 0xFF),
            0xFF,
            0xFF};
  const std::size_t width = wide ? 25 : 12;
  for (const Record& r : menu.records) {
    out.insert(out.end(), {r.kind, r.parent, r.next, r.child, r.flags, r.attributes});
    for (std::size_t i = 0; i < width; ++i) {
      out.push_back(i < r.identifier.size() ? static_cast<std::uint8_t>(r.identifier[i]) : std::uint8_t{0});
    }
    if (wide) out.push_back(r.area);
    Put16(out, r.dataOffset);
    Put16(out, r.dataLength);
  }
  out.insert(out.end(), menu.dataArea.begin(), menu.dataArea.end());
  return out;
}

std::array<ItemPlan, 7> MenuPlan::DefaultSoftkeys() {
  const char* ids[7] = {"PhoneBook",  "Message",     "RecentCall", "Mutilmedia",
                        "AlarmClock", "MMRingStyle", "VoiceRecord"};
  std::array<ItemPlan, 7> keys;
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i].identifier = ids[i];
  return keys;
}

RawMenu LayOut(const MenuPlan& plan) {
  RawMenu menu;
  menu.recordSize = plan.recordSize;
  menu.variant = plan.variant;
  menu.records.push_back(FixedRecord("Root", 0xFF, 0xFF, 1, 0xCC));
  menu.records.push_back(FixedRecord("Container", 1, 2, 0xFF, 0xCC));
  std::vector<const ItemPlan*> order;  // records 2 onward that may carry data
  for (const ItemPlan& key : plan.softkeys) {
    Record r;
    r.kind = key.kind;
    r.flags = key.flags;
    r.attributes = key.attributes;
    r.identifier = key.identifier;
    r.area = 0xCC;
    menu.records.push_back(r);
    order.push_back(&key);
  }
  menu.records.push_back(FixedRecord("MenuRoot", 0xFF, 0xFF, plan.items.empty() ? 0xFF : 10, 0xCD));
  order.push_back(nullptr);
  PlaceList(plan.items, 9, menu.records, order);

  std::size_t offset = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == nullptr) continue;
    Record& r = menu.records[i + 2];
    r.dataOffset = static_cast<std::uint16_t>(offset);
    r.dataLength = static_cast<std::uint16_t>(order[i]->data.size());
    menu.dataArea.insert(menu.dataArea.end(), order[i]->data.begin(), order[i]->data.end());
    offset += order[i]->data.size();
  }
  return menu;
}

}  // namespace quillet::menubytes
