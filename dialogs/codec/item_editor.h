#pragma once
// ItemEditor: the working copy of one item while the item settings dialog edits it
// (the toolkit-free half of TOKRightDlg). It decodes an item's data into blocks reached
// through fixed block roles, applies the changes the dialog's controls ask for, and
// encodes the result back in role order. The dialog only binds controls to it.
//
// Capacity: an item holds at most 11 blocks. A change that needs a new block takes the
// next unused position, or else a position no role refers to any more (StoreItem writes
// by role, so this changes no output); when all 11 positions still play a role the
// change is refused with a LimitExceeded error. Texts longer than the model holds
// (names 99 units, icon paths 126 units, byte texts 255 characters) and changes that
// would make the item's data longer than 65,535 bytes are refused the same way. A
// refused change leaves the working copy exactly as it was.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format.h"
#include "item_data.h"
#include "menu_document.h"
#include "result.h"

namespace quillet {

// Block roles, in the order StoreItem writes them.
enum class BlockRole : int {
  MenuName = 0,      // tag 0
  SoftkeyName,       // tag 1
  AnimatedIconPath,  // tag 12, icon kind 4
  StaticIconPath,    // tag 12, icon kind 3
  ListIconPath,      // tag 12, icon kind 2
  Url,               // tag 5
  ApplicationName,   // tag 9
  MidletName,        // tag 10
  MidletVendor,      // tag 11
  AnimatedIconDrm,   // tag 17
  StaticIconDrm,     // tag 16
  ListIconDrm,       // tag 15
  Unsupported,       // tag 254
};
inline constexpr int kRoleCount = 13;

// The three icon rows of the dialog.
enum class IconRow { Animated = 0, Static = 1, List = 2 };

// What applying an icon text did (it decides the colour of the row's circle).
enum class IconOutcome {
  NoIcon,   // empty text: path and DRM index removed
  Path,     // the text is a file path
  Index,    // the text is a DRM index
  Invalid,  // neither: nothing changed ("Type in a path or a number!")
};

// Where the icon shown for a row comes from when the dialog opens.
enum class IconSource { None, Path, Index };
struct IconView {
  IconSource source = IconSource::None;
  std::u16string text;  // the path, or the DRM index as decimal text
};

// The two name blocks the name editor edits.
enum class NameBlock { MenuName = 0, SoftkeyName = 1 };

// One row of the name editor's list.
struct NameRow {
  std::string caption;         // "#1", "#2", ...
  std::string languageIdText;  // "01".."2F"; empty for a language byte outside 1..47
  std::u16string name;
  // The entry's language byte as loaded. A row whose ID text is none of the 47 is
  // written back with this byte, so an unknown language survives an edit unchanged.
  std::uint8_t language = 0;
  bool operator==(const NameRow&) const = default;
};

// The custom item type dialog's four texts (8-bit byte strings).
struct CustomTypeTexts {
  std::string url;
  std::string applicationName;
  std::string midletName;
  std::string midletVendor;
  bool operator==(const CustomTypeTexts&) const = default;
};
inline constexpr int kCustomTypeUrl = 0;          // "URL link"
inline constexpr int kCustomTypeApplication = 1;  // "Application start"

// What the custom item type dialog shows for the loaded item.
struct CustomTypeView {
  bool hasUrl = false;     // select "URL link", enable and fill the URL edit
  bool hasMidlet = false;  // select "Application start", enable and fill the MIDlet edits
  int selection = -1;      // the entry the later of those blocks selects; -1 for neither
  CustomTypeTexts texts;   // empty where the item has no such block
};

class ItemEditor {
 public:
  static constexpr int kNoBlock = -1;

  ItemEditor();

  // Decodes an item (itemData may be null) into the working copy; nothing of a
  // previous item survives. The dialog sets its check boxes from the attribute queries
  // below, without running the attribute changes.
  void LoadItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags, std::uint8_t attributes);

