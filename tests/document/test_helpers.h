#pragma once
// Small helpers shared by the document tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "menu_bytes.h"
#include "menu_document.h"
#include "menu_loader.h"

namespace quillet::testhelp {

namespace mb = quillet::menubytes;

inline MenuNode* MainItem(MenuDocument& doc, int i) { return doc.tree.nodeAt(kFirstMenuNodeIndex + i); }

// Loads bytes that must load; fails the test otherwise.
inline LoadOutcome MustLoad(const mb::Bytes& bytes, MenuDocument& doc) {
  auto outcome = LoadMenuFile(bytes, doc, "fixture");
  EXPECT_TRUE(outcome.ok()) << (outcome.ok() ? "" : outcome.error().message);
  return outcome.ok() ? outcome.value() : LoadOutcome{};
}

inline mb::ItemPlan Item(std::string id, std::vector<mb::ItemPlan> children = {}, mb::Bytes data = {}) {
  mb::ItemPlan plan;
  plan.identifier = std::move(id);
  plan.children = std::move(children);
  plan.data = std::move(data);
  return plan;
}

// Item data with one menu name, as the item dialogs would store it.
inline std::unique_ptr<TMMAItemData> NamedData(std::u16string text, std::uint8_t language = 1) {
  auto entry = std::make_unique<TMMAItemData>();
  TMMADataBlock block;
  block.tag = kTagMenuName;
  block.names.push_back({language, std::move(text)});
  RefreshLength(block);
  entry->blocks.push_back(std::move(block));
  return entry;
}

// Gives `node` the data entry, as "Modify item" does after OK.
inline void GiveData(MenuDocument& doc, MenuNode& node, std::unique_ptr<TMMAItemData> entry) {
  doc.SetItemData(node, std::move(*entry));
}

inline std::vector<std::string> Captions(const MenuDocument& doc) {
  std::vector<std::string> out;
  doc.tree.forEach([&](const MenuNode& n) { out.push_back(n.caption()); });
  return out;
}

}  // namespace quillet::testhelp
