#include "menu_writer.h"

#include <array>
#include <optional>

#include "display_text.h"
#include "file_io.h"
#include "save_losses.h"
#include "text_codecs.h"

namespace quillet {

namespace {

using IdentifierBuffer = std::array<std::uint8_t, kIdentifierWidth36>;

// Copies the identifier into a zeroed buffer; the caller writes as much of it as its
// layout's identifier field holds, which cuts longer identifiers.
void PadIdentifier(const std::string& identifier, IdentifierBuffer& buffer) {
  buffer.fill(0);
  for (std::size_t i = 0; i < identifier.size() && i < buffer.size(); ++i) {
    buffer[i] = static_cast<std::uint8_t>(identifier[i]);
  }
}

Error Refusal(ErrorCode code, std::string message, std::optional<int> record = {}) {
  return Error{code, std::move(message), {}, {}, record};
}

std::string ItemLabel(const MenuNode& node) { return QuotedCaption(node.caption()); }

// What the writer changes in an item once the whole file could be built.
struct RecordUpdate {
  const MenuNode* node;
  std::uint8_t kind;
  std::uint16_t dataOffset;
  std::uint16_t dataLength;
};

class MenuWriter {
 public:
  // A measuring writer checks every limit the way a writing one does but builds no bytes:
  // a load asks it whether the file could be saved as it is.
  enum class Mode { Write, Measure };

  MenuWriter(const MenuDocument& doc, const SaveOptions& options, Mode mode = Mode::Write)
      : doc_(doc),
        options_(options),
        measuring_(mode == Mode::Measure),
        identifierWidth_(options.layout == RecordLayout::Bytes22 ? kIdentifierWidth22 : kIdentifierWidth36) {}

  Result<std::vector<std::uint8_t>> Serialize(std::vector<RecordUpdate>& updates) {
    const bool wide = options_.layout == RecordLayout::Bytes36;
    const MenuNode* softkeys = doc_.softkeysNode();
    const MenuNode* menuRoot = doc_.menuRootNode();
    const auto nodes = static_cast<std::size_t>(doc_.tree.nodeCount());

    const std::uint8_t header[kHeaderSize] = {0x00,
                                              options_.c698p ? kVariantC698p : kVariantPlain,
                                              static_cast<std::uint8_t>(nodes + 1),
                                              0x01,
                                              0xFF,
                                              0xFF,
                                              static_cast<std::uint8_t>(wide ? 0x15 : 0xFF),
                                              static_cast<std::uint8_t>(wide ? 0x02 : 0xFF),
                                              0xFF,
                                              0xFF};
    if (!measuring_) {
      out_.reserve(kHeaderSize + (nodes + 1) * RecordSize() + kMaxDataBytes);
      updates_.reserve(nodes);
      dataOrder_.reserve(nodes);
      out_.assign(header, header + kHeaderSize);
    }

    TMMAItem rootRecord;
    rootRecord.kind = kKindSubmenu;
    rootRecord.child = kContainerRecord;
    rootRecord.identifier = "Root";
    rootRecord.area = kAreaSoftkeys;
    WriteFixedRecord(rootRecord);
    WriteFixedRecord(softkeys->item());
    WriteItemList(softkeys->children());
    WriteFixedRecord(menuRoot->item());
    WriteItemList(menuRoot->children());
    if (error_) return *error_;

    if (!measuring_) {
      for (const TMMAItemData* entry : dataOrder_) WriteItemData(*entry);
    }
    updates = std::move(updates_);
    return std::move(out_);
  }

 private:
  void Put8(std::uint8_t value) { out_.push_back(value); }
  void Put16(std::size_t value) {
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
    out_.push_back(static_cast<std::uint8_t>(value & 0xFF));
  }

  void WriteRecordHead(const TMMAItem& item, std::uint8_t kind) {
    Put8(kind);
    Put8(item.parent);
    Put8(item.next);
    Put8(item.child);
    Put8(item.flags);
    Put8(item.attributes);
    IdentifierBuffer buffer;
    PadIdentifier(item.identifier, buffer);
    out_.insert(out_.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(identifierWidth_));
    if (identifierWidth_ == kIdentifierWidth36) Put8(item.area);
  }

