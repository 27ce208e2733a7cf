#include "item_data.h"

#include <algorithm>

#include "text_codecs.h"

namespace quillet {

std::size_t PayloadSize(const TMMADataBlock& block) {
  switch (block.tag) {
    case kTagMenuName:
    case kTagSoftkeyName: {
      std::size_t size = 1 + 4 * block.names.size();
      for (const TMMANameEntry& name : block.names) size += 2 * WideTextLength(name.text) + 2;
      return size;
    }
    case kTagUrl:
    case kTagMidletApp:
    case kTagMidletName:
    case kTagMidletVendor: return ByteTextLength(block.text) + 1;
    case kTagIconPath06:
    case kTagIconPath: return 1 + 2 * WideTextLength(block.path) + 2;
    case kTagIconDrmList:
    case kTagIconDrmStatic:
    case kTagIconDrmAnimated: return 4;
    case kTagUnsupported: {
      std::size_t size = 0;
      for (const TMMARawEntry& entry : block.raw) size += kBlockHeaderSize + entry.data.size();
      return size;
    }
    default: return 0;  // a tag the model does not hold as decoded data has no payload of its own
  }
}

std::uint16_t PayloadLength(const TMMADataBlock& block) {
  return static_cast<std::uint16_t>(std::min<std::size_t>(PayloadSize(block), kMaxDataBytes));
}

std::size_t ItemDataSize(const TMMAItemData* entry, bool saveAllData) {
  if (entry == nullptr) return 0;
  std::size_t size = 0;
  for (const TMMADataBlock& block : entry->blocks) {
    if (block.tag == kTagUnsupported) {
      // The unsupported block has no header of its own: its raw entries are the file blocks.
      if (saveAllData) size += PayloadSize(block);
    } else {
      size += kBlockHeaderSize + PayloadSize(block);
    }
  }
  return size;
}

std::uint16_t ItemDataLength(const TMMAItemData* entry, bool saveAllData) {
  return static_cast<std::uint16_t>(std::min<std::size_t>(ItemDataSize(entry, saveAllData), kMaxDataBytes));
}

std::string LimitViolation(const TMMAItemData& entry) {
  if (entry.blocks.size() > kMaxBlocks) {
    return "it has " + std::to_string(entry.blocks.size()) + " data blocks (at most " +
           std::to_string(kMaxBlocks) + ")";
  }
  for (const TMMADataBlock& block : entry.blocks) {
    if (block.names.size() > kMaxNames) {
      return "a name list has " + std::to_string(block.names.size()) + " names (at most " +
             std::to_string(kMaxNames) + ")";
    }
    for (const TMMANameEntry& name : block.names) {
      if (WideTextLength(name.text) > kMaxNameUnits) {
        return "a name has " + std::to_string(WideTextLength(name.text)) + " characters (at most " +
               std::to_string(kMaxNameUnits) + ")";
      }
    }
    if (WideTextLength(block.path) > kMaxIconPathUnits) {
      return "an icon path has " + std::to_string(WideTextLength(block.path)) + " characters (at most " +
             std::to_string(kMaxIconPathUnits) + ")";
    }
    if (block.raw.size() > kMaxRawEntries) {
      return "it has " + std::to_string(block.raw.size()) + " unsupported blocks (at most " +
             std::to_string(kMaxRawEntries) + ")";
    }
    for (const TMMARawEntry& raw : block.raw) {
      if (raw.data.size() > kRawEntryBytes) {
        return "an unsupported block has " + std::to_string(raw.data.size()) + " bytes (at most " +
               std::to_string(kRawEntryBytes) + ")";
      }
    }
  }
  return {};
}

void ClearStore(TItemStore& store) {
  for (auto& entry : store) entry.reset();
}

}  // namespace quillet
