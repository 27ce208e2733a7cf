#include "menu_loader.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <span>
#include <utility>

#include "catalogue.h"
#include "display_text.h"
#include "file_io.h"
#include "menu_writer.h"
#include "text_codecs.h"

namespace quillet {

namespace {

// The payload of one data block, with bounds already checked against the item's data.
struct Payload {
  const std::uint8_t* bytes;
  std::size_t size;
  std::uint8_t at(std::size_t i) const { return bytes[i]; }
  std::span<const std::uint8_t> span(std::size_t from, std::size_t count) const {
    return {bytes + from, count};
  }
  std::uint16_t be16(std::size_t i) const {
    return static_cast<std::uint16_t>((bytes[i] << 8) | bytes[i + 1]);
  }
};

// Reads a UTF-16 big-endian text of `size` bytes that must end with its zero terminator and
// hold no other zero unit, so that writing it back gives the same bytes.
std::optional<std::u16string> WideText(const Payload& p, std::size_t from, std::size_t size) {
  if (size % 2 != 0) return std::nullopt;
  std::u16string text = DecodeWideText(p.span(from, size));  // stops at the first zero unit
  if (2 * text.size() + 2 != size) return std::nullopt;
  return text;
}

// Decoding of one recognised block; `problem` says why the model cannot hold it as such.
struct Decoded {
  std::optional<TMMADataBlock> block;
  std::string problem;
};

Decoded Malformed(std::string problem) { return Decoded{std::nullopt, std::move(problem)}; }

Decoded DecodeNames(std::uint8_t tag, const Payload& p) {
  if (p.size < 1) return Malformed("its name table has no count byte");
  const std::size_t count = p.at(0);
  if (count > kMaxNames) {
    return Malformed("it has " + std::to_string(count) + " names (at most " + std::to_string(kMaxNames) +
                     ")");
  }
  const std::size_t tableEnd = 1 + 4 * count;
  if (tableEnd > p.size) return Malformed("its name table runs past the block");
  const std::size_t area = p.size - tableEnd;
  TMMADataBlock block;
  block.tag = tag;
  block.names.reserve(count);
  std::size_t previous = 0;
  for (std::size_t j = 0; j < count; ++j) {
    const std::size_t end = p.be16(3 + 4 * j);
    if (end < previous || end > area)
      return Malformed("name " + std::to_string(j + 1) + " lies outside the block");
    std::optional<std::u16string> text = WideText(p, tableEnd + previous, end - previous);
    if (!text) return Malformed("name " + std::to_string(j + 1) + " is not a terminated UTF-16 text");
    if (text->size() > kMaxNameUnits) {
      return Malformed("name " + std::to_string(j + 1) + " has " + std::to_string(text->size()) +
                       " characters (at most " + std::to_string(kMaxNameUnits) + ")");
    }
    block.names.push_back({p.at(1 + 4 * j), std::move(*text)});
    previous = end;
  }
  if (previous != area)
    return Malformed("it has " + std::to_string(area - previous) + " bytes after its last name");
  return Decoded{std::move(block), {}};
}

Decoded ReadByteTextBlock(std::uint8_t tag, const Payload& p) {
  if (p.size < 1 || p.at(p.size - 1) != 0) return Malformed("its text has no closing zero byte");
  TMMADataBlock block;
  block.tag = tag;
  block.text = DecodeByteText(p.span(0, p.size));
  if (block.text.size() + 1 != p.size) return Malformed("its text holds a zero byte before its end");
  if (block.text.size() > kMaxByteTextLength) {
    return Malformed("its text has " + std::to_string(block.text.size()) + " characters (at most " +
                     std::to_string(kMaxByteTextLength) + ")");
  }
  return Decoded{std::move(block), {}};
}

Decoded DecodeIconPath(const Payload& p) {
  if (p.size < 1) return Malformed("it has no icon kind");
  std::optional<std::u16string> path = WideText(p, 1, p.size - 1);
  if (!path) return Malformed("its path is not a terminated UTF-16 text");
  if (path->size() > kMaxIconPathUnits) {
    return Malformed("its path has " + std::to_string(path->size()) + " characters (at most " +
                     std::to_string(kMaxIconPathUnits) + ")");
  }
  TMMADataBlock block;
  block.tag = kTagIconPath;  // tags 6 and 12 carry the same content and are held as 12
  block.iconKind = p.at(0);
  block.path = std::move(*path);
  return Decoded{std::move(block), {}};
}

Decoded DecodeDrm(std::uint8_t tag, const Payload& p) {
  if (p.size != 4) return Malformed("it has " + std::to_string(p.size) + " bytes instead of 4");
  TMMADataBlock block;
  block.tag = tag;
  block.iconKind = p.at(0);
  block.drmIndex = p.be16(2);
  return Decoded{std::move(block), {}};
}

// nullopt for a tag the model does not interpret.
std::optional<Decoded> DecodeKnown(std::uint8_t tag, const Payload& p) {
  switch (tag) {
    case kTagMenuName:
    case kTagSoftkeyName: return DecodeNames(tag, p);
    case kTagUrl:
    case kTagMidletApp:
    case kTagMidletName:
    case kTagMidletVendor: return ReadByteTextBlock(tag, p);
    case kTagIconPath06:
    case kTagIconPath: return DecodeIconPath(p);
    case kTagIconDrmList:
    case kTagIconDrmStatic:
    case kTagIconDrmAnimated: return DecodeDrm(tag, p);
    default: return std::nullopt;
  }
}

class MenuLoader {
 public:
  MenuLoader(const std::vector<std::uint8_t>& bytes, MenuDocument& doc, const std::string& source)
      : bytes_(bytes), doc_(doc), source_(source) {}

