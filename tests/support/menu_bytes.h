#pragma once
// Builds the bytes of menu files (mma_ucp) straight from the file format's rules, for
// fixtures, fuzz seeds and sample files. It shares no code with the document's writer,
// so that tests of the writer compare against an independent account of the format.
//
// Two levels:
//  * Blocks: each function returns one complete data block (tag, 16-bit big-endian
//    length, payload); concatenate them to make an item's data.
//  * Files: describe the menu as a tree (MenuPlan) and let LayOut() number the records,
//    set links, area bytes and data offsets as the format orders them; the resulting
//    RawMenu can be tampered with (links, counts, lengths) before ToBytes() writes it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillet::menubytes {

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------- data blocks

// UTF-16 big-endian units of `text`, followed by the two-byte zero terminator.
Bytes Utf16Be(const std::u16string& text);

// Any block: tag, length (payload.size(), big-endian), payload. Use it for unsupported
// tags and for deliberately malformed blocks.
Bytes Block(std::uint8_t tag, const Bytes& payload);
// A block whose length field says `length` whatever the payload holds.
Bytes BlockWithLength(std::uint8_t tag, std::uint16_t length, const Bytes& payload);

struct Name {
  std::uint8_t language;  // 1 to 47
  std::u16string text;    // without terminator
};

// The name table marker byte the layout uses: 0xCD for 36-byte records, 0x00 for 22.
std::uint8_t NameMarker(int recordSize);

// Payload of a name block: count, table (language, marker, end offset), texts.
Bytes NameTable(const std::vector<Name>& names, std::uint8_t marker);
Bytes MenuNameBlock(const std::vector<Name>& names, std::uint8_t marker);     // tag 0
Bytes SoftkeyNameBlock(const std::vector<Name>& names, std::uint8_t marker);  // tag 1

Bytes UrlBlock(const std::string& url);                        // tag 5
Bytes MidletBlock(std::uint8_t tag, const std::string& text);  // tags 9, 10, 11
// Icon path, written with tag 6 or 12; kind 2 list, 3 static, 4 animated.
Bytes IconPathBlock(std::uint8_t tag, std::uint8_t iconKind, const std::u16string& path);
// Icon DRM index, tags 15, 16, 17: first byte, a zero byte, the index big-endian.
Bytes DrmBlock(std::uint8_t tag, std::uint8_t first, std::uint16_t index);

Bytes Concat(const std::vector<Bytes>& parts);

// ---------------------------------------------------------------- records and files

// One record exactly as it will stand in the file.
struct Record {
  std::uint8_t kind = 0;
  std::uint8_t parent = 0xFF;
  std::uint8_t next = 0xFF;
  std::uint8_t child = 0xFF;
  std::uint8_t flags = 0;
  std::uint8_t attributes = 0;
  std::string identifier;    // written zero-padded, cut to the field (12 or 25 bytes)
  std::uint8_t area = 0xCD;  // written in the 36-byte layout only
  std::uint16_t dataOffset = 0;
  std::uint16_t dataLength = 0;
};

// A whole file as bytes-to-be: header values, every record (0 to 9 included), the data area.
struct RawMenu {
  int recordSize = 36;  // 22 or 36
  std::uint8_t variant = 0x01;
  int recordCount = -1;  // -1: records.size(); set a value to write a different header count
  std::vector<Record> records;
  Bytes dataArea;
};

// Header (10 bytes), the records in the layout's size, then the data area.
Bytes ToBytes(const RawMenu& menu);

// One item of a menu described as a tree.
struct ItemPlan {
  std::string identifier;
  Bytes data;             // the item's data blocks (see above), empty for none
  std::uint8_t kind = 0;  // raised to 1 for a main-menu item with children
  std::uint8_t flags = 0;
  std::uint8_t attributes = 0x41;
  std::vector<ItemPlan> children;
};

struct MenuPlan {
  int recordSize = 36;
  std::uint8_t variant = 0x01;
  // Left softkey, right softkey, Up, Down, Left, Right, Smart key. Written with parent,
  // next and child 0xFF, like the softkeys of a new menu; their `children` are ignored
  // (softkey records have no child lists).
  std::array<ItemPlan, 7> softkeys = DefaultSoftkeys();
  std::vector<ItemPlan> items;  // the main menu, top level

  static std::array<ItemPlan, 7> DefaultSoftkeys();
};

// Numbers the records as the format orders them (each sibling list on consecutive records,
// followed member by member by the lists below it), sets parent/next/child links, area
// bytes, and lays out the item data without gaps in record order, every record carrying
// the running offset. MenuRoot's child is 10 when the main menu has items, else 0xFF.
RawMenu LayOut(const MenuPlan& plan);
inline Bytes BuildMenuFile(const MenuPlan& plan) { return ToBytes(LayOut(plan)); }

// File offset of record `index` in a file of the given record size.
inline std::size_t RecordOffset(int recordSize, int index) {
  return 10 + static_cast<std::size_t>(index) * static_cast<std::size_t>(recordSize);
}

}  // namespace quillet::menubytes
