#pragma once
// The menu document: the menu tree, the item store, and the document-wide values
// that the loader, the writer and the editing commands share.
#include <array>
#include <cstdint>
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

class MenuDocument {
 public:
  MenuTree tree;             // TreeView1's nodes
  TItemStore ItemStore;      // decoded item data by slot
  int RecordSize = 0;        // 22 or 36 after a load; 0 until the first load
  std::uint32_t DataAreaStart = 0;
  std::uint8_t SaveAllData = 0;
  int DataItemCount = 0;     // set ItemStore entries
  std::uint8_t CustomItemCount = 0;  // 8-bit, never reset during a run

  // Deletes every node and frees the store; CustomItemCount and RecordSize stay.
  void ClearDocument();
  // Makes this (empty) document the place to load into for `open`: it carries the
  // run-wide values (CustomItemCount, RecordSize, DataAreaStart, SaveAllData), so that
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

  MenuNode* softkeysNode() const { return tree.nodeAt(kSoftkeysNodeIndex); }
  MenuNode* menuRootNode() const { return tree.nodeAt(kMenuRootNodeIndex); }
  int mainMenuItemCount() const { return tree.nodeCount() - kFixedNodeCount; }

  // "Format: <RecordSize>-byte   Main menu entries: <nodes - 9>"
  std::string DocumentSummary() const;

  // Slot and link rules.
  static std::uint8_t CountDescendants(const MenuNode& node);
  std::uint8_t RecordSlot(const MenuNode& node) const;
  // Moves store entries to the slots the tree's shape gives, drops entries no node claims
  // and recounts DataItemCount.
  void RebuildLinks();

  // Length the writer puts into the record for a store entry (0 for none).
  std::uint16_t ItemDataLength(const TMMAItemData* entry) const;
  // After an item dialog stored its result into the node's entry.
  void AttachItemData(MenuNode& node, TMMAItemData& entry);

  // Next custom name "~N" (increments CustomItemCount, 8-bit wrap).
  std::string NextCustomName();
};

}  // namespace quillet