  Result<LoadOutcome> Load() {
    fileRecords_.reserve(kStoreSlots);
    if (auto refused = ReadHeader()) return *refused;
    ReadSoftkeys();
    MenuNode* menuRoot = doc_.tree.addTopLevel("Menu Root", MenuRootItem(0));
    ReadItemList(RecordOffset(kFirstMenuRecord), *menuRoot);
    ReportUnreadRecords();
    doc_.RebuildLinks();
    if (bytes_.size() > doc_.DataAreaStart) {
      for (int index : {kSoftkeysNodeIndex, kMenuRootNodeIndex}) {
        if (auto refused = ReadItemData(*doc_.tree.nodeAt(index))) return *refused;
      }
    } else {
      ReportMissingDataArea();
    }
    ReportUnsavable();
    outcome_.summary = doc_.DocumentSummary();
    return std::move(outcome_);
  }

 private:
  Error Refusal(ErrorCode code, const std::string& what, std::optional<std::size_t> offset = {},
                std::optional<int> record = {}) const {
    return Error{code, "Cannot load " + QuotedPath(source_) + ": " + what, source_, offset, record};
  }
  void Warn(const MenuNode& node, LoadWarningKind kind, const std::string& what) {
    outcome_.warnings.push_back({kind, "Item " + QuotedCaption(node.caption()) + " (record " +
                                           std::to_string(FileRecord(node)) + "): " + what});
  }
  // The record the node was read from; RebuildLinks may give it another index later.
  int FileRecord(const MenuNode& node) const {
    for (const auto& [read, record] : fileRecords_) {
      if (read == &node) return record;
    }
    return node.item().slot - 1;
  }

  std::size_t RecordOffset(int record) const {
    return kHeaderSize + static_cast<std::size_t>(record) * recordSize_;
  }
  std::uint16_t Be16(std::size_t at) const {
    return static_cast<std::uint16_t>((bytes_[at] << 8) | bytes_[at + 1]);
  }

  std::optional<Error> ReadHeader() {
    const std::size_t size = bytes_.size();
    if (size <= kLayoutProbeOffset) {
      return Refusal(ErrorCode::FileTooShort,
                     "the file has " + std::to_string(size) +
                         " bytes, too few for the header and the fixed records of a menu file.");
    }
    const bool wide = bytes_[kLayoutProbeOffset] == kLayoutProbe36;
    recordSize_ = static_cast<std::size_t>(wide ? kRecordSize36 : kRecordSize22);
    const std::size_t fixedEnd = RecordOffset(kMenuRootRecord);
    if (size < fixedEnd) {
      return Refusal(ErrorCode::FileTooShort, "the file has " + std::to_string(size) +
                                                  " bytes, but the header and the " + "fixed records of a " +
                                                  std::to_string(recordSize_) + "-byte menu file need " +
                                                  std::to_string(fixedEnd) + ".");
    }
    recordCount_ = bytes_[2];
    if (recordCount_ < kFixedRecords) {
      return Refusal(ErrorCode::BadRecordTable,
                     "the header announces " + std::to_string(recordCount_) + " records, fewer than the " +
                         std::to_string(kFixedRecords) + " fixed records.",
                     2);
    }
    const std::size_t dataAreaStart = RecordOffset(recordCount_);
    if (size < dataAreaStart) {
      return Refusal(ErrorCode::BadRecordTable,
                     "the record table is cut short: " + std::to_string(recordCount_) +
                         " records end at byte " + std::to_string(dataAreaStart) +
                         ", but the file has only " + std::to_string(size) + " bytes.",
                     size);
    }
    doc_.RecordSize = static_cast<int>(recordSize_);
    doc_.DataAreaStart = static_cast<std::uint32_t>(dataAreaStart);

    LoadedOptions& options = outcome_.options;
    options.layout = wide ? RecordLayout::Bytes36 : RecordLayout::Bytes22;
    const bool choosable = LayoutLetsChooseIconTagAndC698p(options.layout);
    options.c698pEnabled = choosable;
    options.c698p = choosable && bytes_[1] == kVariantC698p;
    options.iconTagEnabled = choosable;
    options.iconTag = IconTag::Tag0C;
    options.iconTagDecided = !choosable;
    return std::nullopt;
  }

