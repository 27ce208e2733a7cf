#pragma once
// The save settings that the main window shows and the writer reads, and what loading
// a file tells the window to show.
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

enum class RecordLayout { Bytes22, Bytes36 };
enum class IconTag { Tag06, Tag0C };

struct SaveOptions {
  RecordLayout layout = RecordLayout::Bytes36;
  bool saveAllData = false;  // SaveAllData: unsupported blocks and unusual kinds are kept
  bool c698p = false;        // header variant 3 instead of 1 (22-byte layout only)
  IconTag iconTag = IconTag::Tag0C;
  bool operator==(const SaveOptions&) const = default;
};

// Only the 22-byte layout lets the user choose the icon tag and the c698p fix: a 36-byte
// file always tags its icon paths 0C and has no c698p variant.
constexpr bool LayoutLetsChooseIconTagAndC698p(RecordLayout layout) {
  return layout == RecordLayout::Bytes22;
}

// `options` after choosing `layout`: the 36-byte layout sets icon tag 0C and no c698p
// fix; the 22-byte layout keeps both as they were.
constexpr SaveOptions WithLayout(SaveOptions options, RecordLayout layout) {
  options.layout = layout;
  if (!LayoutLetsChooseIconTagAndC698p(layout)) {
    options.iconTag = IconTag::Tag0C;
    options.c698p = false;
  }
  return options;
}

// The save controls as loading leaves them: the 36-byte layout forces "0C"
// (though the last icon block read may still show "06") and no c698p fix.
struct LoadedOptions {
  RecordLayout layout = RecordLayout::Bytes36;
  bool c698pEnabled = false;  // CheckBox2 enabled (22-byte only)
  bool c698p = false;         // CheckBox2 ticked
  bool iconTagEnabled = false;
  IconTag iconTag = IconTag::Tag0C;
  // Whether the file decides iconTag (the 36-byte layout, or an icon path block). A
  // 22-byte file without icon paths leaves the user's earlier choice as it was.
  bool iconTagDecided = false;
};

// What a load warning is about, so that a front end can word it in its own language.
enum class LoadWarningKind : std::uint8_t {
  ListCutShort,          // a list runs into a record already read
  SubmenuLinkIgnored,    // a submenu link leads outside the main menu or to a record already read
  RecordsNotLoaded,      // records that belong to no list
  DataWithoutDataArea,   // items announce data, the file has no data area
  NotSavable,            // the data exceed what a menu file can address
  BlockCutShort,         // a block runs past the end of its item's data
  BlockKeptUnsupported,  // an undecodable block is kept byte for byte
  BlockDropped,          // a block beyond an item's capacity
};

// Data of the file that the in-memory model cannot keep, named for the user.
struct LoadWarning {
  LoadWarningKind kind;
  std::string message;  // in English: the place, the numbers and what was done
};

struct LoadOutcome {
  LoadedOptions options;
  std::string summary;  // "Format: 36-byte   Main menu entries: 20"
  std::vector<LoadWarning> warnings;
};

}  // namespace quillet
