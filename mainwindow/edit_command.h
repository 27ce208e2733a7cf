#pragma once
// One undo step of the main window: a tree command already applied to the document,
// kept as the branch it touched as it was before. Undo and redo swap that branch with
// the document's, through the tree, so the item model hears every row that changes.
#include <QUndoCommand>
#include <functional>

#include "branch_snapshot.h"

namespace quillet::ui {

class EditCommand : public QUndoCommand {
 public:
  // Called after every swap with the absolute index of the node to select.
  using AfterSwap = std::function<void(int selectIndex)>;

  EditCommand(MenuDocument& document, const QString& text, BranchSnapshot before, int selectedBefore,
              int selectedAfter, AfterSwap afterSwap);

  void undo() override;
  void redo() override;

 private:
  void swap(int selectIndex);

  MenuDocument& document_;
  BranchSnapshot other_;  // the branch as it is not now: before the step while done
  int selectedBefore_;
  int selectedAfter_;
  AfterSwap afterSwap_;
  bool applied_ = true;  // pushed after the command ran: the first redo has nothing to do
};

}  // namespace quillet::ui
