#include "dump_text.h"

#include <nlohmann/json.hpp>

#include "display_text.h"
#include "json_form_writer.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet::mmatool {
namespace {

using menujson::Json;

// Texts are quoted with JSON's rules so that quotes, line breaks and control
// characters in a name can never break the one-line-per-entry shape.
std::string Quote(const Json& text) { return text.dump(-1, ' ', false, Json::error_handler_t::replace); }

// A wide text as people read it; a lone surrogate (kept as "utf16") shows as U+FFFD.
std::string WideText(const Json& holder, const char* key) {
  if (holder.contains(key)) return Quote(holder[key]);
  const std::string hex = holder["utf16"].get<std::string>();
  std::u16string units;
  for (std::size_t i = 0; i + 4 <= hex.size(); i += 4)
    units.push_back(static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
  return Quote(Utf16ToUtf8(units));
}

std::string SpacedHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    if (i > 0) out += ' ';
    out.append(hex, i, 2);
  }
  return out;
}

void WriteBlock(const Json& block, const std::string& indent, std::ostream& out) {
  out << indent << "- " << block["block"].get<std::string>() << " (tag " << block["tag"] << ", "
      << block["length"] << " bytes):";
  if (block.contains("names")) {
    const Json& names = block["names"];
    for (std::size_t i = 0; i < names.size(); ++i)
      out << (i == 0 ? " " : ", ") << names[i]["language"].get<std::string>() << ' '
          << WideText(names[i], "text");
  }
  if (block.contains("icon")) {
    const Json& icon = block["icon"];
    const std::string role = icon.is_string() ? icon.get<std::string>() : "unknown";
    const int kind = icon.is_string() ? *menujson::IconKindOfRole(role) : icon.get<int>();
    out << ' ' << role << " (" << kind << ") " << WideText(block, "path");
  }
  if (block.contains("text")) out << ' ' << Quote(block["text"]);
  if (block.contains("drmIndex"))
    out << " index " << block["drmIndex"] << ", first byte 0x"
        << HexByte(block["firstByte"].get<std::uint8_t>());
  if (block.contains("entries")) out << ' ' << block["entries"].size() << " file blocks";
  out << '\n';
  if (!block.contains("entries")) return;
  for (const Json& raw : block["entries"])
    out << indent << "    tag " << raw["tag"] << ", " << raw["length"]
        << " bytes: " << SpacedHex(raw["hex"].get<std::string>()) << '\n';
}

void WriteNode(const Json& node, int depth, std::ostream& out) {
  const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
  out << indent << Quote(node["caption"]) << " id=" << Quote(node["identifier"]) << " kind=" << node["kind"]
      << " flags=0x" << HexByte(node["flags"].get<std::uint8_t>()) << " attributes=0x"
      << HexByte(node["attributes"].get<std::uint8_t>()) << " slot=" << node["slot"] << '\n';
  if (node.contains("data"))
    for (const Json& block : node["data"]) WriteBlock(block, indent + "  ", out);
  if (node.contains("children"))
    for (const Json& child : node["children"]) WriteNode(child, depth + 1, out);
}

}  // namespace

void WriteInfo(const MenuInfo& info, std::ostream& out) {
  out << "File: " << PrintableUtf8(info.file) << '\n'
      << "Record layout: " << info.recordSize << "-byte\n"
      << "Variant: " << info.variant << (info.variant == 3 ? " (c698p mma_ucp fix)" : "") << '\n'
      << "Records: " << info.recordCount << '\n'
      << "Main menu entries: " << info.mainMenuEntries << '\n'
      << "Custom icon attribute: " << info.iconTag << '\n'
      << "Items with data: " << info.itemsWithData << '\n';
}

void WriteTextDump(const MenuInfo& info, const MenuDocument& doc, std::ostream& out) {
  WriteInfo(info, out);
  out << '\n';
  // The two fixed nodes head the tree; the softkeys and the main menu hang below them.
  for (const auto& top : doc.tree.topLevel())
    WriteNode(menujson::ItemToJson(doc, *top, menujson::Derived::Include), 0, out);
}

}  // namespace quillet::mmatool
