#include "modify_item.h"

#include <memory>

#include "tree_commands.h"

namespace quillet {

void StoreEditedItem(MenuDocument& doc, MenuNode& node, ItemEditor& editor) {
  const std::uint8_t slot = node.item.slot;
  std::unique_ptr<TMMAItemData>& entry = doc.ItemStore[slot];
  if (editor.HasBlocks()) {
    if (!entry) {
      entry = std::make_unique<TMMAItemData>();
      ++doc.DataItemCount;
    }
    editor.StoreItem(*entry);
    doc.AttachItemData(node, *entry);
  } else if (editor.RemovedAllBlocks()) {
    // The user took away everything the item had; keeping the old entry would bring
    // the removed icons, URL or application back at the next save.
    if (entry) ReleaseItemData(doc, slot);
    node.item.hasData = 0;
    node.item.dataLength = 0;
  }
  node.item.flags = editor.GetItemFlags();
  node.item.attributes = editor.GetItemAttributes();
  node.item.kind = editor.GetItemKind();
  doc.tree.notifyChanged(&node);
}

}  // namespace quillet
