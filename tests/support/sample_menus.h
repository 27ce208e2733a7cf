#pragma once
// Menu files for mmatool's tests and the fuzzer's seed corpus, described as trees and
// laid out by the byte-builder from the format's rules (never by the writer).
#include <cstdint>
#include <string>
#include <vector>

#include "menu_bytes.h"

namespace quillet::samples {

using menubytes::Bytes;
using menubytes::MenuPlan;

struct BlockKindOptions {
  int recordSize = 36;
  std::uint8_t iconTag = 12;  // tag of both icon path blocks: 6 or 12
  bool unsupported = true;    // with the item that carries tags 7 and 200
  std::uint8_t variant = 0x01;
  std::string longCustomId = "~LongCustomName";  // 15 bytes: cut in a 22-byte record
};

// A menu with every block kind: menu names and softkey titles in several languages
// (texts with quotes, control characters, a surrogate pair and a lone surrogate), URL,
// the three MIDlet texts, icon paths, the three DRM indexes and unsupported blocks;
// a submenu, custom items, an unknown identifier with a byte above 0x7F and a 15-byte
// custom identifier.
MenuPlan EveryBlockKindMenu(const BlockKindOptions& options);
// The options for one form of that menu: layout, icon tag, header variant, and whether
// it carries the unsupported blocks.
inline BlockKindOptions BlockKinds(int recordSize, std::uint8_t iconTag, std::uint8_t variant = 1,
                                   bool unsupported = true) {
  BlockKindOptions options;
  options.recordSize = recordSize;
  options.iconTag = iconTag;
  options.variant = variant;
  options.unsupported = unsupported;
  return options;
}

// The one name text that exercises the UTF-8 and escaping rules, and its UTF-8 form.
std::u16string TrickyNameText();
std::string TrickyNameUtf8();

// A few plain items, two levels, one with names.
MenuPlan SmallMenu(int recordSize, std::uint8_t variant);

// 245 main-menu items, three levels deep, every fifth with names.
MenuPlan FullMenu(int recordSize);

struct NamedFile {
  std::string name;
  Bytes bytes;
};

// Files the loader must refuse (each breaks one rule): too short for the layout probe,
// shorter than the fixed records, a header announcing fewer than 10 records, a record
// table cut short, item data beyond the end of the file.
std::vector<NamedFile> RefusedFiles();

// Files the loader keeps with a warning: a submenu link that loops back, a record no
// list reaches, a name block that runs past its item's data.
std::vector<NamedFile> WarnedFiles();

}  // namespace quillet::samples