  TMMAItem ReadRecord(std::size_t at, std::uint8_t area) const {
    TMMAItem item;
    item.kind = bytes_[at];
    item.parent = bytes_[at + 1];
    item.next = bytes_[at + 2];
    item.child = bytes_[at + 3];
    item.flags = bytes_[at + 4];
    item.attributes = bytes_[at + 5];
    const std::size_t width = recordSize_ == kRecordSize36 ? kIdentifierWidth36 : kIdentifierWidth22;
    const std::uint8_t* identifier = bytes_.data() + at + kIdentifierOffset;
    std::size_t length = 0;
    while (length < width && identifier[length] != 0) ++length;
    item.identifier.assign(reinterpret_cast<const char*>(identifier), length);
    item.area = area;
    item.dataOffset = Be16(at + recordSize_ - 4);
    item.dataLength = Be16(at + recordSize_ - 2);
    item.hasData = item.dataLength != 0 ? 1 : 0;
    if (IsCustomIdentifier(item.identifier)) {
      doc_.CustomItemCount = static_cast<std::uint8_t>(doc_.CustomItemCount + 1);
    } else if (item.flags == kFlagsCustom) {
      item.flags = kFlagsNamed;  // only custom items carry the custom flags
    }
    return item;
  }

  void ReadSoftkeys() {
    MenuNode* softkeys = doc_.tree.addTopLevel("Softkeys", SoftkeysContainerItem());
    for (int i = 0; i < kSoftkeyCount; ++i) {
      TMMAItem item = ReadRecord(RecordOffset(kFirstSoftkeyRecord + i), kAreaSoftkeys);
      item.slot = static_cast<std::uint8_t>(kFirstSoftkeyRecord + i + 1);
      std::string caption =
          std::string(SoftkeyPrefixes[static_cast<std::size_t>(i)]) + CaptionForIdentifier(item.identifier);
      fileRecords_.emplace_back(doc_.tree.addLastChild(softkeys, std::move(caption), std::move(item)),
                                kFirstSoftkeyRecord + i);
    }
  }

  // Reads the sibling list starting at `offset` into `parent`, and the lists below it.
  void ReadItemList(std::size_t offset, MenuNode& parent) {
    std::optional<std::uint8_t> listParent;
    for (; offset < doc_.DataAreaStart; offset += recordSize_) {
      const auto record = static_cast<int>((offset - kHeaderSize) / recordSize_);
      if (listParent && bytes_[offset + 1] != *listParent) return;
      if (read_[static_cast<std::size_t>(record)]) {
        Warn(parent, LoadWarningKind::ListCutShort,
             "its list runs into record " + std::to_string(record) +
                 ", which was already read; the list ends there.");
        return;
      }
      listParent = bytes_[offset + 1];
      if (itemsRead_ >= kMaxMainMenuItems) return;  // cannot happen with byte indexes; kept as a guard
      read_[static_cast<std::size_t>(record)] = true;
      ++itemsRead_;
      TMMAItem item = ReadRecord(offset, kAreaMainMenu);
      item.canHaveSubmenu = SubmenuFlagForIdentifier(item.identifier);
      std::string caption = CaptionForIdentifier(item.identifier);
      const std::uint8_t child = item.child;
      MenuNode* node = doc_.tree.addLastChild(&parent, std::move(caption), std::move(item));
      fileRecords_.emplace_back(node, record);
      if (child == kNone) continue;
      if (child < kFirstMenuRecord || child >= recordCount_) {
        Warn(*node, LoadWarningKind::SubmenuLinkIgnored,
             "its submenu link points to record " + std::to_string(child) +
                 ", which is not a main-menu record; the link is not followed.");
      } else if (read_[child]) {
        Warn(*node, LoadWarningKind::SubmenuLinkIgnored,
             "its submenu link points to record " + std::to_string(child) +
                 ", which was already read; the link is not followed.");
      } else {
        ReadItemList(RecordOffset(child), *node);
      }
    }
  }