  // Root, Container and MenuRoot carry no data: offset and length are written as 0.
  void WriteFixedRecord(const TMMAItem& item) {
    ++records_;
    if (measuring_) return;
    WriteRecordHead(item, item.kind);
    Put16(0);
    Put16(0);
  }

  std::uint8_t KindToWrite(const MenuNode& node) const {
    const std::uint8_t kind = node.item().kind;
    if (kind == kKindSubmenu && !node.hasChildren() && node.item().area != kAreaSoftkeys) return kKindPlain;
    return KindNeedsAllData(kind) && !options_.saveAllData ? kKindPlain : kind;
  }

  void WriteItemList(NodeList<const MenuNode> list) {
    for (const MenuNode* node : list) {
      if (error_) return;
      const int record = records_;
      const TMMAItemData* entry = doc_.ItemData(*node);
      if (entry != nullptr) {
        if (std::string broken = LimitViolation(*entry); !broken.empty()) {
          error_ = Refusal(ErrorCode::LimitExceeded,
                           "Item " + ItemLabel(*node) + " cannot be saved: " + broken + ".", record);
          return;
        }
      }
      const std::size_t length = ItemDataSize(entry, options_.saveAllData);
      if (length > kMaxDataBytes) {
        error_ = Refusal(ErrorCode::DataTooLong,
                         "The data of item " + ItemLabel(*node) + " takes " + std::to_string(length) +
                             " bytes; a menu file allows at most 65535 bytes per item.",
                         record);
        return;
      }
      if (runningOffset_ > kMaxDataBytes) {
        error_ = Refusal(ErrorCode::DataTooLong,
                         "The menu's item data reaches byte " + std::to_string(runningOffset_) + " at item " +
                             ItemLabel(*node) + "; a menu file can address at most 65535 bytes of item data.",
                         record);
        return;
      }
      const std::uint8_t kind = KindToWrite(*node);
      ++records_;
      if (!measuring_) {
        WriteRecordHead(node->item(), kind);
        Put16(runningOffset_);
        Put16(length);
        updates_.push_back(
            {node, kind, static_cast<std::uint16_t>(runningOffset_), static_cast<std::uint16_t>(length)});
        if (length != 0) dataOrder_.push_back(entry);
      }
      runningOffset_ += length;
    }
    for (const MenuNode* node : list) WriteItemList(node->children());
  }

  void WriteItemData(const TMMAItemData& entry) {
    for (const TMMADataBlock& block : entry.blocks) {
      if (block.tag == kTagUnsupported) {
        if (!options_.saveAllData) continue;
        for (const TMMARawEntry& raw : block.raw) {
          Put8(raw.tag);
          Put16(raw.data.size());
          out_.insert(out_.end(), raw.data.begin(), raw.data.end());
        }
        continue;
      }
      const bool iconPath = block.tag == kTagIconPath || block.tag == kTagIconPath06;
      Put8(iconPath ? (options_.iconTag == IconTag::Tag06 ? kTagIconPath06 : kTagIconPath) : block.tag);
      Put16(PayloadSize(block));
      WritePayload(block);
    }
  }

  void WritePayload(const TMMADataBlock& block) {
    switch (block.tag) {
      case kTagMenuName:
      case kTagSoftkeyName: {
        Put8(static_cast<std::uint8_t>(block.names.size()));
        const std::uint8_t marker = options_.layout == RecordLayout::Bytes36 ? kNameMarker36 : kNameMarker22;
        std::size_t end = 0;
        for (const TMMANameEntry& name : block.names) {
          end += 2 * WideTextLength(name.text) + 2;
          Put8(name.language);
          Put8(marker);
          Put16(end);
        }
        for (const TMMANameEntry& name : block.names) EncodeWideText(name.text, out_);
        break;
      }
      case kTagUrl:
      case kTagMidletApp:
      case kTagMidletName:
      case kTagMidletVendor: EncodeByteText(block.text, out_); break;
      case kTagIconPath06:
      case kTagIconPath:
        Put8(block.iconKind);
        EncodeWideText(block.path, out_);
        break;
      case kTagIconDrmList:
      case kTagIconDrmStatic:
      case kTagIconDrmAnimated:
        Put8(block.iconKind);
        Put8(0);
        Put16(block.drmIndex);
        break;
      default: break;  // no payload, as PayloadSize counts it
    }
  }

