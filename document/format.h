#pragma once
// Byte-level facts of the menu file mma_ucp: sizes, offsets, tags and fixed values.
// Every number wider than one byte in the file is big-endian.
#include <cstddef>
#include <cstdint>

namespace quillet {

inline constexpr std::uint8_t kNone = 0xFF;  // "no record" in record links and slots

inline constexpr std::size_t kHeaderSize = 10;
inline constexpr std::size_t kLayoutProbeOffset = 41;  // 0xCC here means 36-byte records
inline constexpr std::uint8_t kLayoutProbe36 = 0xCC;

inline constexpr int kRecordSize22 = 22;
inline constexpr int kRecordSize36 = 36;
inline constexpr std::size_t kIdentifierWidth22 = 12;
inline constexpr std::size_t kIdentifierWidth36 = 25;
inline constexpr std::size_t kIdentifierOffset = 6;
inline constexpr std::size_t kAreaOffset36 = 31;

inline constexpr std::uint8_t kVariantPlain = 0x01;
inline constexpr std::uint8_t kVariantC698p = 0x03;

inline constexpr std::uint8_t kAreaSoftkeys = 0xCC;
inline constexpr std::uint8_t kAreaMainMenu = 0xCD;
inline constexpr std::uint8_t kNameMarker36 = 0xCD;
inline constexpr std::uint8_t kNameMarker22 = 0x00;

// Record indexes of the fixed records.
inline constexpr int kRootRecord = 0;
inline constexpr int kContainerRecord = 1;
inline constexpr int kFirstSoftkeyRecord = 2;
inline constexpr int kSoftkeyCount = 7;
inline constexpr int kMenuRootRecord = 9;
inline constexpr int kFirstMenuRecord = 10;

inline constexpr int kMaxRecords = 255;  // record indexes are bytes and 0xFF means none
inline constexpr int kFixedRecords = 10;
inline constexpr int kMaxMainMenuItems = kMaxRecords - kFixedRecords;  // 245
inline constexpr std::size_t kMaxDataBytes = 65535;                    // 16-bit offsets and lengths

// Absolute indexes (depth-first positions) of the fixed tree nodes.
inline constexpr int kSoftkeysNodeIndex = 0;
inline constexpr int kMenuRootNodeIndex = 8;
inline constexpr int kFirstMenuNodeIndex = 9;
inline constexpr int kFixedNodeCount = 9;

// Capacity limits of one item's decoded data.
inline constexpr std::size_t kStoreSlots = 256;
inline constexpr std::size_t kMaxBlocks = 11;
inline constexpr std::size_t kMaxNames = 112;
inline constexpr std::size_t kNameTextBytes = 200;  // 99 UTF-16 units + terminator
inline constexpr std::size_t kMaxNameUnits = 99;
inline constexpr std::size_t kMaxIconPathUnits = 126;
inline constexpr std::size_t kMaxByteTextLength = 255;
inline constexpr std::size_t kMaxRawEntries = 11;
inline constexpr std::size_t kRawEntryBytes = 2048;
inline constexpr std::size_t kBlockHeaderSize = 3;  // tag + 16-bit length

// Block tags.
inline constexpr std::uint8_t kTagMenuName = 0;
inline constexpr std::uint8_t kTagSoftkeyName = 1;
inline constexpr std::uint8_t kTagUrl = 5;
inline constexpr std::uint8_t kTagIconPath06 = 6;
inline constexpr std::uint8_t kTagMidletApp = 9;
inline constexpr std::uint8_t kTagMidletName = 10;
inline constexpr std::uint8_t kTagMidletVendor = 11;
inline constexpr std::uint8_t kTagIconPath = 12;  // icon paths are held with this tag
inline constexpr std::uint8_t kTagIconDrmList = 15;
inline constexpr std::uint8_t kTagIconDrmStatic = 16;
inline constexpr std::uint8_t kTagIconDrmAnimated = 17;
inline constexpr std::uint8_t kTagUnsupported = 254;  // in memory only

// Icon kinds (first payload byte of an icon path block).
inline constexpr std::uint8_t kIconKindList = 2;
inline constexpr std::uint8_t kIconKindStatic = 3;
inline constexpr std::uint8_t kIconKindAnimated = 4;
// The first payload byte the item dialog writes before a DRM index.
inline constexpr std::uint8_t kDrmFirstByte = 0x12;

// Record kinds.
inline constexpr std::uint8_t kKindPlain = 0;
inline constexpr std::uint8_t kKindSubmenu = 1;
inline constexpr std::uint8_t kKindUrl = 3;
inline constexpr std::uint8_t kKindMidlet = 6;

inline constexpr std::uint8_t kFlagsCustom = 0x18;
inline constexpr std::uint8_t kFlagsNamed = 0x08;
inline constexpr std::uint8_t kNewItemAttributes = 0x41;
inline constexpr std::uint8_t kLinkedItemAttributes = 0x60;  // items with a URL or MIDlet

}  // namespace quillet
