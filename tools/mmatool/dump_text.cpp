#include "dump_text.h"

#include <string>

#include "json_writer.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet::mmatool {
namespace {

// Texts are quoted with JSON's rules so that quotes, line breaks and control
// characters in a name can never break the one-line-per-entry shape.
void WriteBlock(const BlockDescription& block, const std::string& indent, std::ostream& out) {
  out << indent << "- " << block.label << " (tag " << block.tag << ", " << block.length
      << " bytes):";
  for (std::size_t i = 0; i < block.names.size(); ++i)
    out << (i == 0 ? " " : ", ") << block.names[i].language << ' '
        << JsonQuote(block.names[i].text);
  if (block.iconKindName) out << ' ' << *block.iconKindName << " (" << *block.iconKind << ')';
  if (block.text) out << ' ' << JsonQuote(*block.text);
  if (block.drmIndex)
    out << " index " << *block.drmIndex << ", first byte 0x"
        << HexByte(static_cast<std::uint8_t>(*block.firstByte));
  if (!block.raw.empty()) out << ' ' << block.raw.size() << " file blocks";
  out << '\n';
  for (const RawDescription& raw : block.raw)
    out << indent << "    tag " << raw.tag << ", " << raw.data.size()
        << " bytes: " << HexBytes(raw.data, " ") << '\n';
}

void WriteNode(const NodeDescription& node, int depth, std::ostream& out) {
  const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
  const TMMAItem& item = node.item;
  out << indent << JsonQuote(node.caption) << " id=" << JsonQuote(node.identifier)
      << " kind=" << int{item.kind} << " flags=0x" << HexByte(item.flags) << " attributes=0x"
      << HexByte(item.attributes) << " slot=" << int{item.slot} << '\n';
  for (const BlockDescription& block : node.blocks) WriteBlock(block, indent + "  ", out);
  for (const NodeDescription& child : node.children) WriteNode(child, depth + 1, out);
}

}  // namespace

void WriteInfo(const MenuDescription& menu, std::ostream& out) {
  out << "File: " << menu.file << '\n'
      << "Record layout: " << menu.recordSize << "-byte\n"
      << "Variant: " << menu.variant << (menu.variant == 3 ? " (c698p mma_ucp fix)" : "") << '\n'
      << "Records: " << menu.recordCount << '\n'
      << "Main menu entries: " << menu.mainMenuEntries << '\n'
      << "Custom icon attribute: " << menu.iconTag << '\n'
      << "Items with data: " << menu.itemsWithData << '\n';
}

void WriteTextDump(const MenuDescription& menu, std::ostream& out) {
  WriteInfo(menu, out);
  out << '\n';
  for (const NodeDescription& node : menu.nodes) WriteNode(node, 0, out);
}

}  // namespace quillet::mmatool
