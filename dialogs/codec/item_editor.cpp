#include "item_editor.h"

#include <algorithm>

#include "byte_text_rule.h"
#include "icon_text.h"
#include "language_tables.h"
#include "text_codecs.h"

namespace quillet {
namespace {

Error LimitError(std::string message) {
  return Error{ErrorCode::LimitExceeded, std::move(message), {}, {}, {}};
}

BlockRole PathRole(IconRow row) { return static_cast<BlockRole>(2 + static_cast<int>(row)); }
BlockRole DrmRole(IconRow row) { return static_cast<BlockRole>(9 + static_cast<int>(row)); }
std::uint8_t IconKindOf(IconRow row) {
  return static_cast<std::uint8_t>(kIconKindAnimated - static_cast<int>(row));
}
std::uint8_t DrmTagOf(IconRow row) {
  return static_cast<std::uint8_t>(kTagIconDrmAnimated - static_cast<int>(row));
}

BlockRole PathRoleOfKind(std::uint8_t iconKind) {
  if (iconKind == kIconKindAnimated) return BlockRole::AnimatedIconPath;
  if (iconKind == kIconKindStatic) return BlockRole::StaticIconPath;
  return BlockRole::ListIconPath;
}

// The tag StoreItem writes for each role, in role order.
constexpr std::array<std::uint8_t, kRoleCount> kRoleTags = {
    kTagMenuName,      kTagSoftkeyName, kTagIconPath,   kTagIconPath,     kTagIconPath,
    kTagUrl,           kTagMidletApp,   kTagMidletName, kTagMidletVendor, kTagIconDrmAnimated,
    kTagIconDrmStatic, kTagIconDrmList, kTagUnsupported};

void CopyNames(const TMMADataBlock& source, TMMADataBlock& destination) {
  const std::size_t count = std::min(source.names.size(), kMaxNames);
  destination.names.resize(count);
  for (std::size_t i = 0; i < count; ++i) CopyNameEntry(source.names[i], destination.names[i]);
}

void CopyRawEntries(const TMMADataBlock& source, TMMADataBlock& destination) {
  const std::size_t count = std::min(source.raw.size(), kMaxRawEntries);
  destination.raw.assign(source.raw.begin(), source.raw.begin() + static_cast<std::ptrdiff_t>(count));
}

void CopyIconPath(std::u16string_view path, TMMADataBlock& destination) {
  destination.path.assign(path.substr(0, WideTextLength(path)));
}

}  // namespace

ItemEditor::ItemEditor() { roleBlock.fill(kNoBlock); }

void ItemEditor::LoadItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags,
                          std::uint8_t attributes) {
  editKind = kind;
  editFlags = flags;
  editAttributes = attributes;
  roleBlock.fill(kNoBlock);
  editBlocks.fill(TMMADataBlock{});
  editBlockCount = 0;
  if (itemData != nullptr) {
    const std::size_t count = std::min(itemData->blocks.size(), kMaxBlocks);
    editBlockCount = static_cast<std::uint8_t>(count);
    for (std::size_t k = 0; k < count; ++k) {
      const TMMADataBlock& source = itemData->blocks[k];
      TMMADataBlock& block = editBlocks[k];
      const int position = static_cast<int>(k);
      block.tag = source.tag;
      switch (source.tag) {
        case kTagMenuName:
        case kTagSoftkeyName:
          role(static_cast<BlockRole>(source.tag)) = position;
          CopyNames(source, block);
          break;
        case kTagUrl:
          role(BlockRole::Url) = position;
          CopyByteText(source.text, block.text);
          break;
        case kTagMidletApp:
        case kTagMidletName:
        case kTagMidletVendor:
          role(static_cast<BlockRole>(source.tag - kTagMidletApp +
                                      static_cast<int>(BlockRole::ApplicationName))) = position;
          CopyByteText(source.text, block.text);
          break;
        case kTagIconPath06:  // held as 12 by the loader; accepted alike
        case kTagIconPath:
          block.tag = kTagIconPath;
          block.iconKind = source.iconKind;
          CopyIconPath(source.path, block);
          role(PathRoleOfKind(source.iconKind)) = position;
          break;
        case kTagIconDrmAnimated:
        case kTagIconDrmStatic:
        case kTagIconDrmList:
          block.iconKind = source.iconKind;
          block.drmIndex = source.drmIndex;
          role(static_cast<BlockRole>(kTagIconDrmAnimated - source.tag +
                                      static_cast<int>(BlockRole::AnimatedIconDrm))) = position;
          break;
        default:
          block.tag = kTagUnsupported;
          CopyRawEntries(source, block);
          role(BlockRole::Unsupported) = position;
          break;
      }
      RefreshLength(block);
    }
  }
  loadedWithBlocks = HasBlocks();
}

