#include "edit_command.h"

#include <utility>

namespace quillet::ui {

EditCommand::EditCommand(MenuDocument& document, const QString& text, BranchSnapshot before, int selectedBefore,
                         int selectedAfter, AfterSwap afterSwap)
    : QUndoCommand(text),
      document_(document),
      other_(std::move(before)),
      selectedBefore_(selectedBefore),
      selectedAfter_(selectedAfter),
      afterSwap_(std::move(afterSwap)) {}

void EditCommand::undo() { swap(selectedBefore_); }

void EditCommand::redo() {
  if (applied_) {
    applied_ = false;
    return;
  }
  swap(selectedAfter_);
}

void EditCommand::swap(int selectIndex) {
  other_ = SwapBranch(document_, other_);
  afterSwap_(selectIndex);
}

}  // namespace quillet::ui
