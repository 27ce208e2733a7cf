#pragma once
// How the phone shows an item: the name it gives it in a display language, the icon it
// draws for it in the grid or in a list, and the softkey titles at the bottom of the
// screen. A name missing in the chosen language falls back to English, then to the
// catalogue's display name, then to the identifier; the caller learns which step gave
// the name, so a preview can mark the fallbacks.
#include <cstdint>
#include <string>
#include <vector>

#include "menu_document.h"

namespace quillet {

// Where a shown name came from, in the order of the fallback chain.
enum class NameSource : std::uint8_t {
  ChosenLanguage,  // the item's own name in the display language
  English,         // its name in English US, else English UK
  Catalogue,       // no usable name: the catalogue's display name of its identifier
  Identifier,      // neither: the identifier itself (custom and unknown items)
};

struct ShownName {
  std::u16string text;
  NameSource source = NameSource::Identifier;
  bool isFallback() const { return source != NameSource::ChosenLanguage; }
};

// The item's name in the menu (menu name block).
ShownName MenuNameIn(const MenuDocument& doc, const MenuNode& node, std::uint8_t language);
// A softkey's title (softkey name block), else its menu name; the same chain over both.
ShownName SoftkeyTitleIn(const MenuDocument& doc, const MenuNode& node, std::uint8_t language);

// The two places an icon is drawn: the main menu's grid takes the animated icon, else
// the static one; a list (the list view and every submenu) takes the list icon.
enum class IconUse : std::uint8_t { Grid, List };

struct ShownIcon {
  enum class Kind : std::uint8_t {
    FilePath,  // a file on the phone, named by `path`
    DrmIndex,  // an index into the phone's DRM store, `drmIndex`
    None,      // no icon block for this use: the phone draws the item's own icon
  };
  Kind kind = Kind::None;
  std::u16string path;
  std::uint16_t drmIndex = 0;
};

// A path block wins over a DRM block of the same icon, as the item dialog writes it first.
ShownIcon IconFor(const MenuDocument& doc, const MenuNode& node, IconUse use);

// The language IDs any name or softkey title of the document is given in, each once:
// English US first when present, the others by their language name (IDs outside the
// table last, by value).
std::vector<std::uint8_t> DocumentLanguages(const MenuDocument& doc);

// What the tree's tool tip tells of a node: its names and softkey titles in every
// language and its icons' paths or DRM indexes, in the order the item holds them; the
// window puts them into words.
struct NodeDetails {
  enum class IconRole : std::uint8_t { Animated, Static, List };
  struct Icon {
    IconRole role = IconRole::List;
    ShownIcon icon;  // FilePath or DrmIndex
  };
  std::vector<TMMANameEntry> names;          // of the menu name block
  std::vector<TMMANameEntry> softkeyTitles;  // of the softkey name block
  std::vector<Icon> icons;                   // animated ones, then static, then list
};
NodeDetails NodeDetailsOf(const MenuDocument& doc, const MenuNode& node);

}  // namespace quillet
