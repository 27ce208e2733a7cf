#pragma once
// Builders for in-memory item data, written from the model's rules so the tests do
// not depend on the code under test to make their inputs.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "format.h"
#include "item_data.h"

namespace quillet::test {

inline TMMADataBlock NamesBlock(std::uint8_t tag, std::vector<TMMANameEntry> names) {
  TMMADataBlock block;
  block.tag = tag;
  block.names = std::move(names);
  std::size_t length = 1 + 4 * block.names.size();
  for (const auto& name : block.names) length += 2 * name.text.size() + 2;
  block.length = static_cast<std::uint16_t>(length);
  return block;
}

inline TMMADataBlock TextBlock(std::uint8_t tag, std::string text) {
  TMMADataBlock block;
  block.tag = tag;
  block.text = std::move(text);
  block.length = static_cast<std::uint16_t>(block.text.size() + 1);
  return block;
}

inline TMMADataBlock PathBlock(std::uint8_t iconKind, std::u16string path) {
  TMMADataBlock block;
  block.tag = kTagIconPath;
  block.iconKind = iconKind;
  block.path = std::move(path);
  block.length = static_cast<std::uint16_t>(2 * block.path.size() + 3);
  return block;
}

inline TMMADataBlock DrmBlock(std::uint8_t tag, std::uint8_t firstByte, std::uint16_t index) {
  TMMADataBlock block;
  block.tag = tag;
  block.iconKind = firstByte;
  block.drmIndex = index;
  block.length = 4;
  return block;
}

inline TMMADataBlock RawBlock(std::vector<TMMARawEntry> raw) {
  TMMADataBlock block;
  block.tag = kTagUnsupported;
  block.raw = std::move(raw);
  std::size_t length = 0;
  for (const auto& entry : block.raw) length += 3 + entry.data.size();
  block.length = static_cast<std::uint16_t>(length);
  return block;
}

inline TMMAItemData ItemWith(std::vector<TMMADataBlock> blocks) {
  TMMAItemData data;
  data.blocks = std::move(blocks);
  return data;
}

inline std::vector<std::uint8_t> TagsOf(const TMMAItemData& data) {
  std::vector<std::uint8_t> tags;
  for (const auto& block : data.blocks) tags.push_back(block.tag);
  return tags;
}

}  // namespace quillet::test
