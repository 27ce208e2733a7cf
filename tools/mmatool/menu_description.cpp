#include "menu_description.h"

#include "format.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet::mmatool {
namespace {

std::string TagLabel(std::uint8_t tag) {
  switch (tag) {
    case kTagMenuName: return "menu names";
    case kTagSoftkeyName: return "softkey titles";
    case kTagUrl: return "url";
    case kTagMidletApp: return "midlet application";
    case kTagMidletName: return "midlet name";
    case kTagMidletVendor: return "midlet vendor";
    case kTagIconPath: return "icon path";
    case kTagIconDrmList: return "list icon drm";
    case kTagIconDrmStatic: return "static icon drm";
    case kTagIconDrmAnimated: return "animated icon drm";
    case kTagUnsupported: return "unsupported";
    default: return "unknown";
  }
}

std::string IconKindName(std::uint8_t kind) {
  switch (kind) {
    case kIconKindList: return "list";
    case kIconKindStatic: return "static";
    case kIconKindAnimated: return "animated";
    default: return "unknown";
  }
}

NodeDescription DescribeNode(const MenuNode& node, const MenuDocument& doc) {
  NodeDescription out;
  out.caption = Latin1ToUtf8(node.caption);
  out.identifier = Latin1ToUtf8(node.item.identifier);
  out.item = node.item;
  const TMMAItemData* data =
      node.item.hasData ? doc.ItemStore[node.item.slot].get() : nullptr;
  if (data != nullptr) {
    for (const TMMADataBlock& block : data->blocks) out.blocks.push_back(DescribeBlock(block));
  }
  for (const auto& child : node.children()) out.children.push_back(DescribeNode(*child, doc));
  return out;
}

}  // namespace

BlockDescription DescribeBlock(const TMMADataBlock& block) {
  BlockDescription out;
  out.label = TagLabel(block.tag);
  out.tag = block.tag;
  out.length = block.length;
  switch (block.tag) {
    case kTagMenuName:
    case kTagSoftkeyName:
      for (const TMMANameEntry& name : block.names)
        out.names.push_back({HexByte(name.language), Utf16ToUtf8(name.text)});
      break;
    case kTagUrl:
    case kTagMidletApp:
    case kTagMidletName:
    case kTagMidletVendor:
      out.text = Latin1ToUtf8(block.text);
      break;
    case kTagIconPath:
      out.iconKind = block.iconKind;
      out.iconKindName = IconKindName(block.iconKind);
      out.text = Utf16ToUtf8(block.path);
      break;
    case kTagIconDrmList:
    case kTagIconDrmStatic:
    case kTagIconDrmAnimated:
      out.firstByte = block.iconKind;
      out.drmIndex = block.drmIndex;
      break;
    case kTagUnsupported:
      for (const TMMARawEntry& raw : block.raw)
        out.raw.push_back({raw.tag, raw.data});
      break;
    default:
      break;
  }
  return out;
}

MenuDescription DescribeMenu(const std::string& file, const std::vector<std::uint8_t>& header,
                             const MenuDocument& doc, const LoadOutcome& outcome) {
  MenuDescription out;
  out.file = file;
  out.recordSize = doc.RecordSize;
  out.variant = header.at(1);
  out.recordCount = header.at(2);
  out.mainMenuEntries = doc.mainMenuItemCount();
  out.iconTag = outcome.options.iconTag == IconTag::Tag06 ? "06" : "0C";
  out.itemsWithData = doc.DataItemCount;
  for (const auto& top : doc.tree.topLevel()) out.nodes.push_back(DescribeNode(*top, doc));
  return out;
}

}  // namespace quillet::mmatool
