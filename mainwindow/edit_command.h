#pragma once
// One undo step of the main window: a tree command already applied to the document,
// kept as the record that reverses it. Undo and redo apply that record and keep what
// reverses them in turn, all through the tree, so the item model hears every row that
// changes.
#include <QUndoCommand>
#include <functional>
#include <string>
#include <vector>

#include "edit_record.h"

namespace quillet::ui {

// Expanded nodes of a branch, each as the row path from the branch's top ({} the top).
using ExpandedRows = std::vector<std::vector<int>>;

// What the window does around a step: a branch put back is new to the view, so the
// expansion it had on that side of the step is kept and given back; then the selection.
// (A move keeps its rows in the view, expansion and all.)
struct EditView {
  std::function<ExpandedRows(int ownerIndex)> expandedBelow;
  std::function<void(int ownerIndex, const ExpandedRows& rows)> expandBelow;
  std::function<void(int selectIndex)> select;
};
// The undo step's name, as Edit > Undo and Redo show it: "Delete item 'Settings'".
QString StepName(const QString& command, const std::string& caption);

class EditCommand : public QUndoCommand {
 public:
  EditCommand(MenuDocument& document, const QString& text, EditRecord reverse, int selectedBefore,
              int selectedAfter, ExpandedRows expandedBefore, EditView view);

  void undo() override;
  void redo() override;

 private:
  void apply(int selectIndex, const ExpandedRows& give, ExpandedRows& keep);

  MenuDocument& document_;
  EditRecord reverse_;  // what takes the document to the other side of the step
  int selectedBefore_;
  int selectedAfter_;
  ExpandedRows expandedBefore_;
  ExpandedRows expandedAfter_;
  EditView view_;
  bool applied_ = true;  // pushed after the command ran: the first redo has nothing to do
};

}  // namespace quillet::ui