EditedItem ItemEditor::StoreItem() const {
  EditedItem result;
  result.kind = editKind;
  result.flags = editFlags;
  result.attributes = editAttributes;
  result.removeData = RemovedAllBlocks();
  if (!HasBlocks()) return result;
  TMMAItemData& destination = result.data.emplace();
  for (int r = 0; r < kRoleCount; ++r) {
    if (roleBlock[r] == kNoBlock) continue;
    const TMMADataBlock& source = editBlocks[roleBlock[r]];
    TMMADataBlock block;
    block.tag = kRoleTags[r];
    switch (static_cast<BlockRole>(r)) {
      case BlockRole::MenuName:
        result.flags = kFlagsNamed;
        CopyNames(source, block);
        break;
      case BlockRole::SoftkeyName:
        if (result.flags != kFlagsCustom) result.flags = kFlagsNamed;
        CopyNames(source, block);
        break;
      case BlockRole::AnimatedIconPath:
      case BlockRole::StaticIconPath:
      case BlockRole::ListIconPath:
        block.iconKind = IconKindOf(static_cast<IconRow>(r - static_cast<int>(BlockRole::AnimatedIconPath)));
        CopyIconPath(source.path, block);
        break;
      case BlockRole::Url:
      case BlockRole::ApplicationName:
      case BlockRole::MidletName:
      case BlockRole::MidletVendor:
        // The kind of an item that owns a submenu is what keeps its children
        // reachable, so a URL or MIDlet block never turns it into a link.
        if (result.kind != kKindSubmenu) {
          result.kind = static_cast<BlockRole>(r) == BlockRole::Url ? kKindUrl : kKindMidlet;
        }
        result.attributes = kLinkedItemAttributes;
        CopyByteText(source.text, block.text);
        break;
      case BlockRole::AnimatedIconDrm:
      case BlockRole::StaticIconDrm:
      case BlockRole::ListIconDrm:
        block.iconKind = source.iconKind;
        block.drmIndex = source.drmIndex;
        break;
      case BlockRole::Unsupported: CopyRawEntries(source, block); break;
    }
    RefreshLength(block);
    destination.blocks.push_back(std::move(block));
  }
  return result;
}

bool ItemEditor::HasBlocks() const {
  return std::any_of(roleBlock.begin(), roleBlock.end(), [](int p) { return p != kNoBlock; });
}

bool ItemEditor::RemovedAllBlocks() const { return loadedWithBlocks && !HasBlocks(); }

bool ItemEditor::LockAppListTicked() const { return (editAttributes & 0x01) != 0; }
bool ItemEditor::UnlockProtectionTicked() const { return (editAttributes & 0xF0) == 0x20; }
bool ItemEditor::HomeKeysTicked() const { return (editAttributes & 0x04) != 0; }

void ItemEditor::ChangeLockAppList(bool ticked) {
  editAttributes = static_cast<std::uint8_t>(ticked ? editAttributes | 0x01 : editAttributes & 0xFE);
}

void ItemEditor::ChangeUnlockProtection(bool ticked) {
  editAttributes = static_cast<std::uint8_t>(ticked ? (editAttributes & 0x0F) | 0x20 : editAttributes & 0xDF);
}

void ItemEditor::ChangeHomeKeys(bool ticked) {
  editAttributes = static_cast<std::uint8_t>(ticked ? editAttributes | 0x04 : editAttributes & 0xFB);
}

int ItemEditor::freePosition() const {
  if (editBlockCount < kMaxBlocks) return editBlockCount;
  for (int p = 0; p < static_cast<int>(kMaxBlocks); ++p) {
    if (std::find(roleBlock.begin(), roleBlock.end(), p) == roleBlock.end()) return p;
  }
  return kNoBlock;
}

Status ItemEditor::ensureBlock(BlockRole r, std::uint8_t tag) {
  if (role(r) != kNoBlock) return Ok();
  const int position = freePosition();
  if (position == kNoBlock) {
    return LimitError(
        "This item already holds 11 data blocks, the most one item can hold. Remove an icon, "
        "the URL or the application reference first.");
  }
  if (position == editBlockCount) ++editBlockCount;
  editBlocks[position] = TMMADataBlock{};
  editBlocks[position].tag = tag;
  role(r) = position;
  return Ok();
}