  // Encodes the working copy, blocks in role order, each with its payload length, into
  // what "Modify item" stores; the working copy itself does not change. Name blocks make
  // the flags 0x08 (a custom item's 0x18 survives a softkey name block only); a URL or
  // MIDlet block makes the attributes 0x60 and the kind 3 or 6, except that an item
  // owning a submenu (kind 1) keeps its kind. The data is set when any role is; its slot
  // is left to AttachItemData. removeData says the edit took every block away.
  EditedItem StoreItem() const;

  bool HasBlocks() const;  // any role set
  // True when the item was loaded with blocks and the edit removed every one of them.
  bool RemovedAllBlocks() const;

  // The attribute check boxes: their state for the current attributes, and the change
  // each makes when the user toggles it.
  bool LockAppListTicked() const;            // bit 0
  bool UnlockProtectionTicked() const;       // high nibble == 2
  bool HomeKeysTicked() const;               // bit 2
  void ChangeLockAppList(bool ticked);       // set / clear bit 0
  void ChangeUnlockProtection(bool ticked);  // high nibble := 2 / clear bit 5 (6 -> 4)
  void ChangeHomeKeys(bool ticked);          // set / clear bit 2

  // Icons. Errors: the conversion error of ClassifyIconText, a path over 126 units, no
  // free block position, data over 65,535 bytes.
  Result<IconOutcome> ApplyIconText(IconRow row, std::u16string_view text);
  // What the row shows: when the icon has both a path and a DRM block, the later block.
  IconView Icon(IconRow row) const;

  // Names. The rows of a name block (none when the item has no such block).
  std::vector<NameRow> NameRows(NameBlock block) const;
  // Whether a name block can be written at all (it exists, or a position is free); the
  // dialog asks before it opens the name editor so typed names are not lost.
  Status RoomForNames(NameBlock block) const;
  // Writes the editor's rows back after OK; an empty list changes nothing. Errors: a
  // name over 99 units, more than 112 rows, no free position, data over 65,535 bytes.
  Status StoreNameRows(NameBlock block, const std::vector<NameRow>& rows);

  // Custom item type (URL or MIDlet).
  CustomTypeView CustomType() const;
  bool CustomTypeAllowed() const;  // not for an item that owns a submenu (kind 1)
  // After the custom item type dialog's OK: selection 0 with a URL gives a URL item,
  // 1 with an application name a MIDlet item (missing MIDlet blocks are built), any
  // other combination removes the custom type and makes the kind 0. Errors: a new or
  // changed text over 255 characters (a longer one loaded from the file and left as it
  // was is kept verbatim), no free positions, data over 65,535 bytes.
  Status ApplyCustomItemType(int selection, const CustomTypeTexts& texts);

  // The unsupported block for the viewer; null when the item has no unsupported data.
  const TMMADataBlock* UnsupportedBlock() const;

  // The working copy itself, for inspection.
  int RoleBlock(BlockRole role) const { return roleBlock[static_cast<int>(role)]; }
  std::uint8_t EditBlockCount() const { return editBlockCount; }

 private:
  int& role(BlockRole r) { return roleBlock[static_cast<int>(r)]; }
  int role(BlockRole r) const { return roleBlock[static_cast<int>(r)]; }
  TMMADataBlock& blockOf(BlockRole r) { return editBlocks[role(r)]; }
  const TMMADataBlock& blockOf(BlockRole r) const { return editBlocks[role(r)]; }
  // A position a new block may take (the next unused one first, else one no role
  // refers to any more); kNoBlock when all 11 play a role.
  int freePosition() const;
  // Gives the role a fresh block with the tag, at a free position, if it has none.
  Status ensureBlock(BlockRole r, std::uint8_t tag);
  // Sets every working block's length from its content and refuses a total above
  // what a record's 16-bit data length can describe.
  Status refreshLengths();
  // Runs a change on a copy and keeps it only when the change and the length check pass.
  template <typename Change>
  Status transact(Change change);

  std::uint8_t editAttributes = 0;
  std::uint8_t editKind = 0;
  std::uint8_t editFlags = 0;
  std::array<int, kRoleCount> roleBlock{};
  std::uint8_t editBlockCount = 0;
  std::array<TMMADataBlock, kMaxBlocks> editBlocks{};
  bool loadedWithBlocks = false;
};

}  // namespace quillet
