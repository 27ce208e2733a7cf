#include "edit_command.h"

#include <utility>

namespace quillet::ui {

QString StepName(const char* command, const std::string& caption) {
  return QStringLiteral("%1 '%2'").arg(QLatin1String(command),
                                       QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
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
  if (const auto* branch = std::get_if<BranchSnapshot>(&reverse_)) {
    const int owner = branch->ownerIndex;
    keep = view_.expandedBelow(owner);
    reverse_ = SwapBranch(document_, *branch);
    view_.expandBelow(owner, give);
  } else {
    // A move keeps its rows in the view, expansion and all.
    reverse_ = ApplyMove(document_, std::get<ItemMove>(reverse_));
  }
  view_.select(selectIndex);
}

}  // namespace quillet::ui
