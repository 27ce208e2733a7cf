#include "dump_json.h"

#include "json_writer.h"
#include "text_codecs.h"
#include "utf8.h"

namespace quillet::mmatool {
namespace {

void WriteBlock(const BlockDescription& block, JsonWriter& json) {
  json.beginObject();
  json.field("block", block.label);
  json.field("tag", block.tag);
  json.field("length", block.length);
  if (block.tag == kTagMenuName || block.tag == kTagSoftkeyName) {
    json.key("names");
    json.beginArray();
    for (const NameDescription& name : block.names) {
      json.beginObject();
      json.field("language", name.language);
      json.field("text", name.text);
      json.endObject();
    }
    json.endArray();
  }
  if (block.iconKind) {
    json.field("iconKind", *block.iconKind);
    json.field("iconKindName", *block.iconKindName);
  }
  if (block.text) json.field(block.iconKind ? "path" : "text", *block.text);
  if (block.drmIndex) {
    json.field("firstByte", *block.firstByte);
    json.field("drmIndex", *block.drmIndex);
  }
  if (block.tag == kTagUnsupported) {
    json.key("entries");
    json.beginArray();
    for (const RawDescription& raw : block.raw) {
      json.beginObject();
      json.field("tag", raw.tag);
      json.field("length", static_cast<int>(raw.data.size()));
      json.field("hex", HexBytes(raw.data, ""));
      json.endObject();
    }
    json.endArray();
  }
  json.endObject();
}

void WriteNode(const NodeDescription& node, JsonWriter& json) {
  const TMMAItem& item = node.item;
  json.beginObject();
  json.field("caption", node.caption);
  json.field("identifier", node.identifier);
  json.field("kind", item.kind);
  json.field("parent", item.parent);
  json.field("next", item.next);
  json.field("child", item.child);
  json.field("slot", item.slot);
  json.field("flags", item.flags);
  json.field("attributes", item.attributes);
  json.field("area", item.area);
  json.field("dataOffset", item.dataOffset);
  json.field("dataLength", item.dataLength);
  json.key("data");
  json.beginArray();
  for (const BlockDescription& block : node.blocks) WriteBlock(block, json);
  json.endArray();
  json.key("children");
  json.beginArray();
  for (const NodeDescription& child : node.children) WriteNode(child, json);
  json.endArray();
  json.endObject();
}

}  // namespace

void WriteJsonDump(const MenuDescription& menu, std::ostream& out) {
  JsonWriter json(out);
  json.beginObject();
  json.field("file", menu.file);
  json.field("recordSize", menu.recordSize);
  json.field("variant", menu.variant);
  json.field("recordCount", menu.recordCount);
  json.field("mainMenuEntries", menu.mainMenuEntries);
  json.field("customIconAttribute", menu.iconTag);
  json.field("itemsWithData", menu.itemsWithData);
  json.key("nodes");
  json.beginArray();
  for (const NodeDescription& node : menu.nodes) WriteNode(node, json);
  json.endArray();
  json.endObject();
}

}  // namespace quillet::mmatool