Status ItemEditor::refreshLengths() {
  std::size_t total = 0;
  for (const int position : roleBlock) {
    if (position == kNoBlock) continue;
    TMMADataBlock& block = editBlocks[position];
    RefreshLength(block);
    // The unsupported block has no header of its own: its raw entries are file blocks.
    total += (block.tag == kTagUnsupported ? 0 : kBlockHeaderSize) + PayloadSize(block);
  }
  if (total > kMaxDataBytes) {
    return Error{ErrorCode::DataTooLong,
                 "The item's data would grow to " + std::to_string(total) +
                     " bytes; one item can hold at most 65535 bytes.",
                 {},
                 {},
                 {}};
  }
  return Ok();
}

template <typename Change>
Status ItemEditor::transact(Change change) {
  ItemEditor trial = *this;
  if (Status done = change(trial); !done) return done;
  if (Status fits = trial.refreshLengths(); !fits) return fits;
  *this = std::move(trial);
  return Ok();
}

Result<IconOutcome> ItemEditor::ApplyIconText(IconRow row, std::u16string_view text) {
  if (text.empty()) {
    role(PathRole(row)) = kNoBlock;
    role(DrmRole(row)) = kNoBlock;
    return IconOutcome::NoIcon;
  }
  std::uint16_t drmIndex = 0;
  const Result<IconTextClass> kind = ClassifyIconText(text, drmIndex);
  if (!kind) return kind.error();
  Status applied = Ok();
  switch (kind.value()) {
    case IconTextClass::Neither: return IconOutcome::Invalid;
    case IconTextClass::FilePath:
      if (const std::size_t units = WideTextLength(text); units > kMaxIconPathUnits) {
        return LimitError("The icon path is " + std::to_string(units) +
                          " characters long; it can be at most 126 characters.");
      }
      applied = transact([&](ItemEditor& trial) {
        if (Status room = trial.ensureBlock(PathRole(row), kTagIconPath); !room) return room;
        TMMADataBlock& block = trial.blockOf(PathRole(row));
        block.iconKind = IconKindOf(row);
        CopyIconPath(text, block);
        return Ok();
      });
      if (!applied) return applied.error();
      return IconOutcome::Path;
    case IconTextClass::DrmIndex:
      applied = transact([&](ItemEditor& trial) {
        if (Status room = trial.ensureBlock(DrmRole(row), DrmTagOf(row)); !room) return room;
        TMMADataBlock& block = trial.blockOf(DrmRole(row));
        block.iconKind = kDrmFirstByte;
        block.drmIndex = drmIndex;
        return Ok();
      });
      if (!applied) return applied.error();
      return IconOutcome::Index;
  }
  return IconOutcome::Invalid;
}

IconView ItemEditor::Icon(IconRow row) const {
  const int path = role(PathRole(row));
  const int drm = role(DrmRole(row));
  if (path == kNoBlock && drm == kNoBlock) return {};
  if (drm == kNoBlock || (path != kNoBlock && path > drm)) {
    return {IconSource::Path, editBlocks[path].path};
  }
  return {IconSource::Index, IndexToText(editBlocks[drm].drmIndex)};
}

std::vector<NameRow> ItemEditor::NameRows(NameBlock which) const {
  std::vector<NameRow> rows;
  const int position = role(static_cast<BlockRole>(which));
  if (position == kNoBlock) return rows;
  const auto& names = editBlocks[position].names;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string caption = "#";
    caption.append(std::to_string(i + 1));
    rows.push_back({std::move(caption), LanguageIdText(names[i].language), names[i].text, names[i].language});
  }
  return rows;
}

Status ItemEditor::RoomForNames(NameBlock which) const {
  if (role(static_cast<BlockRole>(which)) != kNoBlock || freePosition() != kNoBlock) return Ok();
  return LimitError(
      "This item already holds 11 data blocks, the most one item can hold, so it cannot get "
      "a new name list. Remove an icon, the URL or the application reference first.");
}

Status ItemEditor::StoreNameRows(NameBlock which, const std::vector<NameRow>& rows) {
  if (rows.empty()) return Ok();
  if (rows.size() > kMaxNames) {
    return LimitError("The list holds " + std::to_string(rows.size()) +
                      " names; an item can hold at most 112.");
  }
  std::vector<TMMANameEntry> entries;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const NameRow& row = rows[i];
    const std::size_t units = WideTextLength(row.name);
    if (units > kMaxNameUnits) {
      return LimitError("The name in row #" + std::to_string(i + 1) + " is " + std::to_string(units) +
                        " characters long; a name can be at most 99 characters.");
    }
    const std::uint8_t position = LanguageIdIndex(row.languageIdText);
    const std::uint8_t language =
        position < kLanguageCount ? Languages().LanguageIds[position] : row.language;
    entries.push_back({language, row.name.substr(0, units)});
  }
  const auto blockRole = static_cast<BlockRole>(which);
  return transact([&](ItemEditor& trial) {
    if (Status room = trial.ensureBlock(blockRole, kRoleTags[static_cast<int>(blockRole)]); !room) {
      return room;
    }
    trial.blockOf(blockRole).names = entries;
    return Ok();
  });
}

