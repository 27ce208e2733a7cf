#pragma once
// A loaded menu described for output: every node with its record fields and its
// item data decoded into UTF-8 texts. The text and JSON dumps both render this, so
// they always show the same facts.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu_document.h"
#include "save_options.h"

namespace quillet::mmatool {

struct NameDescription {
  std::string language;  // "0A"
  std::string text;      // UTF-8
};

struct RawDescription {
  int tag = 0;
  std::vector<std::uint8_t> data;  // the block's payload, byte for byte
};

struct BlockDescription {
  std::string label;  // "menu names", "url", "icon path", "unsupported", ...
  int tag = 0;        // tag in memory (icon paths 12, unsupported 254)
  int length = 0;     // payload length
  std::vector<NameDescription> names;         // tags 0, 1
  std::optional<std::string> text;            // tags 5, 9, 10, 11 and the icon path
  std::optional<int> iconKind;                // tag 12
  std::optional<std::string> iconKindName;    // tag 12: "list", "static", "animated"
  std::optional<int> firstByte;               // tags 15, 16, 17
  std::optional<int> drmIndex;                // tags 15, 16, 17
  std::vector<RawDescription> raw;            // tag 254
};

struct NodeDescription {
  std::string caption;     // UTF-8
  std::string identifier;  // UTF-8
  TMMAItem item;
  std::vector<BlockDescription> blocks;
  std::vector<NodeDescription> children;
};

struct MenuDescription {
  std::string file;
  int recordSize = 0;
  int variant = 0;        // header byte 1
  int recordCount = 0;    // header byte 2
  int mainMenuEntries = 0;
  std::string iconTag;    // "06" or "0C", as loading leaves the choice
  int itemsWithData = 0;
  std::vector<NodeDescription> nodes;  // the two top-level nodes with their subtrees
};

BlockDescription DescribeBlock(const TMMADataBlock& block);

// `header` holds at least the file header (the loader refuses shorter files).
MenuDescription DescribeMenu(const std::string& file, const std::vector<std::uint8_t>& header,
                             const MenuDocument& doc, const LoadOutcome& outcome);

}  // namespace quillet::mmatool
