#pragma once
// One item's decoded data (names, softkey titles, icons, URL, MIDlet texts and the
// uninterpreted blocks), held compactly: each block keeps only what its tag uses.
// The capacity limits of the file model (11 blocks, 112 names, 99-unit names,
// 11 raw entries of at most 2,048 bytes) are kept by every code path that fills it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "format.h"

namespace quillet {

struct TMMANameEntry {
  std::uint8_t language = 0;
  std::u16string text;  // UTF-16 code units in host order, without terminator; <= 99 units
  bool operator==(const TMMANameEntry&) const = default;
};

struct TMMARawEntry {
  std::uint8_t tag = 0;
  std::vector<std::uint8_t> data;  // the file block's payload, <= 2,048 bytes
  bool operator==(const TMMARawEntry&) const = default;
};

struct TMMADataBlock {
  std::uint16_t length = 0;  // payload length of the file block (see PayloadLength)
  std::uint8_t tag = 0;      // file tag; icon paths always 12; 254 the unsupported block

  // Body, interpreted by tag:
  std::vector<TMMANameEntry> names;  // 0, 1: count = names.size()
  std::string text;                  // 5, 9, 10, 11: byte text without its zero byte
  std::uint8_t iconKind = 0;         // 12: icon kind; 15, 16, 17: the first payload byte
  std::u16string path;               // 12: icon path units in host order, no terminator
  std::uint16_t drmIndex = 0;        // 15, 16, 17
  std::vector<TMMARawEntry> raw;     // 254: count = raw.size()

  bool operator==(const TMMADataBlock&) const = default;
};

struct TMMAItemData {
  std::uint8_t slot = 0;
  std::vector<TMMADataBlock> blocks;  // blockCount = blocks.size(), <= 11
  bool operator==(const TMMAItemData&) const = default;
};

// 256 entries indexed by slot (record index + 1); an empty pointer means no data.
using TItemStore = std::array<std::unique_ptr<TMMAItemData>, kStoreSlots>;

// The payload length a block has in the file, computed from its content:
// names 1 + 4N + sum(2*units + 2); byte texts chars + 1; icon path 1 + 2*units + 2;
// DRM 4; unsupported sum(3 + raw length).
std::uint16_t PayloadLength(const TMMADataBlock& block);

// The same without the 16-bit cap, for the checks that refuse oversized data.
std::size_t PayloadSize(const TMMADataBlock& block);

// Bytes an entry occupies in the data area (0 for none); the unsupported block counts
// only when all data is saved. Not capped: the writer refuses more than 65,535.
std::size_t ItemDataSize(const TMMAItemData* entry, bool saveAllData);

// Length the writer puts into the record for a store entry: ItemDataSize capped to 16
// bits (the writer refuses what goes beyond).
std::uint16_t ItemDataLength(const TMMAItemData* entry, bool saveAllData);

// Sets block.length from its content; every code path that builds or changes a block
// calls it so that the records' lengths always match the bytes written.
inline void RefreshLength(TMMADataBlock& block) { block.length = PayloadLength(block); }

// Which capacity limit of the model an entry breaks, in words ("a name list has 113
// names (at most 112)"); empty when it keeps them all.
std::string LimitViolation(const TMMAItemData& entry);

// Frees every entry of a store (does not touch DataItemCount).
void ClearStore(TItemStore& store);

}  // namespace quillet
