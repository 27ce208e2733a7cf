#include "edit_record.h"

#include "tree_commands.h"

namespace quillet {

EditRecord ApplyRecord(MenuDocument& doc, const EditRecord& record) {
  struct Apply {
    MenuDocument& doc;
    EditRecord operator()(const BranchSnapshot& branch) const { return SwapBranch(doc, branch); }
    EditRecord operator()(const PlacedItem& placed) const { return RemoveItem(doc, placed); }
    EditRecord operator()(const DetachedItem& detached) const { return InsertItem(doc, detached); }
    EditRecord operator()(const ItemMove& move) const { return ApplyMove(doc, move); }
  };
  return std::visit(Apply{doc}, record);
}

int BranchTop(const EditRecord& record) {
  if (const auto* branch = std::get_if<BranchSnapshot>(&record)) return branch->ownerIndex;
  if (const auto* placed = std::get_if<PlacedItem>(&record)) return placed->index;
  return -1;
}

}  // namespace quillet
