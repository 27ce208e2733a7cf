#include "save_losses.h"

#include "format.h"

namespace quillet {

bool KindNeedsAllData(std::uint8_t kind) {
  return kind != kKindPlain && kind != kKindSubmenu && kind != kKindUrl && kind != kKindMidlet;
}

std::vector<DataLeftOut> DataLeftOutBySave(const MenuDocument& doc, const SaveOptions& options) {
  std::vector<DataLeftOut> lost;
  if (options.saveAllData) return lost;
  doc.tree.forEach([&](const MenuNode& node) {
    if (node.parent() == nullptr) return;  // "Softkeys" and "Menu Root" are written as they are
    DataLeftOut entry;
    entry.node = &node;
    if (const TMMAItemData* data = doc.ItemData(node)) {
      for (const TMMADataBlock& block : data->blocks) {
        if (block.tag != kTagUnsupported) continue;
        for (const TMMARawEntry& raw : block.raw) entry.blockTags.push_back(raw.tag);
      }
    }
    if (KindNeedsAllData(node.item().kind)) entry.kind = node.item().kind;
    if (!entry.blockTags.empty() || entry.kind) lost.push_back(std::move(entry));
  });
  return lost;
}

}  // namespace quillet