CustomTypeView ItemEditor::CustomType() const {
  CustomTypeView view;
  int urlPosition = kNoBlock;
  int midletPosition = kNoBlock;
  if (role(BlockRole::Url) != kNoBlock) {
    view.hasUrl = true;
    urlPosition = role(BlockRole::Url);
    view.texts.url = blockOf(BlockRole::Url).text;
  }
  const std::array<std::pair<BlockRole, std::string CustomTypeTexts::*>, 3> midlet = {{
      {BlockRole::ApplicationName, &CustomTypeTexts::applicationName},
      {BlockRole::MidletName, &CustomTypeTexts::midletName},
      {BlockRole::MidletVendor, &CustomTypeTexts::midletVendor},
  }};
  for (const auto& [r, text] : midlet) {
    if (role(r) == kNoBlock) continue;
    view.hasMidlet = true;
    midletPosition = std::max(midletPosition, role(r));
    view.texts.*text = blockOf(r).text;
  }
  // While the dialog decodes the blocks in order, each URL or MIDlet block selects its
  // entry, so the later one decides.
  if (view.hasUrl || view.hasMidlet) {
    view.selection = urlPosition > midletPosition ? kCustomTypeUrl : kCustomTypeApplication;
  }
  return view;
}

bool ItemEditor::CustomTypeAllowed() const { return editKind != kKindSubmenu; }

Status ItemEditor::ApplyCustomItemType(int selection, const CustomTypeTexts& texts) {
  if (!CustomTypeAllowed()) {
    return Error{ErrorCode::InvalidValue,
                 "An item that owns a submenu cannot get a URL or an application.",
                 {},
                 {},
                 {}};
  }
  // A text over the limit that came with the file and was not changed is kept verbatim;
  // only new texts must fit.
  const auto fits = [this](BlockRole r, const std::string& text, const char* what) -> Status {
    if (role(r) != kNoBlock && blockOf(r).text == text) return Ok();
    return CheckByteTextLength(text, what);
  };
  if (selection == kCustomTypeUrl && !texts.url.empty()) {
    if (Status fit = fits(BlockRole::Url, texts.url, "The URL"); !fit) return fit;
    return transact([&](ItemEditor& trial) {
      trial.role(BlockRole::ApplicationName) = kNoBlock;
      trial.role(BlockRole::MidletName) = kNoBlock;
      trial.role(BlockRole::MidletVendor) = kNoBlock;
      if (Status room = trial.ensureBlock(BlockRole::Url, kTagUrl); !room) return room;
      CopyByteText(texts.url, trial.blockOf(BlockRole::Url).text);
      return Ok();
    });
  }
  if (selection == kCustomTypeApplication && !texts.applicationName.empty()) {
    const std::array<std::pair<BlockRole, const std::string*>, 3> midlet = {{
        {BlockRole::ApplicationName, &texts.applicationName},
        {BlockRole::MidletName, &texts.midletName},
        {BlockRole::MidletVendor, &texts.midletVendor},
    }};
    const std::array<const char*, 3> what = {"The application name", "The MIDlet name", "The MIDlet vendor"};
    for (std::size_t i = 0; i < midlet.size(); ++i) {
      if (Status fit = fits(midlet[i].first, *midlet[i].second, what[i]); !fit) return fit;
    }
    return transact([&](ItemEditor& trial) {
      trial.role(BlockRole::Url) = kNoBlock;
      // An application name block may come without its MIDlet name and vendor
      // blocks; whichever is missing is built here.
      for (const auto& [r, text] : midlet) {
        if (Status room = trial.ensureBlock(r, kRoleTags[static_cast<int>(r)]); !room) return room;
        CopyByteText(*text, trial.blockOf(r).text);
      }
      return Ok();
    });
  }
  role(BlockRole::Url) = kNoBlock;
  role(BlockRole::ApplicationName) = kNoBlock;
  role(BlockRole::MidletName) = kNoBlock;
  role(BlockRole::MidletVendor) = kNoBlock;
  editKind = kKindPlain;
  return Ok();
}

const TMMADataBlock* ItemEditor::UnsupportedBlock() const {
  const int position = role(BlockRole::Unsupported);
  return position == kNoBlock ? nullptr : &editBlocks[position];
}

}  // namespace quillet