  std::size_t RecordSize() const {
    return identifierWidth_ == kIdentifierWidth36 ? static_cast<std::size_t>(kRecordSize36)
                                                  : static_cast<std::size_t>(kRecordSize22);
  }

  const MenuDocument& doc_;
  const SaveOptions& options_;
  bool measuring_;
  std::size_t identifierWidth_;
  int records_ = 0;  // records passed so far, for the record a refusal names
  std::vector<std::uint8_t> out_;
  std::size_t runningOffset_ = 0;
  std::vector<const TMMAItemData*> dataOrder_;  // in record order, the entries written
  std::vector<RecordUpdate> updates_;
  std::optional<Error> error_;
};

std::optional<Error> CheckShape(const MenuDocument& doc) {
  if (doc.tree.empty()) return Refusal(ErrorCode::NoDocument, "There is no menu to save.");
  const auto top = doc.tree.topLevel();
  const bool softkeysFixed =
      top.size() == 2 && top[0]->childCount() == static_cast<std::size_t>(kSoftkeyCount);
  bool softkeysPlain = softkeysFixed;
  for (std::size_t i = 0; softkeysFixed && i < top[0]->childCount(); ++i) {
    softkeysPlain = softkeysPlain && !top[0]->child(i)->hasChildren();
  }
  if (!softkeysPlain) {
    return Refusal(ErrorCode::NoDocument,
                   "The menu lacks its fixed parts (\"Softkeys\" with seven softkeys, and \"Menu Root\").");
  }
  if (doc.mainMenuItemCount() > kMaxMainMenuItems) {
    return Refusal(ErrorCode::TooManyItems, "The main menu has " + std::to_string(doc.mainMenuItemCount()) +
                                                " items; a menu file holds at most " +
                                                std::to_string(kMaxMainMenuItems) + ".");
  }
  return std::nullopt;
}

}  // namespace

Result<std::vector<std::uint8_t>> SerializeMenu(MenuDocument& doc, const SaveOptions& options) {
  if (std::optional<Error> refused = CheckShape(doc)) return *refused;
  std::vector<RecordUpdate> updates;
  auto bytes = MenuWriter(doc, options).Serialize(updates);
  if (!bytes) return bytes;
  // Only a file that could be built in full changes the items, so a refusal leaves the
  // document exactly as it was.
  for (const RecordUpdate& update : updates) {
    TMMAItem& record = doc.tree.editRecord(*update.node);
    record.kind = update.kind;
    record.dataOffset = update.dataOffset;
    record.dataLength = update.dataLength;
  }
  return bytes;
}

std::optional<Error> CheckSavable(const MenuDocument& doc, const SaveOptions& options) {
  if (std::optional<Error> refused = CheckShape(doc)) return refused;
  std::vector<RecordUpdate> updates;
  auto bytes = MenuWriter(doc, options, MenuWriter::Mode::Measure).Serialize(updates);
  if (!bytes) return bytes.error();
  return std::nullopt;
}

Status SaveMenuFile(const std::string& path, MenuDocument& doc, const SaveOptions& options) {
  auto bytes = SerializeMenu(doc, options);
  if (!bytes) {
    Error error = bytes.error();
    error.path = path;
    error.message = "Cannot save " + QuotedPath(path) + ": " + error.message;
    return error;
  }
  return WriteFileAtomically(path, bytes.value());
}

}  // namespace quillet