  void ReportUnreadRecords() {
    int unread = 0;
    for (int record = kFirstMenuRecord; record < recordCount_; ++record)
      unread += read_[static_cast<std::size_t>(record)] ? 0 : 1;
    if (unread == 0) return;
    outcome_.warnings.push_back(
        {LoadWarningKind::RecordsNotLoaded,
         "In " + QuotedPath(source_) + ", " + std::to_string(unread) +
             " record(s) of the record table belong to no menu list and are not loaded."});
  }

  void ReportMissingDataArea() {
    int announced = 0;
    doc_.tree.forEach([&](MenuNode& node) {
      if (node.item().hasData == 0) return;
      ++announced;
      TMMAItem& record = doc_.tree.editRecord(node);
      record.hasData = 0;
      record.dataLength = 0;
    });
    if (announced == 0) return;
    outcome_.warnings.push_back(
        {LoadWarningKind::DataWithoutDataArea,
         "In " + QuotedPath(source_) + ", " + std::to_string(announced) +
             " item(s) announce item data, but the file has no data area; they are loaded without data."});
  }

  // A file whose item data run past the 65,535 bytes that 16-bit offsets address (the
  // offsets of such files wrap around) loads, but the writer refuses it: say so now,
  // not at the first save.
  void ReportUnsavable() {
    const LoadedOptions& loaded = outcome_.options;
    const SaveOptions asLoaded{loaded.layout, true, loaded.c698p, loaded.iconTag};
    if (std::optional<Error> refused = CheckSavable(doc_, asLoaded)) {
      outcome_.warnings.push_back({LoadWarningKind::NotSavable,
                                   QuotedPath(source_) + " cannot be saved as it is: " + refused->message +
                                       " Remove items or item data before saving."});
    }
  }

  std::optional<Error> ReadItemData(MenuNode& node) {
    if (node.item().hasData != 0) {
      const std::size_t start = doc_.DataAreaStart + node.item().dataOffset;
      const std::size_t end = start + node.item().dataLength;
      if (end > bytes_.size()) {
        return Refusal(ErrorCode::DataOutOfRange,
                       "the data of item " + QuotedCaption(node.caption()) + " (bytes " +
                           std::to_string(start) + " to " + std::to_string(end) +
                           ") lies beyond the end of the file at byte " + std::to_string(bytes_.size()) + ".",
                       start, FileRecord(node));
      }
      DecodeItemData(node, Payload{bytes_.data() + start, node.item().dataLength});
    }
    for (const auto& child : node.children()) {
      if (auto refused = ReadItemData(*child)) return refused;
    }
    return std::nullopt;
  }

  void DecodeItemData(MenuNode& node, const Payload& data) {
    auto entry = std::make_unique<TMMAItemData>();
    entry->slot = node.item().slot;
    entry->blocks.reserve(std::min(CountBlocks(data), kMaxBlocks));
    std::optional<std::size_t> unsupported;  // index of the item's unsupported block
    for (std::size_t p = 0; p < data.size;) {
      if (p + kBlockHeaderSize > data.size || p + kBlockHeaderSize + data.be16(p + 1) > data.size) {
        Warn(node, LoadWarningKind::BlockCutShort,
             "the data block at byte " + std::to_string(p) + " runs past the end of the item's " +
                 std::to_string(data.size) + " bytes of data; the rest is not kept.");
        break;
      }
      const std::uint8_t tag = data.at(p);
      const Payload payload{data.bytes + p + kBlockHeaderSize, data.be16(p + 1)};
      p += kBlockHeaderSize + payload.size;

      std::optional<Decoded> known = DecodeKnown(tag, payload);
      if (known && known->block) {
        if (entry->blocks.size() >= kMaxBlocks) {
          Warn(node, LoadWarningKind::BlockDropped,
               BlockName(tag) + " is beyond the " + std::to_string(kMaxBlocks) +
                   " data blocks an item can hold and is not kept.");
          continue;
        }
        if (tag == kTagIconPath06 || tag == kTagIconPath) {
          outcome_.options.iconTag = tag == kTagIconPath06 ? IconTag::Tag06 : IconTag::Tag0C;
          outcome_.options.iconTagDecided = true;
        }
        known->block->length = static_cast<std::uint16_t>(payload.size);
        entry->blocks.push_back(std::move(*known->block));
        continue;
      }
      const std::string problem = known ? known->problem : std::string();
      if (KeepRaw(node, *entry, unsupported, tag, payload, problem) && !problem.empty()) {
        Warn(node, LoadWarningKind::BlockKeptUnsupported,
             BlockName(tag) + " cannot be read (" + problem +
                 "); it is kept as unsupported data, which is saved only with \"Save all data\".");
      }
    }
    if (entry->blocks.empty()) return;
    doc_.LoadItemData(node, std::move(entry));
  }

