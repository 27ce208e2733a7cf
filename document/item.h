#pragma once
// TMMAItem: the fields of one menu record, one per tree node.
#include <cstdint>
#include <string>

#include "format.h"

namespace quillet {

struct TMMAItem {
  std::uint8_t kind = kKindPlain;
  std::uint8_t parent = kNone;  // record index of the parent record
  std::uint8_t next = kNone;    // record index of the next sibling
  std::uint8_t child = kNone;   // record index of the first child
  std::uint8_t slot = 0;        // record index + 1: the item's ItemStore entry
  std::uint8_t flags = 0;
  std::uint8_t attributes = 0;
  std::string identifier;  // bytes as in the file, without padding
  std::uint8_t area = kAreaMainMenu;
  std::uint16_t dataOffset = 0;  // as last read or written
  std::uint16_t dataLength = 0;  // as last read, written or edited
  std::uint8_t hasData = 0;
  std::uint8_t canHaveSubmenu = 0;

  bool operator==(const TMMAItem&) const = default;
};

// An identifier that begins with "~" names a custom item of the user's own.
inline bool IsCustomIdentifier(const std::string& identifier) {
  return !identifier.empty() && identifier.front() == '~';
}

}  // namespace quillet
