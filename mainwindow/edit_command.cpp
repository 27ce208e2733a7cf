#include "edit_command.h"

#include <utility>

namespace quillet::ui {

QString StepName(const QString& command, const std::string& caption) {
  return QStringLiteral("%1 '%2'").arg(
      command, QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
}

EditCommand::EditCommand(MenuDocument& document, const QString& text, EditRecord reverse, int selectedBefore,
                         int selectedAfter, ExpandedRows expandedBefore, EditView view)
    : QUndoCommand(text),
      document_(document),
      reverse_(std::move(reverse)),
      selectedBefore_(selectedBefore),
      selectedAfter_(selectedAfter),
      expandedBefore_(std::move(expandedBefore)),
      view_(std::move(view)) {}

void EditCommand::undo() { apply(selectedBefore_, expandedBefore_, expandedAfter_); }

void EditCommand::redo() {
  if (applied_) {
    applied_ = false;
    return;
  }
  apply(selectedAfter_, expandedAfter_, expandedBefore_);
}

void EditCommand::apply(int selectIndex, const ExpandedRows& give, ExpandedRows& keep) {
  const int takenOut = BranchTop(reverse_);
  keep = takenOut >= 0 ? view_.expandedBelow(takenOut) : ExpandedRows{};
  reverse_ = ApplyRecord(document_, reverse_);
  const int putBack = BranchTop(reverse_);
  if (putBack >= 0) view_.expandBelow(putBack, give);
  view_.select(selectIndex);
}

}  // namespace quillet::ui