  // The blocks the item's data holds, counted by their headers, so the item's list of
  // blocks is allocated once.
  static std::size_t CountBlocks(const Payload& data) {
    std::size_t count = 0;
    for (std::size_t p = 0; p + kBlockHeaderSize <= data.size; p += kBlockHeaderSize + data.be16(p + 1))
      ++count;
    return count;
  }

  // Appends a block to the item's unsupported block, opening it at the first such block.
  bool KeepRaw(MenuNode& node, TMMAItemData& entry, std::optional<std::size_t>& unsupported, std::uint8_t tag,
               const Payload& payload, const std::string& problem) {
    const std::string reason = problem.empty() ? "" : " (" + problem + ")";
    if (payload.size > kRawEntryBytes) {
      Warn(node, LoadWarningKind::BlockDropped,
           BlockName(tag) + reason + " has " + std::to_string(payload.size) + " bytes, more than the " +
               std::to_string(kRawEntryBytes) + " an unsupported block can hold; it is not kept.");
      return false;
    }
    if (!unsupported) {
      if (entry.blocks.size() >= kMaxBlocks) {
        Warn(node, LoadWarningKind::BlockDropped,
             BlockName(tag) + reason + " is beyond the " + std::to_string(kMaxBlocks) +
                 " data blocks an item can hold and is not kept.");
        return false;
      }
      unsupported = entry.blocks.size();
      entry.blocks.push_back(TMMADataBlock{});
      entry.blocks.back().tag = kTagUnsupported;
    }
    TMMADataBlock& block = entry.blocks[*unsupported];
    if (block.raw.size() >= kMaxRawEntries) {
      Warn(node, LoadWarningKind::BlockDropped,
           BlockName(tag) + reason + " is beyond the " + std::to_string(kMaxRawEntries) +
               " unsupported blocks an item can hold and is not kept.");
      return false;
    }
    block.raw.push_back({tag, std::vector<std::uint8_t>(payload.bytes, payload.bytes + payload.size)});
    block.length = static_cast<std::uint16_t>(block.length + kBlockHeaderSize + payload.size);
    return true;
  }

  static std::string BlockName(std::uint8_t tag) { return "the data block with tag " + std::to_string(tag); }

  const std::vector<std::uint8_t>& bytes_;
  MenuDocument& doc_;
  const std::string& source_;
  std::size_t recordSize_ = kRecordSize22;
  int recordCount_ = 0;
  std::array<bool, kStoreSlots> read_{};  // main-menu records already placed in the tree
  int itemsRead_ = 0;
  // The record each node was read from; searched only to name a record in a warning.
  std::vector<std::pair<const MenuNode*, int>> fileRecords_;
  LoadOutcome outcome_;
};

}  // namespace

Result<LoadOutcome> LoadMenuFile(const std::vector<std::uint8_t>& bytes, MenuDocument& doc,
                                 const std::string& source) {
  // A refused file leaves no trace: the open document, its counters and its view stay
  // exactly as they were.
  MenuDocument loaded;
  loaded.InheritRunValues(doc);
  try {
    Result<LoadOutcome> outcome = MenuLoader(bytes, loaded, source).Load();
    if (outcome) doc.Adopt(std::move(loaded));
    return outcome;
  } catch (const std::bad_alloc&) {
    return Error{ErrorCode::FileNotReadable,
                 "Cannot load " + QuotedPath(source) + ": there is not enough memory.",
                 source,
                 {},
                 {}};
  }
}

Result<LoadOutcome> LoadMenuFileFromPath(const std::string& path, MenuDocument& doc) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return bytes.error();
  return LoadMenuFile(bytes.value(), doc, path);
}

}  // namespace quillet
