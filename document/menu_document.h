#pragma once
// The menu document: the menu tree, the item store, and the document-wide values
// that the loader, the writer and the editing commands share.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "item_data.h"
#include "menu_tree.h"

namespace quillet {

inline constexpr std::array<const char*, 7> SoftkeyPrefixes = {
    "LSK: ", "RSK: ", "Up: ", "Down: ", "Left: ", "Right: ", "Smart: "};
inline constexpr std::array<const char*, 7> DefaultSoftkeyIds = {
    "PhoneBook", "Message", "RecentCall", "Mutilmedia", "AlarmClock", "MMRingStyle", "VoiceRecord"};
inline constexpr std::array<const char*, 7> DefaultSoftkeyNames = {
    "PhoneBook", "Message", "RecentCall", "Multimedia", "AlarmClock", "MMRingStyle", "VoiceRecord"};

// The records of the two fixed top-level nodes, "Softkeys" and "Menu Root".
TMMAItem SoftkeysContainerItem();
TMMAItem MenuRootItem(std::uint8_t child);

// What "Modify item" stores after the item settings dialog's OK: the encoded working
// copy. `data` is set when the copy has blocks; `removeData` when the edit took away
// every block the item had.
struct EditedItem {
  std::optional<TMMAItemData> data;
  bool removeData = false;
  std::uint8_t kind = 0;
  std::uint8_t flags = 0;
  std::uint8_t attributes = 0;
};

// The document owns the item store: callers reach an item's data through its node and
// never compute or trust a slot; the store's slots follow the tree in RebuildLinks.
class MenuDocument {
 public:
  MenuTree tree;       // TreeView1's nodes
  int RecordSize = 0;  // 22 or 36 after a load; 0 until the first load
  std::uint32_t DataAreaStart = 0;
  std::uint8_t CustomItemCount = 0;  // 8-bit, never reset during a run

  // ---- The item store (ItemStore, indexed by each node's slot)
  // The node's data; null when it has none.
  const TMMAItemData* ItemData(const MenuNode& node) const;
  // The entry at a slot, for inspecting the store's layout; null when empty.
  const TMMAItemData* StoreEntry(std::uint8_t slot) const;
  // Number of set store entries.
  int DataItemCount() const;
  // Gives the node this data (replacing any it had) and attaches it (AttachItemData).
  void SetItemData(MenuNode& node, TMMAItemData data);
  // Places data read from a file; the node keeps the data length the file gave it.
  void LoadItemData(const MenuNode& node, std::unique_ptr<TMMAItemData> data);
  // Detaches the node's data from the store, leaving the node's record as it is, so that
  // it can be placed again with LoadItemData once the slots have been renumbered.
  std::unique_ptr<TMMAItemData> TakeItemData(const MenuNode& node);
  // Frees the node's data (hasData and dataLength 0); nothing when it has none.
  void ReleaseItemData(MenuNode& node);
  // The same for the node and all its descendants.
  void ReleaseSubtreeData(MenuNode& node);
  // "Modify item" after OK: stores or releases the data as `edit` says, takes its kind,
  // flags and attributes, and tells the tree the node changed.
  void StoreEditedItem(MenuNode& node, const EditedItem& edit);

  // Deletes every node and frees the store; CustomItemCount and RecordSize stay.
  void ClearDocument();
  // Makes this (empty) document the place to load into for `open`: it carries the
  // run-wide values (CustomItemCount, RecordSize, DataAreaStart), so that
  // `open` stays untouched until the load succeeded.
  void InheritRunValues(const MenuDocument& open);
  // Takes over a loaded document's tree, store and values.
  void Adopt(MenuDocument&& loaded);
  // A new document: "Softkeys" with the seven default softkeys, and "Menu Root" (whose
  // child link is 0xFF while the main menu is empty, as RebuildLinks keeps it).
  void NewDocument();
  // The part of a new document above "Menu Root": "Softkeys" and its seven default softkeys.
  void NewKeys();
  bool isOpen() const { return !tree.empty(); }

  MenuNode* softkeysNode() { return tree.nodeAt(kSoftkeysNodeIndex); }
  const MenuNode* softkeysNode() const { return tree.nodeAt(kSoftkeysNodeIndex); }
  MenuNode* menuRootNode() { return tree.nodeAt(kMenuRootNodeIndex); }
  const MenuNode* menuRootNode() const { return tree.nodeAt(kMenuRootNodeIndex); }
  int mainMenuItemCount() const { return tree.nodeCount() - kFixedNodeCount; }

  // "Format: <RecordSize>-byte   Main menu entries: <nodes - 9>"
  std::string DocumentSummary() const;

  // Slot and link rules.
  static std::uint8_t CountDescendants(const MenuNode& node);
  std::uint8_t RecordSlot(const MenuNode& node) const;
  // Moves store entries to the slots the tree's shape gives, drops entries no node claims
  // and recounts DataItemCount.
  void RebuildLinks();

  // After an item dialog stored its result into the node's entry: hasData 1, the
  // entry's slot, and the node's dataLength with every block counted (the writer sets
  // the length the chosen save options give when it saves).
  void AttachItemData(MenuNode& node, TMMAItemData& entry);

  // Next custom name "~N" (increments CustomItemCount, 8-bit wrap).
  std::string NextCustomName();

 private:
  TItemStore ItemStore;  // decoded item data by slot
};

}  // namespace quillet
