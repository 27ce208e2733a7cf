#pragma once
// What an undo step keeps: the record that takes the document to the other side of the
// step. Applying one returns the record that takes it back, so undo and redo are the
// same operation.
#include <variant>

#include "branch_snapshot.h"
#include "tree_commands.h"

namespace quillet {

// A branch to swap back (replace, modify), an item to take out (add), an item to put
// back (delete), or a move to make (move up, move down, drop).
using EditRecord = std::variant<BranchSnapshot, PlacedItem, DetachedItem, ItemMove>;

EditRecord ApplyRecord(MenuDocument& doc, const EditRecord& record);
// The absolute index of the branch the record replaces or takes out, whose expansion a
// view keeps for the other side of the step; -1 for records that only add or move.
int BranchTop(const EditRecord& record);

}  // namespace quillet
